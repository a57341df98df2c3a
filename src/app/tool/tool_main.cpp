// velarin-tool: diagnostics that share the program's engine. Its output formats are read by
// other programs; change them only on purpose.
#include "app/tool/ToolCommand.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

namespace velarin::tool {

namespace {
std::vector<ToolCommand>& registry()
{
    static std::vector<ToolCommand> commands;
    return commands;
}
} // namespace

const std::vector<ToolCommand>& RegisteredCommands()
{
    return registry();
}

ToolRegistration::ToolRegistration(ToolCommand command)
{
    auto& commands = registry();
    auto at = std::lower_bound(commands.begin(), commands.end(), command,
        [](const ToolCommand& a, const ToolCommand& b) { return a.name < b.name; });
    commands.insert(at, command);
}

} // namespace velarin::tool

namespace {

void printHelp(std::FILE* out)
{
    std::fprintf(out,
        "Usage: velarin-tool COMMAND [OPTIONS]\n\n"
        "Diagnostics for Velarin. None of them sets the system clock.\n\n"
        "Commands:\n");
    for (const auto& command : velarin::tool::RegisteredCommands()) {
        std::fprintf(out, "  %.*s %.*s\n      %.*s\n", static_cast<int>(command.name.size()),
            command.name.data(), static_cast<int>(command.usage.size()), command.usage.data(),
            static_cast<int>(command.summary.size()), command.summary.data());
    }
    std::fprintf(out, "\nOptions:\n  --help     show this text\n  --version  show the version\n");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        printHelp(stderr);
        return 2;
    }
    const std::string first = argv[1];
    if (first == "--help" || first == "-h" || first == "help") {
        printHelp(stdout);
        return 0;
    }
    if (first == "--version") {
        std::printf("velarin-tool %s\n", VELARIN_VERSION);
        return 0;
    }
    for (const auto& command : velarin::tool::RegisteredCommands()) {
        if (command.name == first)
            return command.run(argc - 1, argv + 1);
    }
    std::fprintf(stderr, "velarin-tool: unknown command '%s' (see velarin-tool --help)\n", argv[1]);
    return 2;
}
