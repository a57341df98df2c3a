// Throughput of CNmeaParser::ProcessBytes over a realistic 1 MiB receiver stream: the receiver
// captures in tests/data/nmea (several talkers, binary junk, every sentence type) repeated to
// 1 MiB, fed in 512-byte reads as the serial poll delivers them.
//
//   nmea_parser                 Google Benchmark run (bytes per second)
//   nmea_parser --once          one pass over the stream, for instruction counts under callgrind
#include "engine/gps/CNmeaParser.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

namespace {

constexpr std::size_t kStreamSize = 1 << 20;
constexpr std::size_t kReadSize = 512;

std::string& source()
{
    static std::string text;
    return text;
}

std::string captureBytes()
{
    std::string bytes;
    std::error_code error;
    const std::filesystem::path folder = VELARIN_CAPTURE_DIR;
    source() = folder.string();
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (entry.path().extension() != ".log")
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        bytes.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    if (bytes.empty()) {
        source() = "a synthetic one-second cycle";
        // No captures here: a steady receiver's one-second cycle, checksummed.
        for (const char* content :
            { "GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,",
                "GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1",
                "GPGSV,2,1,08,01,40,083,46,02,17,308,41,12,07,344,39,14,22,228,45",
                "GPGSV,2,2,08,15,10,050,30,24,05,150,32,25,60,240,44,29,15,270,40",
                "GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W",
                "GPZDA,123519.00,23,03,2094,00,00" }) {
            unsigned checksum = 0;
            for (const char* c = content; *c != '\0'; ++c)
                checksum ^= static_cast<unsigned char>(*c);
            char tail[8];
            std::snprintf(tail, sizeof tail, "*%02X\r\n", checksum);
            bytes += std::string("$") + content + tail;
        }
    }
    return bytes;
}

const std::string& stream()
{
    static const std::string bytes = [] {
        const std::string source = captureBytes();
        std::string out;
        out.reserve(kStreamSize);
        while (out.size() < kStreamSize)
            out.append(source, 0, std::min(source.size(), kStreamSize - out.size()));
        return out;
    }();
    return bytes;
}

void feed(velarin::CNmeaParser& parser, const std::string& bytes)
{
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
    for (std::size_t at = 0; at < bytes.size(); at += kReadSize)
        parser.ProcessBytes(data + at, std::min(kReadSize, bytes.size() - at));
}

// Argument 1: every talker read (the default setting); 0: GP alone, as before that setting,
// for the cost of the same work.
void BM_ProcessBytes(benchmark::State& state)
{
    const std::string& bytes = stream();
    auto parser = std::make_unique<velarin::CNmeaParser>();
    parser->SetAcceptAllTalkers(state.range(0) != 0);
    for (auto _ : state) {
        feed(*parser, bytes);
        benchmark::DoNotOptimize(parser->GetSentenceCount());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
    state.SetLabel(source());
    state.counters["sentences_per_MiB"]
        = static_cast<double>(parser->GetSentenceCount()) / state.iterations();
}
BENCHMARK(BM_ProcessBytes)->Arg(1)->Arg(0)->ArgName("all_talkers")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--once") == 0) {
        const std::string& bytes = stream();
        auto parser = std::make_unique<velarin::CNmeaParser>();
        feed(*parser, bytes);
        std::printf("%zu bytes from %s, %u sentences\n", bytes.size(), source().c_str(),
            parser->GetSentenceCount());
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
