#include "support/NmeaCaptures.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace velarin::testing {

std::string ReadNmeaCapture(const std::string& name)
{
    namespace fs = std::filesystem;
    std::vector<fs::path> folders;
    if (const char* env = std::getenv("VELARIN_SHARED_DIR"))
        folders.emplace_back(env);
    folders.emplace_back(VELARIN_SHARED_DIR);
    folders.emplace_back(fs::path(VELARIN_SOURCE_DIR) / ".." / ".." / "shared");
    for (const fs::path& folder : folders) {
        const fs::path file = folder / "nmea-logs" / name;
        std::error_code error;
        if (!fs::is_regular_file(file, error))
            continue;
        std::ifstream in(file, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }
    return {};
}

} // namespace velarin::testing
