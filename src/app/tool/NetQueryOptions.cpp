#include "app/tool/NetQueryOptions.h"

#include <charconv>
#include <cstdio>
#include <cstring>

namespace velarin::tool {

namespace {
bool parseInt(const char* text, int low, int high, int& out)
{
    const char* end = text + std::strlen(text);
    int value = 0;
    const auto result = std::from_chars(text, end, value);
    if (result.ec != std::errc() || result.ptr != end || value < low || value > high)
        return false;
    out = value;
    return true;
}
} // namespace

std::optional<NetQueryOptions> ParseNetQueryOptions(
    int argc, char** argv, int defaultPort, int defaultTimeoutMs)
{
    NetQueryOptions options;
    options.port = defaultPort;
    options.timeoutMs = defaultTimeoutMs;
    const char* name = argc > 0 ? argv[0] : "query";
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--port" && hasValue && parseInt(argv[i + 1], 1, 65535, options.port)) {
            ++i;
        } else if (arg == "--timeout-ms" && hasValue
            && parseInt(argv[i + 1], 1, 600000, options.timeoutMs)) {
            ++i;
        } else if (!arg.empty() && arg[0] != '-' && options.host.empty()) {
            options.host = arg;
        } else {
            std::fprintf(stderr, "velarin-tool %s: bad argument '%s'\n", name, arg.c_str());
            options.host.clear();
            break;
        }
    }
    if (options.host.empty()) {
        std::fprintf(stderr, "Usage: velarin-tool %s HOST [--port P] [--timeout-ms T]\n", name);
        return std::nullopt;
    }
    return options;
}

std::string JsonString(const std::string& text)
{
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

int PrintJsonError(const std::string& text)
{
    std::printf("{\"error\":%s}\n", JsonString(text).c_str());
    return 1;
}

} // namespace velarin::tool
