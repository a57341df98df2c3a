// velarin-tool's commands as other programs run them, against loopback servers where needed.
#include "support/IrigDecoder.h"
#include "support/LoopbackDaytimeServer.h"
#include "support/LoopbackSntpServer.h"
#include "support/NmeaSentence.h"

#include "base/Calendar.h"
#include "engine/gps/CNmeaParser.h"

#include <QDateTime>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <map>
#include <regex>

namespace velarin {
namespace {

using test::LoopbackDaytimeServer;
using test::LoopbackSntpServer;

struct ToolRun {
    QByteArray out;
    QString err;
    int exitCode = -1;
};

// Runs velarin-tool to its end (bounded), `input` on its standard input; its output goes to
// `outputFile` when one is named.
ToolRun runTool(
    const QStringList& arguments, const std::string& input = {}, const QString& outputFile = {})
{
    QProcess tool;
    tool.setStandardOutputFile(outputFile);
    tool.start(VELARIN_TOOL_PATH, arguments);
    tool.write(input.data(), static_cast<qint64>(input.size()));
    tool.closeWriteChannel();
    if (!tool.waitForFinished(60000)) {
        tool.kill();
        tool.waitForFinished();
    }
    return { tool.readAllStandardOutput(), QString::fromUtf8(tool.readAllStandardError()),
        tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1 };
}

// decode --talkers gp prints, byte for byte, what the GP-only decoder always printed for every
// capture (length and FNV-1a of the output); --talkers all reads a GN receiver.
TEST(DecodeCommandTest, GpOnlyOutputIsUnchangedAndAllReadsGnReceivers)
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
    const QString captures = VELARIN_CAPTURE_DIR "/";
    for (const auto& [file, sizeAndHash] : expected) {
        const ToolRun gp = runTool({ "decode", "--talkers", "gp", captures + file.c_str() });
        EXPECT_EQ(gp.exitCode, 0);
        uint64_t hash = 0xcbf29ce484222325ull;
        for (const char c : gp.out)
            hash = (hash ^ static_cast<uint8_t>(c)) * 0x100000001b3ull;
        EXPECT_EQ(std::make_pair(gp.out.size(), hash), sizeAndHash) << file;
    }
    const QByteArray all
        = runTool({ "decode", "--talkers", "all", captures + "quectel-l76k-dual.log" }).out;
    EXPECT_EQ(all.count("\"sentence\": \"GNRMC\""), 130);
    EXPECT_TRUE(all.contains("\"system\": \"GLONASS\"") && all.contains("\"system\": \"BeiDou\""));
}

TEST(DecodeCommandTest, FormatOfCharactersRealsAndStandardInput)
{
    const ToolRun run = runTool({ "decode", "-" },
        test::NmeaSentence("GPRMB,\xE9,0.1,\"\\,,,,,,,0.30000000000000004,,,") + "$GPGGA,\r"
            + "$GPXXX,1\r");
    EXPECT_EQ(run.exitCode, 0);
    const QList<QByteArray> lines = run.out.split('\n');
    ASSERT_EQ(lines.size(), 4); // two records, the total, and the empty text after the last \n
    EXPECT_TRUE(lines[0].startsWith(R"({"n": 1, "sentence": "GPRMB", "rmb": {"status": "é", )"));
    // The trailing empty field is a NUL character.
    for (const char* part : { R"("steer": "\"")", R"("range": 0.30000000000000004,)",
             R"("arrival": "\u0000", "count": 1})" })
        EXPECT_TRUE(lines[0].contains(part)) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].contains(R"("fix_quality": 208,)"));
    EXPECT_EQ(lines[2], R"({"sentence_count": 3})");
}

