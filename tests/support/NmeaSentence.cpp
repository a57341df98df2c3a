#include "support/NmeaSentence.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace velarin::test {

std::string NmeaSentence(std::string_view content)
{
    unsigned checksum = 0;
    for (char c : content)
        checksum ^= static_cast<unsigned char>(c);
    char digits[8];
    std::snprintf(digits, sizeof digits, "*%02X\r\n", checksum);
    return "$" + std::string(content) + digits;
}

std::string ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::vector<std::string> NmeaCaptureFiles()
{
    std::vector<std::string> files;
    // The shared folder sits beside the checkout; a worktree one level deeper finds it higher up.
    std::filesystem::path folder = std::filesystem::path(VELARIN_SHARED_DIR) / "nmea-logs";
    std::filesystem::path up = VELARIN_SOURCE_DIR;
    for (int level = 0; level < 3 && !std::filesystem::is_directory(folder); ++level) {
        up = up.parent_path();
        folder = up / "shared" / "nmea-logs";
    }
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (entry.path().extension() == ".log")
            files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace velarin::test
