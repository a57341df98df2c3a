#include "platform/QtSettingsStore.h"

#include "base/ProfileText.h"

#include <QDir>
#include <QStandardPaths>
#include <QStringList>

namespace velarin {

namespace {
QString settingsKey(std::string_view section, std::string_view key)
{
    return QString::fromUtf8(section.data(), static_cast<qsizetype>(section.size()))
        + QLatin1Char('/') + QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
}
} // namespace

QtSettingsStore::QtSettingsStore(const QString& filePath)
    : settings_(filePath, QSettings::IniFormat)
{
}

QString QtSettingsStore::DefaultFilePath(const QString& applicationName)
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return FilePathInDirectory(base + QStringLiteral("/Orlo"), applicationName);
}

QString QtSettingsStore::FilePathInDirectory(
    const QString& directory, const QString& applicationName)
{
    return QDir(directory).absoluteFilePath(applicationName + QStringLiteral(".ini"));
}

QString QtSettingsStore::FilePath() const
{
    return settings_.fileName();
}

QVariant QtSettingsStore::read(std::string_view section, std::string_view key)
{
    std::lock_guard lock(mutex_);
    return settings_.value(settingsKey(section, key));
}

bool QtSettingsStore::write(std::string_view section, std::string_view key, const QVariant& value)
{
    std::lock_guard lock(mutex_);
    settings_.setValue(settingsKey(section, key), value);
    settings_.sync();
    return settings_.status() == QSettings::NoError;
}

int QtSettingsStore::GetProfileInt(std::string_view section, std::string_view key, int defaultValue)
{
    const QVariant value = read(section, key);
    // INI values come back as text (or a list when hand-edited with commas, which is no integer).
    if (value.typeId() != QMetaType::QString && value.typeId() != QMetaType::Int)
        return defaultValue;
    return ParseProfileInt(value.toString().toStdString(), defaultValue);
}

bool QtSettingsStore::WriteProfileInt(std::string_view section, std::string_view key, int value)
{
    return write(section, key, value);
}

std::string QtSettingsStore::GetProfileString(
    std::string_view section, std::string_view key, std::string_view defaultValue)
{
    const QVariant value = read(section, key);
    switch (value.typeId()) {
    case QMetaType::QString:
    case QMetaType::Int:
        return value.toString().toStdString();
    case QMetaType::QStringList:
        // An unquoted comma in a hand-edited value splits it; the text as written is wanted.
        return value.toStringList().join(QLatin1Char(',')).toStdString();
    default:
        return std::string(defaultValue);
    }
}

bool QtSettingsStore::WriteProfileString(
    std::string_view section, std::string_view key, std::string_view value)
{
    return write(
        section, key, QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())));
}

} // namespace velarin
