#include "platform/linux/LinuxSystemClock.h"

#include "platform/linux/TimeServiceProbe.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <sys/capability.h>
#include <thread>
#include <vector>

namespace velarin {
namespace {

// A capability that records its calls in one journal with the kernel calls, so that their order
// shows. The kernel calls are fakes: nothing here ever reads or changes the machine's clock.
struct FakeCapability : TimeCapability {
    FakeCapability(std::vector<std::string>& journal, State state, bool raiseWorks)
        : journal(journal)
        , state(state)
        , raiseWorks(raiseWorks)
    {
    }
    State Query() override { return journal.push_back("query"), state; }
    bool SetEffective(bool raised) override
    {
        journal.push_back(raised ? "raise" : "drop");
        if (state != State::NoCapabilityModel && (raiseWorks || !raised))
            state = raised ? State::Effective : State::PermittedOnly;
        return raiseWorks || !raised;
    }
    std::vector<std::string>& journal;
    State state;
    bool raiseWorks;
};

struct ClockUnderTest {
    ClockUnderTest(TimeCapability::State state, int setResult = 0, bool raiseWorks = true)
        : clock(
            std::make_unique<FakeCapability>(calls, state, raiseWorks),
            [this, setResult](const timespec& time) {
                calls.push_back("set " + std::to_string(time.tv_sec) + "."
                    + std::to_string(time.tv_nsec / 1000000));
                return setResult;
            },
            [this](timex& state) {
                calls.push_back(state.modes == ADJ_FREQUENCY
                        ? "frequency " + std::to_string(state.freq)
                        : "kernel query");
                state.freq = -37 * 65536;
                state.status = kernelStatus;
                return 0;
            },
            [this] { return service; })
    {
    }
    std::vector<std::string> calls;
    int kernelStatus = 0;
    std::string service;
    LinuxSystemClock clock;
};

const SystemTime kValid { 2026, 12, 0, 6, 9, 30, 15, 250 };

TEST(LinuxSystemClockTest, TheRightIsRaisedOnlyAroundTheCallAndOnlyWhenNeeded)
{
    // 2026-12-06 09:30:15.250 UTC. A right already held is left as found; a system without
    // capabilities still sets; a missing or unraisable right fails without touching the clock;
    // a refused set fails and still drops the right.
    using State = TimeCapability::State;
    using Calls = std::vector<std::string>;
    const std::tuple<State, int, bool, bool, Calls> cases[] = {
        { State::PermittedOnly, 0, true, true, { "query", "raise", "set 1796549415.250", "drop" } },
        { State::Effective, 0, true, true, { "query", "set 1796549415.250" } },
        { State::NoCapabilityModel, 0, true, true, { "query", "set 1796549415.250" } },
        { State::Absent, 0, true, false, { "query" } },
        { State::PermittedOnly, 0, false, false, { "query", "raise" } },
        { State::PermittedOnly, EPERM, true, false,
            { "query", "raise", "set 1796549415.250", "drop" } },
    };
    for (const auto& [state, setResult, raiseWorks, set, calls] : cases) {
        ClockUnderTest under(state, setResult, raiseWorks);
        EXPECT_EQ(under.clock.SetUtc(kValid), set);
        EXPECT_EQ(under.calls, calls);
    }
    // An invalid record (the calendar's own tests hold the full set) fails before any call.
    ClockUnderTest invalid(State::PermittedOnly);
    EXPECT_FALSE(invalid.clock.SetUtc({ 2026, 2, 0, 29, 9, 30, 15, 250 }));
    EXPECT_TRUE(invalid.calls.empty());
}

TEST(LinuxSystemClockTest, FrequencyIsClampedUnderTheRightAndTheReadingNamesWhoDisciplines)
{
    ClockUnderTest under(TimeCapability::State::PermittedOnly);
    EXPECT_TRUE(under.clock.SetFrequencyPpm(800.0));
    EXPECT_TRUE(under.clock.SetFrequencyPpm(-12.5));
    EXPECT_EQ(under.calls,
        (std::vector<std::string> { "query", "raise", "frequency 32768000", "drop", "query",
            "raise", "frequency -819200", "drop" }));

    EXPECT_EQ(under.clock.QueryFrequency().frequencyPpm, -37.0);
    under.kernelStatus = STA_PLL;
    EXPECT_EQ(under.clock.QueryFrequency().disciplinedBy, "the kernel's phase-locked loop");
    under.service = "chronyd";
    EXPECT_EQ(under.clock.QueryFrequency().disciplinedBy, "chronyd");
}

TEST(LinuxSystemClockTest, FindsATimeServiceByItsProcessName)
{
    const auto root = std::filesystem::temp_directory_path()
        / ("velarin-proc-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    // "self" is no process number; the kernel cuts a name to 15 characters.
    for (auto [pid, name, found] : { std::tuple { "1", "systemd", "" }, { "self", "chronyd", "" },
             { "742", "systemd-timesyn", "systemd-timesyncd" } }) {
        std::filesystem::create_directories(root / pid);
        std::ofstream(root / pid / "comm") << name << "\n";
        EXPECT_EQ(FindRunningTimeService(root.string()), found) << pid;
    }
    std::filesystem::remove_all(root);
    EXPECT_EQ(FindRunningTimeService(root.string()), "") << "no such directory";
}

// The real libcap path, on a thread of its own (capabilities are per thread on Linux). Needs a
// process that holds CAP_SYS_TIME in its permitted set; the clock is never set.
TEST(LibcapTimeCapabilityTest, RaiseAndDropChangeOnlyTheEffectiveSet)
{
    LibcapTimeCapability capability;
    if (capability.Query() == TimeCapability::State::Absent
        || capability.Query() == TimeCapability::State::NoCapabilityModel)
        GTEST_SKIP() << "this process may not hold CAP_SYS_TIME";
    std::thread([] {
        LibcapTimeCapability capability;
        ASSERT_TRUE(capability.SetEffective(false));
        EXPECT_EQ(capability.Query(), TimeCapability::State::PermittedOnly);

        int sets = 0;
        LinuxSystemClock clock(std::make_unique<LibcapTimeCapability>(), [&](const timespec&) {
            ++sets;
            LibcapTimeCapability inside;
            EXPECT_EQ(inside.Query(), TimeCapability::State::Effective);
            return EPERM; // pretend the system refused; never the real call
        });
        EXPECT_FALSE(clock.SetUtc(kValid));
        EXPECT_EQ(sets, 1);
        EXPECT_EQ(capability.Query(), TimeCapability::State::PermittedOnly);

        EXPECT_TRUE(clock.EnableSystemTimePrivilege());
        EXPECT_EQ(capability.Query(), TimeCapability::State::Effective);
        clock.DisableSystemTimePrivilege();
        EXPECT_EQ(capability.Query(), TimeCapability::State::PermittedOnly);
    }).join();
}

} // namespace
} // namespace velarin