// One frame per second on the second, silence after it, at each compression (15 by default).
TEST(IrigCommand, WritesOneFramePerSecondOnTheSecond)
{
    using Times = std::vector<std::tuple<int, int, int, int, int>>;
    const Times newYear { { 23, 59, 57, 366, 86397 }, { 23, 59, 58, 366, 86398 },
        { 23, 59, 59, 366, 86399 }, { 0, 0, 0, 1, 0 } };
    const struct {
        QString options;
        uint32_t rate;
        Times times;
        int letter;
    } cases[] = {
        { "--compression|0|--start|2004-12-31 23:59:57|--seconds|4", 16000, newYear, 0 },
        { "--compression|30|--start|2004-12-31 23:59:57|--seconds|4", 16300, newYear, 0 },
        { "--twelve-hour|--start|2003-03-01 13:15:00|--seconds|1", 16150,
            { { 1, 15, 0, 60, 47700 } }, 'P' },
    };
    QTemporaryDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rate);
        const QString path = dir.filePath(QString("irig-%1.wav").arg(c.rate));
        ASSERT_EQ(
            runTool(QStringList { "irig", "--wav", path } + c.options.split('|')).exitCode, 0);
        const auto wav = test::ReadWavFile(path.toStdString());
        ASSERT_TRUE(wav.error.empty()) << wav.error;
        EXPECT_EQ(
            std::tie(wav.sampleRate, wav.channels, wav.bitsPerSample), std::tuple(c.rate, 1, 16));
        ASSERT_EQ(wav.samples.size(), c.times.size() * c.rate);
        const auto frames = test::DecodeIrigStream(wav.samples);
        ASSERT_EQ(frames.size(), c.times.size());
        for (size_t k = 0; k < frames.size(); ++k) {
            ASSERT_TRUE(frames[k].valid) << frames[k].error;
            EXPECT_EQ(std::tuple(frames[k].startSample, frames[k].Time()),
                std::tuple(k * c.rate, c.times[k]));
            EXPECT_TRUE(c.letter == 0 || frames[k].letter == c.letter);
            for (size_t i = k * c.rate + 16000; i < (k + 1) * c.rate; ++i)
                ASSERT_EQ(wav.samples[i], 0) << i;
        }
    }
}

TEST(NetTool, PrintsOneJsonLineForAnAnswerOrItsError)
{
    using Sntp = LoopbackSntpServer::Behaviour;
    using Daytime = LoopbackDaytimeServer::Behaviour;
    LoopbackSntpServer good(Sntp::Good, -0.5), kiss(Sntp::KissOfDeath), mute(Sntp::Silent);
    LoopbackDaytimeServer day(Daytime::SendAndClose, LoopbackDaytimeServer::NistLine());
    LoopbackDaytimeServer truncated(Daytime::SendAndClose, "\n53009 04-01-05 12:34:56\n");
    LoopbackDaytimeServer month13(
        Daytime::SendAndClose, "\n53009 04-13-05 12:34:56 00 0 0 50.0 UTC(NIST) *\n");
    LoopbackDaytimeServer silent(Daytime::NeverAnswer);
    const std::string timeOut = R"(\{"error":"no answer within the time-out"\}\n)";
    const struct {
        std::string arguments;
        int port, exitCode;
        std::string line;
    } cases[] = {
        { "sntp 127.0.0.1", good.Port(), 0,
            R"(\{"server":"127\.0\.0\.1","port":)" + std::to_string(good.Port())
                + R"(,"leap":0,"stratum":1,"offset":-0\.[2-7]\d{8},"delay":-?\d+\.\d{9}\}\n)" },
        { "sntp 127.0.0.1", kiss.Port(), 1,
            R"x(\{"error":"kiss-of-death reply \(stratum 0\)"\}\n)x" },
        { "sntp 127.0.0.1 --timeout-ms 100", mute.Port(), 1, timeOut },
        { "daytime 127.0.0.1", day.Port(), 0,
            R"(\{"year":2004,"month":1,"day":5,"hour":12,"minute":34,"second":56,)"
            R"("advance_ms":50\}\n)" },
        { "daytime 127.0.0.1", truncated.Port(), 1, R"(\{"error":"incomplete reply"\}\n)" },
        { "daytime 127.0.0.1", month13.Port(), 1, R"(\{"error":"reply out of range"\}\n)" },
        { "daytime 127.0.0.1 --timeout-ms 100", silent.Port(), 1, timeOut },
    };
    for (const auto& c : cases) {
        const ToolRun run = runTool(
            QString::fromStdString(c.arguments + " --port " + std::to_string(c.port)).split(' '));
        EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments;
        EXPECT_TRUE(std::regex_match(run.out.toStdString(), std::regex(c.line)))
            << run.out.toStdString();
    }
}

