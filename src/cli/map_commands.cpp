// `tavrolin mp-labels MAP.mp` and `tavrolin mp-retype MAP.mp [--scheme dd|topo|user|clear]`: the
// "MP" and "RM" buttons without a window. --scheme first presses its button of the depth block,
// which decides the type scale of the retyping (DrDepth's for dd, the coarse one otherwise). The
// map is the file dialog's answer; on success the output's path is printed.
#include <filesystem>

#include "cli/commands.h"
#include "cli/scheme_option.h"
#include "store/file_io.h"

namespace tavrolin {

namespace {

int runMapButton(CliContext& ctx, std::vector<std::string> args, const char* command,
                 const char* button) {
    const SchemeOption scheme = takeSchemeOption(args);
    if (!scheme.problem.empty()) return usageError(ctx, command, scheme.problem);
    if (scheme.choice && std::string(button) != "btnReadRmp") {
        return usageError(ctx, command, "--scheme chooses the scale of mp-retype only");
    }
    for (const std::string& arg : args) {
        if (arg.rfind("--", 0) == 0) return usageError(ctx, command, "unknown option " + arg);
    }
    if (args.empty()) return usageError(ctx, command, "no map given");
    if (args.size() > 1) return usageError(ctx, command, "one map only");

    if (scheme.choice && !pressSchemeButton(ctx, *scheme.choice)) return commandExitCode(ctx);

    std::error_code error;
    const std::filesystem::path map =
        std::filesystem::absolute(store::io::pathFromUtf8(args.front()), error);
    const std::string path = error ? args.front() : store::io::utf8FromPath(map);
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
