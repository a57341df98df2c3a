#include "engine/frame/NmeaCapture.h"
#include "engine/gps/SerialPort.h"
#include "platform/sim/SimulatedSerialDevice.h"
#include "support/RecordingNotifier.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace velarin;
using namespace velarin::nmeacapture;

namespace {

struct Link {
    SimulatedSerialDevice device;
    test::RecordingNotifier notifier;
    CSerialPort port { device, notifier, "velarin" };
};

} // namespace

TEST(NmeaCaptureToggle, OpensClosesAndLeavesEverythingAloneOnCancelOrFailure)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath("capture.txt").toStdString();
    Link link;
    int asked = 0;

    EXPECT_EQ(ToggleNmeaCapture(link.port,
                  [&]() -> std::optional<std::string> {
                      ++asked;
                      return std::nullopt;
                  }),
        ToggleOutcome::Cancelled);
    EXPECT_EQ(ToggleNmeaCapture(link.port,
                  [&]() -> std::optional<std::string> {
                      ++asked;
                      return std::string();
                  }),
        ToggleOutcome::Cancelled);
    EXPECT_FALSE(link.port.IsCaptureOpen());

    EXPECT_EQ(ToggleNmeaCapture(link.port,
                  [&] {
                      ++asked;
                      return std::optional<std::string>(
                          dir.filePath("missing/x.txt").toStdString());
                  }),
        ToggleOutcome::OpenFailed);
    EXPECT_FALSE(link.port.IsCaptureOpen());

    EXPECT_EQ(ToggleNmeaCapture(link.port,
                  [&] {
                      ++asked;
                      return std::optional<std::string>(path);
                  }),
        ToggleOutcome::Opened);
    EXPECT_TRUE(link.port.IsCaptureOpen());
    EXPECT_EQ(asked, 4);

    // While a capture runs the button closes it without asking.
    EXPECT_EQ(ToggleNmeaCapture(link.port,
                  [&] {
                      ++asked;
                      return std::optional<std::string>(path);
                  }),
        ToggleOutcome::Closed);
    EXPECT_FALSE(link.port.IsCaptureOpen());
    EXPECT_EQ(asked, 4);
    // The link itself never spoke to the user.
    EXPECT_TRUE(link.notifier.Messages().empty());
}
