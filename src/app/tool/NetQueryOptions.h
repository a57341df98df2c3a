#pragma once

#include <optional>
#include <string>

namespace velarin::tool {

// "HOST [--port P] [--timeout-ms T]", shared by the network query commands.
struct NetQueryOptions {
    std::string host;
    int port = 0;
    int timeoutMs = 0;
};

// Parses argv after the command's name; on a bad argument prints the reason and the usage on
// stderr and returns nullopt.
std::optional<NetQueryOptions> ParseNetQueryOptions(
    int argc, char** argv, int defaultPort, int defaultTimeoutMs);

// Prints {"error":"text"} on stdout and returns the failure exit code 1.
int PrintJsonError(const std::string& text);

// The text as a JSON string literal, quotes included.
std::string JsonString(const std::string& text);

} // namespace velarin::tool
