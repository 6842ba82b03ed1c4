// The table of commands of the headless front end: one line per command. See commands.h for how
// to add one.
#include "cli/commands.h"

namespace tavrolin {

// Commands, one declaration each; each lives in its own <name>_command.cpp.
int runHelpCommand(CliContext& ctx, const std::vector<std::string>& args);
int runGuideCommand(CliContext& ctx, const std::vector<std::string>& args);
int runConvertCommand(CliContext& ctx, const std::vector<std::string>& args);
int runPreviewCommand(CliContext& ctx, const std::vector<std::string>& args);
int runSkinCommand(CliContext& ctx, const std::vector<std::string>& args);
int runXpmCommand(CliContext& ctx, const std::vector<std::string>& args);
int runMapLabelsCommand(CliContext& ctx, const std::vector<std::string>& args);
int runMapRetypeCommand(CliContext& ctx, const std::vector<std::string>& args);

namespace {

constexpr CommandSpec kCommands[] = {
    {"help", "help", runHelpCommand},
    {"guide", "guide", runGuideCommand},
    {"convert",
     "convert SOURCE.dbf [--by types|depth] [--scheme dd|topo|user|clear] "
     "[--kind polygon|line|point] [--translit] [--lower] [--no-levels] [--mpc] [--no-names]",
     runConvertCommand},
    {"preview",
     "preview SOURCE.dbf [--kind polygon|line|point] [--by types|depth] "
     "[--scheme dd|topo|user|clear] --png OUT.png [--size 1600x1000] [--scale NAME] [--all]",
     runPreviewCommand},
    {"skin", "skin SOURCE.dbf [--kind polygon|line|point]", runSkinCommand},
    {"xpm", "xpm NAME", runXpmCommand, true},
    {"mp-labels", "mp-labels MAP.mp", runMapLabelsCommand},
    {"mp-retype", "mp-retype MAP.mp [--scheme dd|topo|user|clear]", runMapRetypeCommand},
};

}  // namespace

std::span<const CommandSpec> commandTable() { return kCommands; }

}  // namespace tavrolin
