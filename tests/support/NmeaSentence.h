#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velarin::test {

// "$" + content + "*HH\r\n" with the checksum over content (address, separator and body).
std::string NmeaSentence(std::string_view content);

// Reads a whole file as bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::string& path);

// The receiver captures in tests/data/nmea (sorted); finding none fails the calling test.
std::vector<std::string> NmeaCaptureFiles();

} // namespace velarin::test
