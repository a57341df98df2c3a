// Runs the built velarin-tool decode on every receiver capture and checks its JSON Lines against
// a separate, deliberately plain reading of the framing, checksum and field rules written here.
#include "support/NmeaSentence.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace velarin {
namespace {

struct Sentence {
    std::string address;
    std::string body;
};

// Checksum digit value as the receiver stream is read: decimal digits and upper-case letters
// as hex; a first digit keeps its low nibble; a second digit is taken whole after - 0x37.
int digitValue(char c, bool first)
{
    if (c - '0' <= 9)
        return c - '0';
    return first ? c - 7 : c - 0x37;
}

std::vector<Sentence> frameSentences(const std::string& bytes)
{
    std::vector<Sentence> out;
    std::size_t at = 0;
    while ((at = bytes.find('$', at)) != std::string::npos) {
        const std::size_t start = at + 1;
        const std::size_t separator = bytes.find_first_of(",*", start);
        if (separator == std::string::npos)
            break;
        if (separator - start >= 8) { // address too long: hunting resumes after 8 bytes
            at = start + 8;
            continue;
        }
        const std::size_t end = bytes.find_first_of(std::string("*\r", 2), separator + 1);
        if (end == std::string::npos)
            break;
        if (end - separator - 1 >= 256) {
            at = separator + 1 + 256;
            continue;
        }
        Sentence s { bytes.substr(start, separator - start),
            bytes.substr(separator + 1, end - separator - 1) };
        if (bytes[end] == '\r') {
            out.push_back(s);
            at = end + 1;
            continue;
        }
        if (end + 2 >= bytes.size())
            break;
        unsigned sum = static_cast<unsigned char>(bytes[separator]);
        for (char c : s.address + s.body)
            sum ^= static_cast<unsigned char>(c);
        const unsigned received
            = ((static_cast<unsigned>(digitValue(bytes[end + 1], true)) << 4) & 0xFF)
            | (static_cast<unsigned>(digitValue(bytes[end + 2], false)) & 0xFF);
        if (received == sum)
            out.push_back(s);
        at = end + 3;
    }
    return out;
}

std::vector<std::string> splitFields(const std::string& body)
{
    std::vector<std::string> fields;
    std::size_t from = 0;
    for (;;) {
        const std::size_t comma = body.find(',', from);
        fields.push_back(body.substr(from, comma - from).substr(0, 24));
        if (comma == std::string::npos)
            return fields;
        from = comma + 1;
    }
}

bool allDigits(const std::string& text, std::size_t length)
{
    if (text.size() < length)
        return false;
    for (std::size_t i = 0; i < length; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
    }
    return true;
}

bool plainNumber(const std::string& text)
{
    return !text.empty() && text.find_first_not_of("0123456789.") == std::string::npos
        && text.find('.') == text.rfind('.');
}

// Decimal degrees of a clean ddmm.mmmm / dddmm.mmmm field.
double degrees(const std::string& text, std::size_t degreeDigits)
{
    return std::stod(text.substr(degreeDigits)) / 60 + std::stod(text.substr(0, degreeDigits));
}

class DecodeCommandTest : public ::testing::Test {
protected:
    std::vector<QJsonObject> decode(const std::string& file)
    {
        QProcess tool;
        tool.start(
            VELARIN_TOOL_PATH, { "decode", "--talkers", "gp", QString::fromStdString(file) });
        EXPECT_TRUE(tool.waitForFinished(60000));
        EXPECT_EQ(tool.exitCode(), 0);
        std::vector<QJsonObject> lines;
        for (const QByteArray& line : tool.readAllStandardOutput().split('\n')) {
            if (line.isEmpty())
                continue;
            QJsonParseError error;
            const QJsonDocument document = QJsonDocument::fromJson(line, &error);
            EXPECT_EQ(error.error, QJsonParseError::NoError) << line.toStdString();
            lines.push_back(document.object());
        }
        return lines;
    }
};

TEST_F(DecodeCommandTest, CapturesAgreeWithAPlainReading)
{
    const auto files = test::NmeaCaptureFiles();
    if (files.empty())
        GTEST_SKIP() << "no receiver captures";
    const std::map<std::string, std::string> keys = { { "GPGGA", "gga" }, { "GPGSA", "gsa" },
        { "GPGSV", "gsv" }, { "GPRMB", "rmb" }, { "GPRMC", "rmc" }, { "GPZDA", "zda" } };

    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        const auto sentences = frameSentences(test::ReadFileBytes(file));
        const auto lines = decode(file);
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.back().value("sentence_count").toInteger(),
            static_cast<qint64>(sentences.size()));

