#include "platform/linux/LinuxKernelPps.h"
#include "platform/linux/KernelPpsCalls.h"

#include <QDir>
#include <QTemporaryDir>
#include <cerrno>
#include <deque>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <variant>

namespace velarin {
namespace {

using Fetched = std::variant<int, PpsCapture>; // an errno value, or the edges stamped so far

// A PPS source scripted fetch by fetch; past the script a fetch sleeps out its time-out. It notes
// the calls that worked (r/w: opened read-only or for writing too, c: closed, m: asked for both
// edges, d: handle closed). Nothing is opened: the handles are made up.
struct ScriptedSource : KernelPpsCalls {
    int Open(const std::string&, int flags) override
    {
        return flags == O_RDWR ? (writable ? (calls += 'w', 40) : -1) : (calls += 'r', 40);
    }
    int Close(int) override { return calls += 'c', 0; }
    int Create(int fd, pps_handle_t& handle) override { return handle = fd, isSource ? 0 : -1; }
    int Destroy(pps_handle_t) override { return calls += 'd', 0; }
    int GetCapabilities(pps_handle_t, int& mode) override { return mode = PPS_CAPTUREBOTH, 0; }
    int GetParams(pps_handle_t, pps_params_t&) override { return 0; }
    int SetParams(pps_handle_t, const pps_params_t& params) override
    {
        calls += params.mode == (PPS_CAPTUREBOTH | PPS_TSFMT_TSPEC) ? "m" : "?";
        return -1; // refused, as for a reader: the source still serves
    }
    int Fetch(pps_handle_t, const timespec& timeout, PpsCapture& stamped) override
    {
        timeoutsMs.push_back(timeout.tv_sec * 1000 + timeout.tv_nsec / 1000000);
        Fetched step = ETIMEDOUT;
        if (!script.empty())
            step = script.front(), script.pop_front();
        if (const int* error = std::get_if<int>(&step))
            return errno = *error, -1;
        return stamped = std::get<PpsCapture>(step), 0;
    }

    bool writable = true, isSource = true;
    std::deque<Fetched> script;
    std::string calls;
    std::vector<long> timeoutsMs;
};

TEST(LinuxKernelPps, ArmsTheBoundSourceAndTakesTheNextEdgeOfItsPolarityUntilTheSourceIsGone)
{
    QTemporaryDir sysfs; // names a source bound to the serial device
    ASSERT_TRUE(QDir(sysfs.path()).mkpath("pps3"));
    std::ofstream(sysfs.filePath("pps3/path").toStdString()) << "/nonexistent/ttyS7\n";
    ScriptedSource source;
    LinuxKernelPps pps(source, sysfs.path().toStdString());
    const PpsCapture armed { 4, 7, 100, 200 }, cleared { 4, 8, 100, 1100 },
        asserted { 5, 7, 1300, 200 }, both { 5, 8, 1300, 1100 }, clearLater { 5, 8, 1300, 1400 };
    using enum PpsEdge;
    using enum LineEventResult;
    // opens for writing, is a source, fetches (the first arms), edge, time-out, result, stamp,
    // calls that worked (detaching closes the source last)
    const std::tuple<bool, bool, std::vector<Fetched>, PpsEdge, int, LineEventResult, int64_t,
        std::string>
        cases[] = {
            { false, false, {}, Any, 0, Failed, -1, "rc" }, // no PPS source: never armed
            { false, true, { ENODEV }, Any, 0, Failed, -1, "rmd" }, // gone while arming
            { true, true, { armed, EINTR, armed, cleared, both }, Assert, 60000, Changed, 1300,
                "wmd" },
            { true, true, { armed, asserted, both }, Clear, 60000, Changed, 1100, "wmd" },
            { true, true, { armed, clearLater }, Any, 60000, Changed, 1400, "wmd" },
            { true, true, { armed, armed }, Any, 60000, TimedOut, -1, "wmd" }, // quiet
            { true, true, { armed, armed }, Any, 0, TimedOut, -1, "wmd" }, // no time left
            { true, true, { armed, armed, ENODEV }, Any, 60000, Failed, -1, "wmd" },
        };
    for (const auto& [writable, isSource, script, edge, timeoutMs, result, taken, calls] : cases) {
        source.writable = writable, source.isSource = isSource;
        source.script.assign(script.begin(), script.end());
        source.calls.clear();
        source.timeoutsMs.clear();
        pps.Attach("/nonexistent/ttyS7");
        const bool arms = !script.empty() && std::holds_alternative<PpsCapture>(script[0]);
        EXPECT_EQ(pps.Arm(), arms ? "/dev/pps3" : "") << calls;
        int64_t stamp = -1;
        EXPECT_EQ(pps.Wait(edge, timeoutMs, stamp), result) << calls;
        EXPECT_EQ(stamp, taken);
        // The first fetch of a wait only looks; later ones sleep in the kernel for what is left.
        const auto& t = source.timeoutsMs;
        EXPECT_TRUE(t.size() < 3 || (t[1] == 0 && t.back() > 0 && t.back() <= timeoutMs));
        pps.Detach();
        EXPECT_EQ(std::tuple(source.calls, pps.Arm()), std::tuple(calls, "")) << "forgotten";
    }
}

// The system's calls on a plain file: refused as no PPS source.
TEST(KernelPpsCalls, AFileThatIsNoPpsSourceIsRefused)
{
    QTemporaryDir dir;
    std::ofstream(dir.filePath("pps-not").toStdString()) << "";
    KernelPpsCalls calls;
    const int fd = calls.Open(dir.filePath("pps-not").toStdString(), O_RDONLY);
    ASSERT_GE(fd, 0);
    int handle = -1, mode = 0;
    pps_params_t params {};
    PpsCapture stamped;
    EXPECT_EQ(std::tuple(calls.Create(fd, handle), calls.GetCapabilities(fd, mode),
                  calls.GetParams(fd, params), calls.SetParams(fd, params),
                  calls.Fetch(fd, {}, stamped), calls.Destroy(-1)),
        std::tuple(-1, -1, -1, -1, -1, -1));
    EXPECT_EQ(calls.Close(fd), 0);
}

} // namespace
} // namespace velarin
