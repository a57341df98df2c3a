#include "app/core/VelarinApp.h"
#include "engine/settings/MemorySettingsStore.h"
#include "engine/settings/SettingsKeys.h"
#include "platform/sim/SimulatedSerialDevice.h"
#include "support/RecordingNotifier.h"

#include <cerrno>
#include <gtest/gtest.h>

namespace velarin {
namespace {

class OrderedStore : public MemorySettingsStore {
public:
    bool WriteProfileInt(std::string_view section, std::string_view key, int value) override
    {
        writes.push_back(std::string(key) + "=" + std::to_string(value));
        return MemorySettingsStore::WriteProfileInt(section, key, value);
    }
    std::vector<std::string> writes;
};

class ScriptedPrompt : public FirstTimeConfigPrompt {
public:
    std::optional<bool> Ask(bool preset) override { return presets.push_back(preset), answer; }
    std::optional<bool> answer;
    std::vector<bool> presets;
};

// Tells its owner when it goes.
struct RecordingFrame : MainFrame {
    ~RecordingFrame() override { onEnd(); }
    void OnShowPropertiesRequest() override { }
    std::function<void()> onEnd;
};

class VelarinAppTest : public ::testing::Test {
protected:
    auto note(const char* name, auto result)
    {
        return [this, name, result] { return events.push_back(name), result; };
    }

    VelarinAppTest()
    {
        app.anotherCopyNotified = note("single instance", false);
        app.initializeSockets = note("sockets", true);
        app.loadCurrentTimeServer = note("server", std::string("ntp.example"));
        app.createMainFrame = [this](CVelarinApp&) {
            events.push_back(device.OpenCount() == 0 ? "frame" : "frame after open");
            auto frame = std::make_unique<RecordingFrame>();
            frame->onEnd = [this] {
                events.push_back(
                    device.IsOpen() ? "frame gone, link open" : "frame gone, link closed");
            };
            return frame;
        };
        app.showTrayBarNotice = [this](MainFrame&) {
            events.push_back(device.IsOpen() ? "notice, link open" : "notice, link closed");
        };
    }

