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
    const char* address;
    const char* key;
    void (*append)(std::string&, const GpsRecord&);
};

constexpr Section kSections[] = {
    { "GPGGA", "gga",
        [](std::string& out, const GpsRecord& r) { GpsRecordJson::AppendGga(out, r.gga); } },
    { "GPGSA", "gsa",
        [](std::string& out, const GpsRecord& r) { GpsRecordJson::AppendGsa(out, r.gsa); } },
    { "GPGSV", "gsv",
        [](std::string& out, const GpsRecord& r) { GpsRecordJson::AppendGsv(out, r.gsv); } },
    { "GPRMB", "rmb",
        [](std::string& out, const GpsRecord& r) { GpsRecordJson::AppendRmb(out, r.rmb); } },
    { "GPRMC", "rmc",
        [](std::string& out, const GpsRecord& r) { GpsRecordJson::AppendRmc(out, r.rmc); } },
    { "GPZDA", "zda",
        [](std::string& out, const GpsRecord& r) { GpsRecordJson::AppendZda(out, r.zda); } },
};

void printSentence(std::string& line, const CNmeaParser& parser)
{
    const char* address = parser.GetLastAddress();
    for (const Section& section : kSections) {
        if (std::strcmp(address, section.address) != 0)
            continue;
        line.clear();
        line += "{\"n\": ";
        line += std::to_string(parser.GetSentenceCount());
        line += ", \"sentence\": \"";
        line += section.address;
        line += "\", \"";
        line += section.key;
        line += "\": ";
        section.append(line, parser.GetRecord());
        line += "}\n";
        std::fwrite(line.data(), 1, line.size(), stdout);
        return;
    }
}

int runDecode(int argc, char** argv)
{
    if (argc > 2
        || (argc == 2
            && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0))) {
        std::fprintf(argc > 2 ? stderr : stdout, "Usage: velarin-tool decode [FILE|-]\n");
        return argc > 2 ? 2 : 0;
    }
    const bool fromStdin = argc < 2 || std::strcmp(argv[1], "-") == 0;
    std::FILE* input = fromStdin ? stdin : std::fopen(argv[1], "rb");
    if (input == nullptr) {
        std::fprintf(
            stderr, "velarin-tool decode: cannot open %s: %s\n", argv[1], std::strerror(errno));
        return 1;
    }

    // The parser holds its buffers inline; keep it off the stack.
    auto parser = std::make_unique<CNmeaParser>();
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

const ToolRegistration registration { { "decode", "[FILE|-]",
    "decode raw NMEA bytes (a capture or standard input) and print the GPS record as JSON Lines",
    &runDecode } };

} // namespace

} // namespace velarin::tool
