#pragma once

#include "platform/SettingsStore.h"

#include <QSettings>
#include <QString>
#include <mutex>

namespace velarin {

// The settings store as an INI file (QSettings): section = INI group, key = key. One lock around
// the one QSettings object lets the set-time worker read while the user-interface thread writes.
// Every write is saved at once (QSettings writes a temporary file and renames it).
class QtSettingsStore : public SettingsStore {
public:
    explicit QtSettingsStore(const QString& filePath);

    // $XDG_CONFIG_HOME/Orlo/<applicationName>.ini (~/.config when the variable is not set).
    static QString DefaultFilePath(const QString& applicationName);
    // DIR/<applicationName>.ini, for --settings-dir.
    static QString FilePathInDirectory(const QString& directory, const QString& applicationName);

    QString FilePath() const;

    int GetProfileInt(std::string_view section, std::string_view key, int defaultValue) override;
    bool WriteProfileInt(std::string_view section, std::string_view key, int value) override;
    std::string GetProfileString(
        std::string_view section, std::string_view key, std::string_view defaultValue) override;
    bool WriteProfileString(
        std::string_view section, std::string_view key, std::string_view value) override;

private:
    QVariant read(std::string_view section, std::string_view key);
    bool write(std::string_view section, std::string_view key, const QVariant& value);

    std::mutex mutex_;
    QSettings settings_;
};

} // namespace velarin
