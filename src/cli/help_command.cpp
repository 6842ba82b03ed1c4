// `tavrolin help`: the usage of the program and of every command, on standard output.
#include "cli/command_line.h"
#include "cli/commands.h"

namespace tavrolin {

int runHelpCommand(CliContext& ctx, const std::vector<std::string>& /*args*/) {
    ctx.out << commandLineUsage();
    return 0;
}

}  // namespace tavrolin
