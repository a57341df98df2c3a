#include "platform/linux/LinuxSystemClock.h"

#include "platform/linux/LinuxThreadPriority.h"

#include <gtest/gtest.h>

#include <string>
#include <sys/capability.h>
#include <thread>
#include <vector>

namespace velarin {
namespace {

// A capability that records the calls in one journal with the clock call, so that their order
// shows. The clock call itself is a fake: nothing here ever sets the machine's clock.
struct Journal {
    std::vector<std::string> calls;
};

class FakeCapability : public TimeCapability {
public:
    FakeCapability(Journal& journal, State state, bool raiseWorks = true)
        : journal_(journal)
        , state_(state)
        , raiseWorks_(raiseWorks)
    {
    }
    State Query() override
    {
        journal_.calls.push_back("query");
        return state_;
    }
    bool SetEffective(bool raised) override
    {
        journal_.calls.push_back(raised ? "raise" : "drop");
        if (raised && !raiseWorks_)
            return false;
        if (state_ != State::NoCapabilityModel)
            state_ = raised ? State::Effective : State::PermittedOnly;
        return true;
    }

private:
    Journal& journal_;
    State state_;
    bool raiseWorks_;
};

struct ClockUnderTest {
    ClockUnderTest(TimeCapability::State state, int setResult = 0, bool raiseWorks = true)
        : clock(std::make_unique<FakeCapability>(journal, state, raiseWorks),
            [this, setResult](const timespec& time) {
                journal.calls.push_back("set " + std::to_string(time.tv_sec) + "."
                    + std::to_string(time.tv_nsec / 1000000));
                return setResult;
            })
    {
    }
    Journal journal;
    LinuxSystemClock clock;
};

const SystemTime kValid { 2026, 12, 0, 6, 9, 30, 15, 250 };

TEST(LinuxSystemClockTest, InvalidRecordsFailBeforeAnySystemCall)
{
    ClockUnderTest under(TimeCapability::State::PermittedOnly);
    // Month 0 and 13, day 32 and 0, 29 February 2026 (no leap year), hour 24, minute 60,
    // second 60, 1000 ms, and 65036 ms: a delay of -1500 ms.
    const SystemTime invalid[]
        = { { 2026, 0, 0, 6, 9, 30, 15, 250 }, { 2026, 13, 0, 6, 9, 30, 15, 250 },
              { 2026, 12, 0, 32, 9, 30, 15, 250 }, { 2026, 12, 0, 0, 9, 30, 15, 250 },
              { 2026, 2, 0, 29, 9, 30, 15, 250 }, { 2026, 12, 0, 6, 24, 30, 15, 250 },
              { 2026, 12, 0, 6, 9, 60, 15, 250 }, { 2026, 12, 0, 6, 9, 30, 60, 250 },
              { 2026, 12, 0, 6, 9, 30, 15, 1000 }, { 2026, 12, 0, 6, 9, 30, 15, 65036 } };
    for (const SystemTime& t : invalid)
        EXPECT_FALSE(under.clock.SetUtc(t));
    EXPECT_TRUE(under.journal.calls.empty());
}

TEST(LinuxSystemClockTest, TheRightIsRaisedOnlyAroundTheCallAndOnlyWhenNeeded)
{
    // 2026-12-06 09:30:15.250 UTC. A right already held is left as found; a system without
    // capabilities still sets; a missing or unraisable right fails without touching the clock.
    using State = TimeCapability::State;
    using Calls = std::vector<std::string>;
    const std::tuple<State, bool, bool, Calls> cases[] = {
        { State::PermittedOnly, true, true, { "query", "raise", "set 1796549415.250", "drop" } },
        { State::Effective, true, true, { "query", "set 1796549415.250" } },
        { State::NoCapabilityModel, true, true, { "query", "set 1796549415.250" } },
        { State::Absent, true, false, { "query" } },
        { State::PermittedOnly, false, false, { "query", "raise" } },
    };
    for (const auto& [state, raiseWorks, set, calls] : cases) {
        ClockUnderTest under(state, 0, raiseWorks);
        EXPECT_EQ(under.clock.SetUtc(kValid), set);
        EXPECT_EQ(under.journal.calls, calls);
    }
    ClockUnderTest noModel(State::NoCapabilityModel);
    EXPECT_TRUE(noModel.clock.EnableSystemTimePrivilege());
    noModel.clock.DisableSystemTimePrivilege();
    EXPECT_TRUE(noModel.clock.SetUtc(kValid));
}

TEST(LinuxSystemClockTest, RefusedSetReportsFailureAndDropsTheRight)
{
    ClockUnderTest under(TimeCapability::State::PermittedOnly, EPERM);
    EXPECT_FALSE(under.clock.SetUtc(kValid));
    EXPECT_EQ(under.journal.calls.back(), "drop");
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

TEST(LinuxThreadPriorityTest, NormalIsAlwaysAllowed)
{
    std::thread([] {
        LinuxThreadPriority priority;
        priority.SetCurrentThreadPriority(ThreadPriorityLevel::AboveNormal);
        EXPECT_TRUE(priority.SetCurrentThreadPriority(ThreadPriorityLevel::Normal));
    }).join();
}

} // namespace
} // namespace velarin