// On standard output: the systems asked for, checked sentences whose time is true time plus the
// offset; and an end once the sentences can no longer be written (here to a full device).
TEST(SimulateGpsCommand, SendsTheSystemsAndOffsetAskedForAndEndsWhenItCannotWrite)
{
    const qint64 started = QDateTime::currentMSecsSinceEpoch();
    const ToolRun run = runTool(
        { "simulate-gps", "--systems", "gps,beidou", "--sentences", "GGA,GSV,ZDA", "--satellites",
            "4", "--quality", "2", "--offset-ms", "7000", "--latency-ms", "0", "--duration", "1" });
    EXPECT_TRUE(run.out.contains("$GBGSV") && !run.out.contains("$GLGSV")) << run.out.toStdString();
    CNmeaParser parser; // all talkers by default
    parser.ProcessBytes(reinterpret_cast<const uint8_t*>(run.out.data()), size_t(run.out.size()));
    EXPECT_EQ(std::tuple(run.exitCode, parser.GetZda().count, parser.GetGga().satellites,
                  parser.GetGga().fixQuality),
        std::tuple(0, 1u, 8, 2)); // four in use per system
    const SystemTime time = parser.GetReceiverTime(2).value(); // from ZDA
    EXPECT_NEAR(double(*ToUnixMilliseconds(time) - started), 7000.0, 2500.0);
    EXPECT_EQ(runTool({ "simulate-gps" }, {}, "/dev/full").exitCode, 0);
}

// Arguments split at '|': the exit status and a fragment of what the command printed.
TEST(ToolCommands, HelpUsageErrorsAndFailuresTellWhatHappened)
{
    const QString irig = "irig|--wav|/nonexistent/x.wav|--start|", badStart = "bad --start '";
    const QString feb1 = irig + "2004-02-01 00:00:00|--seconds|", sim = "simulate-gps|";
    const QString simUsage = "usage: velarin-tool simulate-gps", badPort = "bad argument '--port'";
    const QString decodeUsage = "Usage: velarin-tool decode [";
    const QString noWav = "irig|--start|2004-02-01 00:00:00|--seconds|1";
    const QString seconds = "--seconds takes 1 to 86400", irigUsage = "usage: velarin-tool irig";
    const struct {
        QString arguments;
        int exitCode;
        QString fragment;
    } cases[] = { { "", 2, "Usage: velarin-tool COMMAND [OPTIONS]" },
        { "--help", 0, "Commands:\n  daytime HOST [--port P] [--timeout-ms T]\n" },
        { "--version", 0, "velarin-tool " VELARIN_VERSION "\n" },
        { "frob", 2, "unknown command 'frob' (see velarin-tool --help)" },
        { "sntp", 2, "Usage: velarin-tool sntp HOST [--port P] [--timeout-ms T]" },
        { "sntp|127.0.0.1|--port|0", 2, badPort }, { "sntp|127.0.0.1|--port", 2, badPort },
        { "daytime|::1|--port|99999", 2, badPort }, { "sntp|a|b", 2, "bad argument 'b'" },
        { "daytime|127.0.0.1|--timeout-ms|x", 2, "bad argument '--timeout-ms'" },
        { "decode|--help", 0, decodeUsage + "--talkers gp|all] [FILE|-]\n" },
        { "decode|--talkers|xy", 2, decodeUsage }, { "decode|a|b", 2, decodeUsage },
        { "decode|/nonexistent/capture.log", 1, "cannot open /nonexistent/capture.log" },
        { sim + "--talker|GP|--quality|x", 2, simUsage }, { sim + "--quality|10", 2, simUsage },
        { sim + "--sentences|GGA,XYZ", 2, simUsage }, { sim + "--talker|GX", 2, simUsage },
        { sim + "--systems|gps,,beidou", 2, simUsage }, { sim + "--satellites", 2, simUsage },
        { sim + "--latency-ms|1000", 2, simUsage }, { "daytime|-x", 2, "bad argument '-x'" },
        { irig + "2004-02-30 00:00:00|--seconds|1", 2, badStart + "2004-02-30 00:00:00'" },
        { irig + "2004-2-01 00:00:00|--seconds|1", 2, badStart },
        { irig + "2004-02-01T00:00:00|--seconds|1", 2, badStart }, { feb1, 2, seconds },
        { feb1 + "0", 2, seconds }, { feb1 + "1x", 2, seconds },
        { feb1 + "1|--compression|31", 2, "--compression takes 0 to 30" },
        { feb1 + "1|--bogus|1", 2, irigUsage }, { "irig|--wav", 2, irigUsage },
        { noWav, 2, irigUsage }, { noWav + "|--wav|/dev/full", 1, "cannot write /dev/full" },
        { feb1 + "1", 1, "Sound output Cannot Open Device!" } };
    for (const auto& c : cases) {
        const ToolRun run = runTool(c.arguments.isEmpty() ? QStringList() : c.arguments.split('|'));
        EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments.toStdString();
        EXPECT_TRUE((QString::fromUtf8(run.out) + run.err).contains(c.fragment))
            << c.arguments.toStdString() << ": " << run.err.toStdString();
    }
}

} // namespace
} // namespace velarin
