#include "platform/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace velarin {
namespace {

TEST(SingleInstance, LeftoverSocketIsTakenOverSecondClaimNotifiesTheFirstJunkIsIgnored)
{
    QTemporaryDir dir;
    const QString settings = dir.filePath("velarin.ini");
    // A socket file left by a crashed copy.
    QFile(QDir::temp().absoluteFilePath(SingleInstance::ServerName(settings)))
        .open(QIODevice::WriteOnly);
    SingleInstance first(settings);
    QSignalSpy requests(&first, &SingleInstance::ShowPropertiesRequested);
    ASSERT_EQ(first.Claim(), SingleInstance::Outcome::First);
    {
        // Something else talking to the socket does not open any window.
        QLocalSocket stranger;
        stranger.connectToServer(first.Name());
        ASSERT_TRUE(stranger.waitForConnected(2000));
        stranger.write(QByteArray(1000, 'x') + "\n0x4010\n");
        stranger.waitForBytesWritten(2000);
        for (int i = 0; i < 10; ++i)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    // Another settings file is another instance; the same file finds the first.
    EXPECT_NE(first.Name(), SingleInstance::ServerName(dir.filePath("other/velarin.ini")));
    SingleInstance second(settings);
    EXPECT_EQ(second.Claim(), SingleInstance::Outcome::OtherNotified);
    ASSERT_TRUE(requests.wait(5000));
    EXPECT_EQ(requests.count(), 1);
}

} // namespace
} // namespace velarin
