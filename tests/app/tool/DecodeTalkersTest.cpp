// velarin-tool decode --talkers gp prints, byte for byte, what the GP-only decoder always
// printed for every receiver capture (length and FNV-1a of the whole output); --talkers all
// reads a GN receiver.
#include "support/NmeaSentence.h"

#include <QProcess>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

namespace velarin {
namespace {

uint64_t fnv1a(const QByteArray& bytes)
{
    uint64_t hash = 0xcbf29ce484222325ull;
    for (const char c : bytes)
        hash = (hash ^ static_cast<uint8_t>(c)) * 0x100000001b3ull;
    return hash;
}

QByteArray decode(const std::string& file, const char* talkers)
{
    QProcess tool;
    tool.start(QStringLiteral(VELARIN_TOOL_PATH),
        { QStringLiteral("decode"), QStringLiteral("--talkers"), QString::fromLatin1(talkers),
            QString::fromStdString(file) });
    EXPECT_TRUE(tool.waitForFinished(60000));
    EXPECT_EQ(tool.exitCode(), 0);
    return tool.readAllStandardOutput();
}

TEST(DecodeTalkersTest, GpOnlyOutputIsUnchangedAndAllReadsGnReceivers)
{
    const struct {
        const char* name;
        qsizetype length;
        uint64_t hash;
    } kExpected[] = {
        { "GPSmap-76S.log", 97526, 0x73e3eb2a68069923ull },
        { "ac12_binary.log", 39939, 0xbb34a331f7160c99ull },
        { "bundg_zeus_9.log", 1213015, 0x942f07e79afeab27ull },
        { "hemi.log", 62835, 0x0dca2ecde97f979eull },
        { "magellan-ec10.log", 14070, 0x49266f1a6dfdf406ull },
        { "quectel-l76k-dual.log", 936403, 0xdfa265c61d6626a1ull },
        { "skytraq-dgps.log", 390811, 0x780630b3b7bf01acull },
        { "telit-he910.log", 1191415, 0x3f0fefcf0a578065ull },
    };
    const auto files = test::NmeaCaptureFiles();
    if (files.empty())
        GTEST_SKIP() << "no receiver captures";
    int checked = 0;
    for (const std::string& file : files) {
        for (const auto& expected : kExpected) {
            if (file.size() < std::strlen(expected.name)
                || file.compare(
                       file.size() - std::strlen(expected.name), std::string::npos, expected.name)
                    != 0)
                continue;
            SCOPED_TRACE(expected.name);
            const QByteArray gp = decode(file, "gp");
            EXPECT_EQ(gp.size(), expected.length);
            EXPECT_EQ(fnv1a(gp), expected.hash);
            ++checked;
            if (std::string(expected.name) == "quectel-l76k-dual.log") {
                const QByteArray all = decode(file, "all");
                EXPECT_EQ(all.count("\"sentence\": \"GNRMC\""), 130);
                EXPECT_TRUE(all.contains("\"system\": \"GLONASS\""));
                EXPECT_TRUE(all.contains("\"system\": \"BeiDou\""));
            }
        }
    }
    EXPECT_EQ(checked, 8);
}

} // namespace
} // namespace velarin
