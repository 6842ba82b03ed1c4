// `tavrolin mp-labels MAP.mp` and `tavrolin mp-retype MAP.mp`: the "MP" and "RM" buttons without
// a window. The map is the file dialog's answer; on success the output's path is printed.
#include <filesystem>

#include "cli/commands.h"

namespace tavrolin {

namespace {

int runMapButton(CliContext& ctx, const std::vector<std::string>& args, const char* command,
                 const char* button) {
    for (const std::string& arg : args) {
        if (arg.rfind("--", 0) == 0) return usageError(ctx, command, "unknown option " + arg);
    }
    if (args.empty()) return usageError(ctx, command, "no map given");
    if (args.size() > 1) return usageError(ctx, command, "one map only");

    std::error_code error;
    const std::filesystem::path map = std::filesystem::absolute(args.front(), error);
    const std::string path = error ? args.front() : map.string();
    ctx.platform.openFileReplies.push_back(path);
    ctx.form().raise(button, Event::Click);
    const int exitCode = commandExitCode(ctx);
    if (exitCode == 0 && !ctx.platform.shownFiles.empty()) {
        ctx.out << ctx.platform.shownFiles.back() << "\n";
    }
    return exitCode;
}

}  // namespace

int runMapLabelsCommand(CliContext& ctx, const std::vector<std::string>& args) {
    return runMapButton(ctx, args, "mp-labels", "btnReadShp");
}

int runMapRetypeCommand(CliContext& ctx, const std::vector<std::string>& args) {
    return runMapButton(ctx, args, "mp-retype", "btnReadRmp");
}

}  // namespace tavrolin
