// `tavrolin skin SOURCE.dbf [--kind polygon|line|point]`: the skin for GME without a window.
// The source is the file dialog's answer to "...", --kind chooses the object kind after reading
// (over the kind the reader detected), then "##" runs. On success the skin's path is printed.
#include "cli/commands.h"
#include "store/object_kind.h"

namespace tavrolin {

namespace {

constexpr const char* kCommand = "skin";

}  // namespace

int runSkinCommand(CliContext& ctx, const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    bool kindMissing = false;
    const std::optional<std::string> kindText = takeOption(args, "--kind", &kindMissing);
    const std::optional<store::ObjectKind> kind =
        kindText ? store::kindFromName(*kindText) : std::nullopt;
    if (kindMissing || (kindText && !kind)) {
        return usageError(ctx, kCommand, "--kind takes polygon, line or point");
    }
    if (args.empty()) return usageError(ctx, kCommand, "no source table given");
    for (const std::string& arg : args) {
        if (arg.rfind("--", 0) == 0) return usageError(ctx, kCommand, "unknown option " + arg);
    }
    if (args.size() > 1) return usageError(ctx, kCommand, "one source table only");

    if (!readSourceAndChooseKind(ctx, kCommand, args.front(), kind)) return commandExitCode(ctx);
    const std::size_t shownBefore = ctx.platform.shownFiles.size();
    ctx.form().raise("btnMakeSkin", Event::Click);
    const int exitCode = commandExitCode(ctx);
    if (exitCode == 0 && ctx.platform.shownFiles.size() > shownBefore) {
        ctx.out << ctx.platform.shownFiles.back() << "\n";
    }
    return exitCode;
}

}  // namespace tavrolin
