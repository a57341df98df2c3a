#include "platform/linux/LinuxSystemClock.h"
#include "platform/linux/TimeServiceProbe.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using namespace velarin;

namespace {

// Records the capability calls and the kernel calls in one journal; the kernel is a fake, so
// nothing here reads or changes the machine's clock.
struct Journal : TimeCapability {
    std::vector<std::string> calls;
    int status = 0;
    State Query() override { return State::PermittedOnly; }
    bool SetEffective(bool raised) override
    {
        calls.push_back(raised ? "raise" : "drop");
        return true;
    }
};

} // namespace

TEST(LinuxClockFrequency, ClampsRaisesTheRightOnlyAroundTheCallAndReadsWhoDisciplines)
{
    auto owned = std::make_unique<Journal>();
    Journal& journal = *owned;
    std::string service;
    LinuxSystemClock clock(
        std::move(owned), [](const timespec&) { return 0; },
        [&journal](timex& state) {
            journal.calls.push_back(
                state.modes == ADJ_FREQUENCY ? "frequency " + std::to_string(state.freq) : "query");
            state.freq = -37 * 65536;
            state.status = journal.status;
            return 0;
        },
        [&service] { return service; });

    EXPECT_TRUE(clock.SetFrequencyPpm(800.0));
    EXPECT_TRUE(clock.SetFrequencyPpm(-12.5));
    EXPECT_EQ(journal.calls,
        (std::vector<std::string> {
            "raise", "frequency 32768000", "drop", "raise", "frequency -819200", "drop" }));

    EXPECT_EQ(clock.QueryFrequency().frequencyPpm, -37.0);
    EXPECT_EQ(clock.QueryFrequency().disciplinedBy, "");
    journal.status = STA_PLL;
    EXPECT_EQ(clock.QueryFrequency().disciplinedBy, "the kernel's phase-locked loop");
    service = "chronyd";
    EXPECT_EQ(clock.QueryFrequency().disciplinedBy, "chronyd");
}

TEST(LinuxClockFrequency, FindsATimeServiceByItsProcessName)
{
    const auto root = std::filesystem::temp_directory_path()
        / ("velarin-proc-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    const auto process = [&](const char* pid, const char* name) {
        std::filesystem::create_directories(root / pid);
        std::ofstream(root / pid / "comm") << name << "\n";
    };
    process("1", "systemd");
    process("self", "chronyd"); // not a process number
    EXPECT_EQ(FindRunningTimeService(root.string()), "");
    process("742", "systemd-timesyn");
    EXPECT_EQ(FindRunningTimeService(root.string()), "systemd-timesyncd");
    std::filesystem::remove_all(root);
    EXPECT_EQ(FindRunningTimeService(root.string()), "") << "no such directory";
}
