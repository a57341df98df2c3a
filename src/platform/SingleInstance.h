#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <memory>

class QLockFile;

namespace velarin {

// One running copy per user and settings file. The first copy listens on a local socket whose
// name comes from the user id and the settings file; a later copy sends it the "show properties"
// request (0x401) and ends.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    static constexpr int kShowPropertiesMessage = 0x401;

    enum class Outcome {
        First, // this copy listens and receives the requests of later copies
        OtherNotified, // another copy runs and has been sent the request
        Failed, // neither: the socket could not be created nor reached
    };

    explicit SingleInstance(const QString& settingsFilePath, QObject* parent = nullptr);
    ~SingleInstance() override;

    static QString ServerName(const QString& settingsFilePath);

    Outcome Claim();
    QString Name() const;

signals:
    void ShowPropertiesRequested();

private:
    bool notifyRunningCopy();
    void acceptConnection();

    QString name_;
    QLocalServer server_;
};

} // namespace velarin
