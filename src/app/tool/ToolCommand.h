#pragma once

#include <string_view>
#include <vector>

namespace velarin::tool {

// One subcommand of velarin-tool. Each lives in its own source file and registers itself with a
// static ToolRegistration, so adding one touches no other file.
struct ToolCommand {
    std::string_view name;
    std::string_view usage; // the argument synopsis after the name
    std::string_view summary; // one line for --help
    int (*run)(int argc, char** argv); // argv[0] is the subcommand's name
};

const std::vector<ToolCommand>& RegisteredCommands();

struct ToolRegistration {
    explicit ToolRegistration(ToolCommand command);
};

} // namespace velarin::tool
