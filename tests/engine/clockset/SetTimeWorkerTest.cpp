#include "engine/clockset/SetTimeWorker.h"

#include "platform/sim/SimulatedSystemClock.h"
#include "support/FakeConnectivity.h"
#include "support/FakeThreadPriority.h"
#include "support/LogFileUnderTest.h"

#include <gtest/gtest.h>

#include <atomic>

namespace velarin {
namespace {

using namespace std::chrono_literals;

class SetTimeWorkerTest : public ::testing::Test {
protected:
    void TearDown() override { worker.StopSetTimeThread(); }
    // A GPS procedure that counts its calls and gives `result`.
    void countGps(int result)
    {
        worker.SetGpsProcedure([this, result] {
            ++calls;
            return result;
        });
    }

    AppState app;
    SimulatedSystemClock clock;
    SystemLog log { clock };
    test::LogFileUnderTest logFile { log };
    test::FakeConnectivity connectivity;
    test::FakeThreadPriority priority;
    std::atomic<int> calls { 0 };
    SetTimeWorker worker { app, log, connectivity, priority };
};

TEST_F(SetTimeWorkerTest, QuickSuccessiveRequestsStartOneRun)
{
    worker.SetGpsProcedure([&] {
        ++calls;
        worker.Cancellation().SleepFor(10s); // held until stopped
        return 0;
    });
    app.timeReferenceUsable = 1;
    const auto first = worker.StartSetTimeThread();
    const auto second = worker.StartSetTimeThread();
    EXPECT_NE(first, 0u);
    EXPECT_EQ(first, second);
    while (calls.load() == 0)
        std::this_thread::sleep_for(1ms);
    EXPECT_EQ(worker.IsSetTimeBusy(), 1);
    EXPECT_EQ(worker.StopSetTimeThread(), 1);
    EXPECT_EQ(calls.load(), 1);
    EXPECT_EQ(worker.StopSetTimeThread(), 0);
}

TEST_F(SetTimeWorkerTest, UnlockedGpsMakesOneAttemptAndStopsAtTheFirstCheck)
{
    countGps(0); // no lock: the procedure fails at once
    app.timeReferenceUsable = 0;
    ASSERT_NE(worker.StartSetTimeThread(), 0u);
    ASSERT_TRUE(worker.WaitUntilIdle(5s));
    EXPECT_EQ(calls.load(), 1);
    EXPECT_EQ(worker.IsSetTimeBusy(), 0);
    const std::vector<std::string> expected { "SetTimeThread::SetTime", "SetTime using GPS" };
    EXPECT_EQ(logFile.Lines(), expected);
    using L = ThreadPriorityLevel;
    const std::vector<L> priorities { L::AboveNormal, L::Normal, L::AboveNormal, L::Normal };
    EXPECT_EQ(priority.Calls(), priorities);
}

TEST_F(SetTimeWorkerTest, NetworkWithoutInternetMakesSixAttemptsAndRaisesTheFailureFlag)
{
    worker.SetNetworkProcedure([&](CancelSignal&) { return ++calls; });
    app.useNetworkTime = 1;
    app.timeReferenceUsable = 1;
    connectivity.connected = false;
    ASSERT_NE(worker.StartSetTimeThread(), 0u);
    ASSERT_TRUE(worker.WaitUntilIdle(10s));
    EXPECT_EQ(connectivity.checks.load(), SetTimeWorker::kAttempts);
    EXPECT_EQ(calls.load(), 0);
    EXPECT_EQ(app.networkFailure.load(), 1);
    EXPECT_EQ(logFile.Lines(), std::vector<std::string> { "SetTimeThread::SetTime" });
    connectivity.connected = true;
    EXPECT_EQ(worker.SetTime(), 1);
    worker.Cancellation().Cancel();
    EXPECT_EQ(worker.SetTime(), 0) << "a stopped run tries nothing";
    EXPECT_EQ(calls.load(), 1);
}

TEST_F(SetTimeWorkerTest, AFinishedRunNeverBlocksTheNextOne)
{
    // The handle is recorded before the thread can clear it: a run that ends at once must leave
    // the worker free for the next request, every time.
    countGps(1);
    app.timeReferenceUsable = 1;
    SetTimeWorker::RunHandle previous = 0;
    for (int i = 0; i < 200; ++i) {
        const auto run = worker.StartSetTimeThread();
        ASSERT_NE(run, 0u);
        ASSERT_TRUE(worker.WaitUntilIdle(5s)) << "run " << i;
        EXPECT_NE(run, previous);
        previous = run;
    }
    EXPECT_EQ(calls.load(), 200);
}

} // namespace
} // namespace velarin