        std::map<std::string, int> counts;
        std::size_t line = 0;
        int checkedFields = 0;
        for (std::size_t n = 1; n <= sentences.size(); ++n) {
            const Sentence& s = sentences[n - 1];
            const auto key = keys.find(s.address);
            if (key == keys.end())
                continue;
            ASSERT_LT(line + 1, lines.size()) << "missing line for sentence " << n;
            const QJsonObject& json = lines[line++];
            ASSERT_EQ(json.value("n").toInteger(), static_cast<qint64>(n));
            ASSERT_EQ(json.value("sentence").toString().toStdString(), s.address);
            const QJsonObject record = json.value(QString::fromStdString(key->second)).toObject();
            const auto f = splitFields(s.body);
            const auto field = [&](std::size_t i) { return i < f.size() ? f[i] : std::string(); };

            if (s.address == "GPGSV") {
                const long m = std::strtol(field(0).c_str(), nullptr, 10);
                const long k = std::strtol(field(1).c_str(), nullptr, 10);
                if (m >= 1 && m <= 8 && k >= 1 && k <= 9) {
                    ++counts[s.address];
                    const QJsonArray satellites = record.value("satellites").toArray();
                    for (int j = 0; j < 4; ++j) {
                        const std::string prn = field(3 + 4 * j);
                        if (!prn.empty() && prn.size() < 5 && allDigits(prn, prn.size())) {
                            EXPECT_EQ(satellites[(k - 1) * 4 + j].toObject().value("prn").toInt(),
                                std::stoi(prn));
                            ++checkedFields;
                        }
                    }
                }
            } else {
                ++counts[s.address];
            }
            EXPECT_EQ(record.value("count").toInteger(), counts[s.address]) << "sentence " << n;

            if (s.address == "GPGGA" || s.address == "GPRMC" || s.address == "GPZDA") {
                if (allDigits(field(0), 6)) {
                    EXPECT_EQ(record.value("hour").toInt(), std::stoi(field(0).substr(0, 2)));
                    EXPECT_EQ(record.value("minute").toInt(), std::stoi(field(0).substr(2, 2)));
                    EXPECT_EQ(record.value("second").toInt(), std::stoi(field(0).substr(4, 2)));
                    ++checkedFields;
                }
            }
            const std::size_t latitudeField = s.address == "GPGGA" ? 1
                : s.address == "GPRMC"                             ? 2
                                                                   : 0;
            if (latitudeField != 0 && plainNumber(field(latitudeField))
                && field(latitudeField).size() > 4
                && (field(latitudeField + 1) == "N" || field(latitudeField + 1) == "S")) {
                const double expected
                    = degrees(field(latitudeField), 2) * (field(latitudeField + 1) == "S" ? -1 : 1);
                EXPECT_EQ(record.value("latitude").toDouble(), expected) << "sentence " << n;
                const std::string longitude = field(latitudeField + 2);
                if (plainNumber(longitude) && longitude.size() > 5
                    && (field(latitudeField + 3) == "E" || field(latitudeField + 3) == "W")) {
                    EXPECT_EQ(record.value("longitude").toDouble(),
                        degrees(longitude, 3) * (field(latitudeField + 3) == "W" ? -1 : 1));
                }
                ++checkedFields;
            }
            if (s.address == "GPRMC" && allDigits(field(8), 6)) {
                EXPECT_EQ(record.value("day").toInt(), std::stoi(field(8).substr(0, 2)));
                EXPECT_EQ(record.value("month").toInt(), std::stoi(field(8).substr(2, 2)));
                EXPECT_EQ(record.value("year").toInt(), 2000 + std::stoi(field(8).substr(4, 2)));
                ++checkedFields;
            }
            if (s.address == "GPZDA" && allDigits(field(3), 4)) {
                EXPECT_EQ(record.value("year").toInt(), std::stoi(field(3)));
                EXPECT_EQ(record.value("day").toInt(), std::stoi(field(1)));
                ++checkedFields;
            }
            if (s.address == "GPRMB" && field(0).empty()) {
                EXPECT_EQ(record.value("status").toString(), "V");
                EXPECT_EQ(record.value("steer").toString(),
                    field(2).empty() ? "?" : QString::fromStdString(field(2)).left(1));
            }
        }
        EXPECT_EQ(line + 1, lines.size()) << "lines beyond the known sentences";
        EXPECT_GT(checkedFields, 0);
    }
}

TEST_F(DecodeCommandTest, FormatOfCharactersRealsAndStandardInput)
{
    QProcess tool;
    tool.start(VELARIN_TOOL_PATH, { "decode", "-" });
    ASSERT_TRUE(tool.waitForStarted());
    const std::string input = test::NmeaSentence("GPRMB,\xE9,0.1,\"\\,,,,,,,0.30000000000000004,,,")
        + "$GPGGA,\r" + "$GPXXX,1\r";
    tool.write(input.data(), static_cast<qint64>(input.size()));
    tool.closeWriteChannel();
    ASSERT_TRUE(tool.waitForFinished(60000));
    EXPECT_EQ(tool.exitCode(), 0);
    const QList<QByteArray> lines = tool.readAllStandardOutput().split('\n');
    ASSERT_EQ(lines.size(), 4); // two records, the total, and the empty text after the last \n
    EXPECT_TRUE(lines[0].startsWith(R"({"n": 1, "sentence": "GPRMB", "rmb": {"status": "é", )"))
        << lines[0].toStdString();
    EXPECT_TRUE(lines[0].contains(R"("steer": "\"")"));
    EXPECT_TRUE(lines[0].contains(R"("range": 0.30000000000000004,)"));
    EXPECT_TRUE(lines[0].contains(R"("arrival": "\u0000", "count": 1})")); // trailing empty field
    EXPECT_TRUE(lines[1].contains(R"("fix_quality": 208,)"));
    EXPECT_EQ(lines[2], R"({"sentence_count": 3})");

    QProcess missing;
    missing.start(VELARIN_TOOL_PATH, { "decode", "/nonexistent/capture.log" });
    ASSERT_TRUE(missing.waitForFinished(60000));
    EXPECT_EQ(missing.exitCode(), 1);
}

} // namespace
} // namespace velarin
