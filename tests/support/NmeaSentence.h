#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace velarin::test {

// "$" + content + "*HH\r\n" with the checksum over content (address, separator and body).
inline std::string NmeaSentence(std::string_view content)
{
    unsigned checksum = 0;
    for (char c : content)
        checksum ^= static_cast<unsigned char>(c);
    char digits[8];
    std::snprintf(digits, sizeof digits, "*%02X\r\n", checksum);
    return "$" + std::string(content) + digits;
}

// Reads a whole file as bytes; empty when it cannot be read.
inline std::string ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), {} };
}

// The receiver captures in tests/data/nmea (sorted); finding none fails the calling test, since
// the captures are part of the tree.
inline std::vector<std::string> NmeaCaptureFiles()
{
    std::vector<std::string> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(VELARIN_CAPTURE_DIR, error))
        if (entry.path().extension() == ".log")
            files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    if (files.empty())
        ADD_FAILURE() << "no receiver captures in " << VELARIN_CAPTURE_DIR;
    return files;
}

} // namespace velarin::test
