#include "platform/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QLockFile>
#include <unistd.h>

namespace velarin {

namespace {
constexpr int kConnectTimeoutMs = 2000;
// A request is one short line; anything longer is not ours and is dropped.
constexpr qint64 kMaxRequestBytes = 64;
const QByteArray kRequestLine = QByteArrayLiteral("0x401\n");
} // namespace

SingleInstance::SingleInstance(const QString& settingsFilePath, QObject* parent)
    : QObject(parent)
    , name_(ServerName(settingsFilePath))
{
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::acceptConnection);
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::ServerName(const QString& settingsFilePath)
{
    const QString canonical = QFileInfo(settingsFilePath).absoluteFilePath();
    const QByteArray digest
        = QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha256).toHex();
    return QStringLiteral("velarin-%1-%2")
        .arg(static_cast<qulonglong>(::getuid()))
        .arg(QString::fromLatin1(digest.left(24)));
}

QString SingleInstance::Name() const
{
    return name_;
}

SingleInstance::Outcome SingleInstance::Claim()
{
    // Two copies started together must not both decide they are first: the check and the
    // listen happen under one lock file.
    QLockFile lock(QDir::temp().absoluteFilePath(name_ + QStringLiteral(".lock")));
    lock.setStaleLockTime(10000);
    if (!lock.tryLock(5000))
        return notifyRunningCopy() ? Outcome::OtherNotified : Outcome::Failed;

    if (notifyRunningCopy())
        return Outcome::OtherNotified;
    // Nobody answers: a socket left by a copy that crashed is removed before listening.
    QLocalServer::removeServer(name_);
    return server_.listen(name_) ? Outcome::First : Outcome::Failed;
}

bool SingleInstance::notifyRunningCopy()
{
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(kConnectTimeoutMs))
        return false;
    socket.write(kRequestLine);
    const bool sent = socket.waitForBytesWritten(kConnectTimeoutMs);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(kConnectTimeoutMs);
    return sent;
}

void SingleInstance::acceptConnection()
{
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            while (socket->canReadLine()) {
                const QByteArray line = socket->readLine(kMaxRequestBytes);
                if (line == kRequestLine)
                    emit ShowPropertiesRequested();
            }
            if (socket->bytesAvailable() > kMaxRequestBytes)
                socket->abort();
        });
    }
}

} // namespace velarin
