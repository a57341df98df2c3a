// decode --talkers gp prints, byte for byte, what the GP-only decoder always printed for every
// capture (length and FNV-1a of the output); --talkers all reads a GN receiver.
#include "support/NmeaSentence.h"

#include <QProcess>
#include <gtest/gtest.h>

#include <map>

namespace velarin {
namespace {

QByteArray decode(const std::string& file, const char* talkers)
{
    QProcess tool;
    tool.start(VELARIN_TOOL_PATH, { "decode", "--talkers", talkers, QString::fromStdString(file) });
    EXPECT_TRUE(tool.waitForFinished(60000));
    return tool.readAllStandardOutput();
}

TEST(DecodeTalkersTest, GpOnlyOutputIsUnchangedAndAllReadsGnReceivers)
{
    const std::map<std::string, std::pair<qsizetype, uint64_t>> expected {
        { "GPSmap-76S.log", { 97526, 0x73e3eb2a68069923ull } },
        { "ac12_binary.log", { 39939, 0xbb34a331f7160c99ull } },
        { "bundg_zeus_9.log", { 1213015, 0x942f07e79afeab27ull } },
        { "hemi.log", { 62835, 0x0dca2ecde97f979eull } },
        { "magellan-ec10.log", { 14070, 0x49266f1a6dfdf406ull } },
        { "quectel-l76k-dual.log", { 936403, 0xdfa265c61d6626a1ull } },
        { "skytraq-dgps.log", { 390811, 0x780630b3b7bf01acull } },
        { "telit-he910.log", { 1191415, 0x3f0fefcf0a578065ull } },
    };
    const auto files = test::NmeaCaptureFiles();
    if (files.empty())
        GTEST_SKIP() << "no receiver captures";
    size_t checked = 0;
    std::string gnReceiver;
    for (const std::string& file : files) {
        const auto found = expected.find(file.substr(file.find_last_of('/') + 1));
        if (found == expected.end())
            continue;
        ++checked;
        if (found->first == "quectel-l76k-dual.log")
            gnReceiver = file;
        const QByteArray gp = decode(file, "gp");
        uint64_t hash = 0xcbf29ce484222325ull;
        for (const char c : gp)
            hash = (hash ^ static_cast<uint8_t>(c)) * 0x100000001b3ull;
        EXPECT_EQ(std::make_pair(gp.size(), hash), found->second) << file;
    }
    EXPECT_EQ(checked, expected.size());
    const QByteArray all = decode(gnReceiver, "all");
    EXPECT_EQ(all.count("\"sentence\": \"GNRMC\""), 130);
    EXPECT_TRUE(all.contains("\"system\": \"GLONASS\"") && all.contains("\"system\": \"BeiDou\""));
}

} // namespace
} // namespace velarin
