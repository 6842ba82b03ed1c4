#include "cli/commands.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tavrolin {
namespace {

TEST(Commands, TakeOptionRemovesTheOptionAndItsValue) {
    std::vector<std::string> args = {"src.dbf", "--kind", "line", "--translit", "--kind=point"};
    bool missing = true;
    EXPECT_EQ(takeOption(args, "--kind", &missing), "point");  // the last one wins
    EXPECT_FALSE(missing);
    EXPECT_TRUE(takeFlag(args, "--translit"));
    EXPECT_FALSE(takeFlag(args, "--translit"));
    EXPECT_EQ(args, std::vector<std::string>{"src.dbf"});

    std::vector<std::string> dangling = {"src.dbf", "--kind"};
    EXPECT_EQ(takeOption(dangling, "--kind", &missing), std::nullopt);
    EXPECT_TRUE(missing);
    EXPECT_EQ(dangling, std::vector<std::string>{"src.dbf"});
}

TEST(Commands, EveryCommandHasAUsageStartingWithItsName) {
    ASSERT_NE(findCommand("help"), nullptr);
    EXPECT_EQ(findCommand("no-such-command"), nullptr);
    for (const CommandSpec& command : commandTable()) {
        EXPECT_EQ(std::string(command.usage).rfind(command.name, 0), 0u) << command.name;
        EXPECT_NE(command.run, nullptr);
    }
}

TEST(Commands, ExitCodeAndUsageError) {
    ScriptedPlatform platform;
    MainWindow window(platform, StartOptions{});
    std::ostringstream out;
    std::ostringstream err;
    CliContext ctx{window, platform, out, err, {}};
    EXPECT_EQ(commandExitCode(ctx), 0);  // nothing said is no failure
    ctx.lastMessage = " * nothing to convert";
    EXPECT_EQ(commandExitCode(ctx), 1);
    ctx.lastMessage = " ! RunType: 70. permission denied";
    EXPECT_EQ(commandExitCode(ctx), 1);
    ctx.lastMessage = " table written: /tmp/a-imc.dbf";
    EXPECT_EQ(commandExitCode(ctx), 0);

    EXPECT_EQ(usageError(ctx, "help", "takes no arguments"), 2);
    EXPECT_EQ(err.str(),
              "tavrolin help: takes no arguments\n"
              "usage: tavrolin [--home DIR] [--lang ru|en] help\n");
}

}  // namespace
}  // namespace tavrolin
