// velarin-tool decode: replays raw receiver bytes (a capture made with "Log NMEA...", or a live
// stream on standard input) through the parser and prints the record after every known sentence.
#include "app/tool/GpsRecordJson.h"
#include "app/tool/ToolCommand.h"
#include "engine/gps/CNmeaParser.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace velarin::tool {

namespace {

struct Section {
    const char* type;
    const char* key;
    void (*append)(std::string&, const GpsRecord&, bool withSystems);
};

constexpr Section kSections[] = {
    { "GGA", "gga",
        [](std::string& out, const GpsRecord& r, bool) { GpsRecordJson::AppendGga(out, r.gga); } },
    { "GSA", "gsa",
        [](std::string& out, const GpsRecord& r, bool) { GpsRecordJson::AppendGsa(out, r.gsa); } },
    { "GSV", "gsv",
        [](std::string& out, const GpsRecord& r, bool withSystems) {
            GpsRecordJson::AppendGsv(out, r.gsv, withSystems);
        } },
    { "RMB", "rmb",
        [](std::string& out, const GpsRecord& r, bool) { GpsRecordJson::AppendRmb(out, r.rmb); } },
    { "RMC", "rmc",
        [](std::string& out, const GpsRecord& r, bool) { GpsRecordJson::AppendRmc(out, r.rmc); } },
    { "ZDA", "zda",
        [](std::string& out, const GpsRecord& r, bool) { GpsRecordJson::AppendZda(out, r.zda); } },
};

// A line for every sentence of the six types from an accepted talker: GP only, or every
// satellite-system talker.
void printSentence(std::string& line, const CNmeaParser& parser)
{
    const char* address = parser.GetLastAddress();
    const bool all = parser.AcceptsAllTalkers();
    if (std::strlen(address) != 5
        || (all ? TalkerOf(address) == Talker::Other : std::strncmp(address, "GP", 2) != 0))
        return;
    for (const Section& section : kSections) {
        if (std::strcmp(address + 2, section.type) != 0)
            continue;
        line.clear();
        line += "{\"n\": ";
        line += std::to_string(parser.GetSentenceCount());
        line += ", \"sentence\": \"";
        line += address;
        line += "\", \"";
        line += section.key;
        line += "\": ";
        section.append(line, parser.GetRecord(), all);
        line += "}\n";
        std::fwrite(line.data(), 1, line.size(), stdout);
        return;
    }
}

constexpr const char* kUsage = "Usage: velarin-tool decode [--talkers gp|all] [FILE|-]\n";

int runDecode(int argc, char** argv)
{
    bool allTalkers = true;
    const char* file = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--talkers") == 0 && i + 1 < argc
            && (std::strcmp(argv[i + 1], "gp") == 0 || std::strcmp(argv[i + 1], "all") == 0)) {
            allTalkers = std::strcmp(argv[++i], "all") == 0;
        } else if (file == nullptr && (std::strncmp(argv[i], "--", 2) != 0 || argv[i][2] == 0)) {
            file = argv[i];
        } else {
            std::fputs(kUsage, stderr);
            return 2;
        }
    }
    const bool fromStdin = file == nullptr || std::strcmp(file, "-") == 0;
    std::FILE* input = fromStdin ? stdin : std::fopen(file, "rb");
    if (input == nullptr) {
        std::fprintf(
            stderr, "velarin-tool decode: cannot open %s: %s\n", file, std::strerror(errno));
        return 1;
    }

    // The parser holds its buffers inline; keep it off the stack.
    auto parser = std::make_unique<CNmeaParser>();
    parser->SetAcceptAllTalkers(allTalkers);
    std::string line;
    uint8_t buffer[65536];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, input)) > 0) {
        for (std::size_t i = 0; i < got; ++i) {
            const uint32_t before = parser->GetSentenceCount();
            parser->ProcessByte(buffer[i]);
            if (parser->GetSentenceCount() != before)
                printSentence(line, *parser);
        }
    }
    const bool readFailed = std::ferror(input) != 0;
    if (!fromStdin)
        std::fclose(input);
    std::printf("{\"sentence_count\": %u}\n", static_cast<unsigned>(parser->GetSentenceCount()));
    if (readFailed) {
        std::fprintf(stderr, "velarin-tool decode: read error\n");
        return 1;
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}

const ToolRegistration registration { { "decode", "[--talkers gp|all] [FILE|-]",
    "decode raw NMEA bytes (a capture or standard input) and print the GPS record as JSON Lines",
    &runDecode } };

} // namespace

} // namespace velarin::tool
