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
    const auto with = [](auto change) {
        SystemTime t = kValid;
        change(t);
        return t;
    };
    const std::vector<SystemTime> invalid {
        with([](SystemTime& t) { t.month = 0; }), with([](SystemTime& t) { t.month = 13; }),
        with([](SystemTime& t) { t.day = 32; }), with([](SystemTime& t) { t.day = 0; }),
        with([](SystemTime& t) {
            t.month = 2;
            t.day = 29; // 2026 is no leap year
        }),
        with([](SystemTime& t) { t.hour = 24; }), with([](SystemTime& t) { t.minute = 60; }),
        with([](SystemTime& t) { t.second = 60; }),
        with([](SystemTime& t) { t.milliseconds = 1000; }),
        with([](SystemTime& t) { t.milliseconds = 65036; }), // a delay of -1500 ms
    };
    for (const SystemTime& t : invalid)
        EXPECT_FALSE(under.clock.SetUtc(t));
    EXPECT_TRUE(under.journal.calls.empty());
}

TEST(LinuxSystemClockTest, PermittedRightIsRaisedOnlyAroundTheCall)
{
    ClockUnderTest under(TimeCapability::State::PermittedOnly);
    EXPECT_TRUE(under.clock.SetUtc(kValid));
    // 2026-12-06 09:30:15.250 UTC
    const std::vector<std::string> expected { "query", "raise", "set 1796549415.250", "drop" };
    EXPECT_EQ(under.journal.calls, expected);
}

TEST(LinuxSystemClockTest, ARightAlreadyHeldIsLeftAsFound)
{
    ClockUnderTest under(TimeCapability::State::Effective);
    EXPECT_TRUE(under.clock.SetUtc(kValid));
    EXPECT_EQ(under.journal.calls, (std::vector<std::string> { "query", "set 1796549415.250" }));
}

TEST(LinuxSystemClockTest, SystemWithoutCapabilitiesStillSets)
{
    ClockUnderTest under(TimeCapability::State::NoCapabilityModel);
    EXPECT_TRUE(under.clock.EnableSystemTimePrivilege());
    under.clock.DisableSystemTimePrivilege();
    EXPECT_TRUE(under.clock.SetUtc(kValid));
    EXPECT_EQ(under.journal.calls.back(), "set 1796549415.250");
}

TEST(LinuxSystemClockTest, MissingOrUnraisableRightFailsWithoutTouchingTheClock)
{
    ClockUnderTest absent(TimeCapability::State::Absent);
    EXPECT_FALSE(absent.clock.SetUtc(kValid));
    EXPECT_EQ(absent.journal.calls, std::vector<std::string> { "query" });

    ClockUnderTest refused(TimeCapability::State::PermittedOnly, 0, false);
    EXPECT_FALSE(refused.clock.SetUtc(kValid));
    EXPECT_EQ(refused.journal.calls, (std::vector<std::string> { "query", "raise" }));
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
