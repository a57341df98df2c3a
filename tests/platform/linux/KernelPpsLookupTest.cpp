#include "platform/linux/KernelPpsLookup.h"
#include "platform/PpsCapture.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace velarin;
namespace fs = std::filesystem;

TEST(KernelPpsLookup, FindsTheSourceWhosePathNamesTheTtyWithoutOpeningIt)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const fs::path pps = root.filePath("class/pps").toStdString();
    const fs::path tty = root.filePath("ttyUSB3").toStdString();
    std::ofstream(tty.string()) << "";
    fs::create_symlink(tty, root.filePath("gps0").toStdString());
    const std::pair<const char*, std::string> sources[] = { { "pps0", "" }, // a GPIO source
        { "pps1", "/dev/ttyS1\n" }, { "pps2", tty.string() + "\n" }, { "pps3", tty.string() } };
    for (const auto& [name, path] : sources) {
        fs::create_directories(pps / name);
        std::ofstream((pps / name / "path").string()) << path;
    }

    EXPECT_EQ(FindKernelPpsDevice("/dev/ttyS1", pps.string()), "/dev/pps1");
    EXPECT_EQ(FindKernelPpsDevice(tty.string(), pps.string()), "/dev/pps2"); // the first
    EXPECT_EQ(FindKernelPpsDevice(root.filePath("gps0").toStdString(), pps.string()), "/dev/pps2");
    EXPECT_EQ(FindKernelPpsDevice("/dev/ttyS0", pps.string()), "");
    EXPECT_EQ(FindKernelPpsDevice("", pps.string()), "");
    EXPECT_EQ(FindKernelPpsDevice("/dev/ttyS1", (pps / "absent").string()), "");
}

TEST(KernelPpsEdges, PolarityPicksAssertClearOrTheLaterOfBoth)
{
    const PpsCapture before { 4, 7, 100, 200 };
    const PpsCapture bothLater { 5, 8, 1300, 1100 };
    const struct {
        PpsEdge edge;
        PpsCapture now;
        std::optional<int64_t> taken;
    } cases[] = {
        { PpsEdge::Assert, bothLater, 1300 },
        { PpsEdge::Clear, bothLater, 1100 },
        { PpsEdge::Any, bothLater, 1300 },
        { PpsEdge::Any, { 4, 8, 100, 900 }, 900 },
        { PpsEdge::Assert, { 4, 8, 100, 900 }, std::nullopt }, // only a clear edge came
        { PpsEdge::Any, before, std::nullopt },
    };
    for (const auto& c : cases) {
        PpsCapture seen = before;
        EXPECT_EQ(TakePpsEdge(c.edge, c.now, seen), c.taken);
        EXPECT_EQ(seen.assertSequence, c.taken ? c.now.assertSequence : before.assertSequence);
    }
}
