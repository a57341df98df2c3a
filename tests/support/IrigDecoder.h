#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

namespace velarin::test {

// Reads IRIG-B audio back without sharing anything with the generator: the envelope of each
// 16-sample carrier cycle, each 10-cycle slot classed by its count of full-amplitude cycles
// (2 zero, 5 one, 8 marker), then the fields.
struct IrigFrame {
    size_t startSample = 0;
    bool valid = false; // every slot classed, markers where they belong
    std::string error;
    std::array<char, 100> slots {}; // '0', '1', 'M', or '?'
    int seconds = -1, minutes = -1, hours = -1, dayOfYear = -1, straightBinarySeconds = -1;
    int letter = 0; // slots 50-56 as a 7-bit code

    // Hours, minutes, seconds, day of the year and straight binary seconds, for one comparison.
    std::tuple<int, int, int, int, int> Time() const
    {
        return { hours, minutes, seconds, dayOfYear, straightBinarySeconds };
    }
};

// Decodes one frame of 16000 samples starting at samples[start].
IrigFrame DecodeIrigFrame(const std::vector<int16_t>& samples, size_t start);
// Finds and decodes every frame in a stream where frames follow each other directly or with
// silence (exact zeros) between them.
std::vector<IrigFrame> DecodeIrigStream(const std::vector<int16_t>& samples);

struct WavData {
    uint32_t sampleRate = 0;
    uint16_t channels = 0, bitsPerSample = 0;
    std::vector<int16_t> samples;
    std::string error;
};
WavData ReadWavFile(const std::string& path);
std::vector<int16_t> ReadRawSamples(const std::string& path);

} // namespace velarin::test
