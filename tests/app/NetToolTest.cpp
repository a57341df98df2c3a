// velarin-tool sntp and daytime against loopback servers: the output lines other programs read.
#include "support/LoopbackDaytimeServer.h"
#include "support/LoopbackSntpServer.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <regex>
#include <string>
#include <sys/wait.h>

using velarin::test::LoopbackDaytimeServer;
using velarin::test::LoopbackSntpServer;

namespace {

struct ToolRun {
    std::string out;
    int exitCode = -1;
};

ToolRun runTool(const std::string& arguments)
{
    ToolRun run;
    const std::string command = std::string(VELARIN_TOOL_PATH) + " " + arguments + " 2>/dev/null";
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return run;
    char buffer[512];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.out.append(buffer, got);
    const int status = ::pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

// A failed query: exit code 1 and one JSON line naming the error.
void expectError(const std::string& arguments, int port, const std::string& error)
{
    const ToolRun run = runTool(arguments + " --port " + std::to_string(port));
    EXPECT_EQ(run.exitCode, 1) << arguments;
    EXPECT_EQ(run.out, "{\"error\":\"" + error + "\"}\n");
}

} // namespace

TEST(NetTool, SntpPrintsOneJsonLine)
{
    LoopbackSntpServer server(LoopbackSntpServer::Behaviour::Good, -0.5);
    const ToolRun run = runTool("sntp 127.0.0.1 --port " + std::to_string(server.Port()));
    EXPECT_EQ(run.exitCode, 0);
    std::smatch match;
    const std::regex line(R"(\{"server":"127\.0\.0\.1","port":(\d+),"leap":0,"stratum":1,)"
                          R"("offset":(-?\d+\.\d{9}),"delay":(-?\d+\.\d{9})\}\n)");
    ASSERT_TRUE(std::regex_match(run.out, match, line)) << run.out;
    EXPECT_EQ(std::stoi(match[1]), server.Port());
    EXPECT_NEAR(std::stod(match[2]), -0.5, 0.25);

    LoopbackSntpServer kiss(LoopbackSntpServer::Behaviour::KissOfDeath);
    expectError("sntp 127.0.0.1", kiss.Port(), "kiss-of-death reply (stratum 0)");
    LoopbackSntpServer silent(LoopbackSntpServer::Behaviour::Silent);
    expectError("sntp 127.0.0.1 --timeout-ms 100", silent.Port(), "no answer within the time-out");
}

TEST(NetTool, DaytimePrintsTheParsedFields)
{
    LoopbackDaytimeServer server(LoopbackDaytimeServer::Behaviour::SendAndClose,
        LoopbackDaytimeServer::NistLine(53009, 4, 1, 5, 12, 34, 56, "50.0"));
    const ToolRun run = runTool("daytime 127.0.0.1 --port " + std::to_string(server.Port()));
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out,
        "{\"year\":2004,\"month\":1,\"day\":5,\"hour\":12,\"minute\":34,\"second\":56,"
        "\"advance_ms\":50}\n");

    LoopbackDaytimeServer truncated(
        LoopbackDaytimeServer::Behaviour::SendAndClose, "\n53009 04-01-05 12:34:56\n");
    expectError("daytime 127.0.0.1", truncated.Port(), "incomplete reply");
    LoopbackDaytimeServer silent(LoopbackDaytimeServer::Behaviour::NeverAnswer);
    expectError(
        "daytime 127.0.0.1 --timeout-ms 100", silent.Port(), "no answer within the time-out");
}

TEST(NetTool, BadArgumentsAreUsageErrors)
{
    for (const char* arguments : { "sntp", "sntp 127.0.0.1 --port 0",
             "daytime 127.0.0.1 --port 99999", "daytime 127.0.0.1 --timeout-ms x", "sntp a b" })
        EXPECT_EQ(runTool(arguments).exitCode, 2) << arguments;
}
