// `tavrolin skin SOURCE.dbf [--kind polygon|line|point]`: the skin for GME without a window.
// The source is the file dialog's answer to "...", --kind chooses the object kind after reading
// (over the kind the reader detected), then "##" runs. On success the skin's path is printed.
#include <filesystem>

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

    Main& main = ctx.main();
    Form& form = ctx.form();
    std::error_code error;
    const std::filesystem::path source = std::filesystem::absolute(args.front(), error);
    ctx.platform.openFileReplies.push_back(error ? args.front() : source.string());
    form.raise("btnSource", Event::Click);
    if (!main.sourceRead) return commandExitCode(ctx);

    const int kindIndex = kind ? static_cast<int>(*kind) : -1;
    if (kindIndex >= 0 && main.kind != kindIndex) {
        form.setValue("SVID", 0, kindIndex);
        form.setValue("SVID", 1, kindIndex);
    }
    if (main.kindName.empty()) {
        ctx.err << "tavrolin skin: the object kind was not detected; give --kind "
                   "polygon, line or point\n";
    }
    const std::size_t shownBefore = ctx.platform.shownFiles.size();
    form.raise("btnMakeSkin", Event::Click);
    const int exitCode = commandExitCode(ctx);
    if (exitCode == 0 && ctx.platform.shownFiles.size() > shownBefore) {
        ctx.out << ctx.platform.shownFiles.back() << "\n";
    }
    return exitCode;
}

}  // namespace tavrolin
