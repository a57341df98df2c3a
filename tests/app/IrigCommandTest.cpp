#include "support/IrigDecoder.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

int runTool(const QStringList& arguments, QString* errors = nullptr)
{
    QProcess tool;
    tool.start(VELARIN_TOOL_PATH, arguments);
    if (!tool.waitForFinished(60000)) {
        tool.kill();
        tool.waitForFinished();
        return -1;
    }
    if (errors != nullptr)
        *errors = QString::fromUtf8(tool.readAllStandardError());
    return tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
}

TEST(IrigCommand, WritesOneFramePerSecondOnTheSecondAtEachCompression)
{
    QTemporaryDir dir;
    for (int compression : { 0, 15, 30 }) {
        const QString path = dir.filePath(QString("irig-%1.wav").arg(compression));
        ASSERT_EQ(runTool({ "irig", "--wav", path, "--start", "2004-12-31 23:59:57", "--seconds",
                      "4", "--compression", QString::number(compression) }),
            0);
        const auto wav = velarin::test::ReadWavFile(path.toStdString());
        ASSERT_TRUE(wav.error.empty()) << wav.error;
        const uint32_t rate = 16000 + 10 * compression;
        EXPECT_EQ(
            std::tie(wav.sampleRate, wav.channels, wav.bitsPerSample), std::tuple(rate, 1, 16));
        ASSERT_EQ(wav.samples.size(), 4u * rate);
        const auto frames = velarin::test::DecodeIrigStream(wav.samples);
        ASSERT_EQ(frames.size(), 4u) << compression;
        const int seconds[] = { 57, 58, 59, 0 };
        for (size_t k = 0; k < 4; ++k) {
            ASSERT_TRUE(frames[k].valid) << frames[k].error;
            EXPECT_EQ(frames[k].startSample, k * rate) << compression;
            EXPECT_EQ(frames[k].Time(),
                k < 3 ? std::tuple(23, 59, seconds[k], 366, 86397 + int(k))
                      : std::tuple(0, 0, 0, 1, 0));
            // Silence fills the rest of each second.
            for (size_t i = k * rate + 16000; i < (k + 1) * rate; ++i)
                ASSERT_EQ(wav.samples[i], 0) << i;
        }
    }
}

TEST(IrigCommand, TwelveHourOptionSendsTheLetter)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("twelve.wav");
    ASSERT_EQ(runTool({ "irig", "--wav", path, "--start", "2003-03-01 13:15:00", "--seconds", "1",
                  "--twelve-hour" }),
        0);
    const auto wav = velarin::test::ReadWavFile(path.toStdString());
    EXPECT_EQ(wav.sampleRate, 16150u); // no --compression: the program's default, 15
    const auto frames = velarin::test::DecodeIrigStream(wav.samples);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].Time(), std::tuple(1, 15, 0, 60, 47700));
    EXPECT_EQ(frames[0].letter, 'P');
}

TEST(IrigCommand, RejectsBadArguments)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("bad.wav");
    const QStringList bad[] = {
        { "irig", "--wav", path, "--start", "2004-02-30 00:00:00", "--seconds", "1" },
        { "irig", "--wav", path, "--start", "2004-02-01 24:00:00", "--seconds", "1" },
        { "irig", "--wav", path, "--start", "2004-2-01 00:00:00", "--seconds", "1" },
        { "irig", "--wav", path, "--start", "2004-02-01 00:00:00", "--seconds", "0" },
        { "irig", "--wav", path, "--start", "2004-02-01 00:00:00", "--seconds", "1x" },
        { "irig", "--wav", path, "--start", "2004-02-01 00:00:00", "--seconds", "1",
            "--compression", "31" },
        { "irig", "--start", "2004-02-01 00:00:00", "--seconds", "1" },
        { "irig", "--wav" },
    };
    for (const auto& arguments : bad)
        EXPECT_EQ(runTool(arguments), 2) << arguments.join(' ').toStdString();
    QString errors;
    EXPECT_EQ(runTool({ "irig", "--wav", dir.filePath("missing/x.wav"), "--start",
                          "2004-02-01 00:00:00", "--seconds", "1" },
                  &errors),
        1);
    EXPECT_TRUE(errors.contains("Sound output Cannot Open Device!")) << errors.toStdString();
}

} // namespace