    // Declared before the application: its main frame records its own end in `events`.
    std::vector<std::string> events;
    OrderedStore store;
    test::RecordingNotifier notifier;
    SimulatedSerialDevice device;
    CVelarinApp app { store, notifier, device, "velarin" };
};

TEST_F(VelarinAppTest, FreshUserStartsOnTheGpsInTheFixedOrderAndWritesNothingHeadless)
{
    EXPECT_TRUE(app.WriteProfileString(keys::kNetwork, keys::kTimeServer, "a.example")
        && app.GetProfileString(keys::kNetwork, keys::kTimeServer, "") == "a.example");
    ASSERT_TRUE(app.InitInstance());
    EXPECT_EQ(events,
        (std::vector<std::string> {
            "single instance", "sockets", "server", "frame", "notice, link open" }));
    EXPECT_EQ(std::tuple(app.State().CurrentTimeServer(), app.State().timeUpdateRate.load(),
                  device.LastOpenPath(), device.LastLineSettings().baud,
                  device.LastLineSettings().dataBits, app.State().clockEnableSegColor.load()),
        std::tuple("ntp.example", 60, "/dev/ttyS0", 4800, 8, 0xFF0000u));
    // Nobody could confirm the first-time configuration: nothing is written.
    EXPECT_TRUE(store.writes.empty() && notifier.Messages().empty());
    app.LoadClockWindowSegColors();
    EXPECT_EQ(
        std::tuple(app.State().clockActiveSegColor.load(), app.State().clockEnableSegColor.load()),
        std::tuple(0x00FF00u, 0x00FF00u));

    app.ExitInstance();
    // The main frame goes before the link.
    EXPECT_EQ(std::tuple(events.back(), device.IsOpen(), app.ExitCode()),
        std::tuple("frame gone, link open", false, 0));
}

TEST_F(VelarinAppTest, PortAndBaudComeFromTheStoreAndAMissingPortIsToldOnce)
{
    store.WriteProfileInt(keys::kSerial, keys::kPort, 4);
    store.WriteProfileInt(keys::kSerial, keys::kBaud, 9600);
    device.SetOpenError(ENOENT);
    ASSERT_TRUE(app.InitInstance()) << "the program keeps running with the link closed";
    EXPECT_EQ(device.LastOpenPath(), "/dev/ttyS3");
    ASSERT_EQ(notifier.Messages().size(), 1u);
    EXPECT_EQ(std::tuple(notifier.Messages()[0].text.rfind("Communication Port Not Found!", 0),
                  notifier.Messages()[0].caption),
        std::tuple(0u, "velarin"));
    EXPECT_EQ(events.back(), "notice, link closed");
}

// Only a stored FirstTimeConfig of exactly 1 (or none) asks; a confirmed answer writes the choice
// before the flag, a cancelled one writes nothing and is asked again next start.
TEST_F(VelarinAppTest, FirstTimeConfigurationWritesOnlyWhatTheUserConfirmed)
{
    const struct {
        int storedNetwork, storedFlag;
        std::optional<bool> answer;
        std::vector<bool> presets;
        std::vector<std::string> writes;
    } cases[] = {
        { 0, 1, true, { false }, { "UseNetworkTime=1", "FirstTimeConfig=0" } },
        { 1, 1, std::nullopt, { true }, {} },
        { 1, 2, true, {}, {} },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.storedFlag);
        OrderedStore fresh;
        fresh.WriteProfileInt(keys::kSettings, keys::kUseNetworkTime, c.storedNetwork);
        fresh.WriteProfileInt(keys::kSettings, keys::kFirstTimeConfig, c.storedFlag);
        fresh.writes.clear();
        ScriptedPrompt prompt;
        prompt.answer = c.answer;
        CVelarinApp first(fresh, notifier, device, "velarin");
        first.firstTimeConfigPrompt = &prompt;
        ASSERT_TRUE(first.InitInstance());
        EXPECT_EQ(prompt.presets, c.presets);
        EXPECT_EQ(fresh.writes, c.writes);
        if (c.presets.empty())
            continue;
        CVelarinApp again(fresh, notifier, device, "velarin");
        again.firstTimeConfigPrompt = &prompt;
        ASSERT_TRUE(again.InitInstance());
        EXPECT_EQ(prompt.presets.size(), c.writes.empty() ? 2u : 1u);
    }
    EXPECT_EQ(device.OpenCount(), 0) << "the confirmed network choice already governs the link";
}

TEST_F(VelarinAppTest, StartUpEndsEarlyForAnotherCopyFailedSocketsOrNoMainFrame)
{
    app.anotherCopyNotified = note("single instance", true);
    EXPECT_FALSE(app.InitInstance());
    EXPECT_EQ(std::tuple(app.ExitCode(), events),
        std::tuple(0, std::vector<std::string> { "single instance" }));

    CVelarinApp noSockets(store, notifier, device, "velarin");
    noSockets.initializeSockets = [] { return false; };
    EXPECT_FALSE(noSockets.InitInstance() || noSockets.ExitCode() != 1);
    ASSERT_EQ(notifier.Messages().size(), 1u);
    EXPECT_EQ(std::tie(notifier.Messages()[0].text, notifier.Messages()[0].icon),
        std::tuple("Windows sockets initialization failed.", MessageIcon::Exclamation));

    CVelarinApp noFrame(store, notifier, device, "velarin");
    noFrame.createMainFrame = [](CVelarinApp&) { return std::unique_ptr<MainFrame>(); };
    EXPECT_FALSE(noFrame.InitInstance());
    EXPECT_EQ(std::tuple(noFrame.ExitCode(), device.OpenCount(), noFrame.GetMainFrame()),
        std::tuple(1, 0, nullptr));
}

} // namespace
} // namespace velarin
