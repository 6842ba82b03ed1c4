// `tavrolin convert SOURCE.dbf [--by types|depth] [--scheme dd|topo|user|clear]
// [--kind polygon|line|point] [--translit] [--lower] [--no-levels] [--mpc] [--no-names]`: a
// conversion without a window. The source is the file dialog's answer to "...", the options are
// the window's check boxes, --kind chooses the object kind after reading (over the kind the
// reader detected), --scheme presses its button of the depth block, then the "!!!" of the types
// block (--by types, the default) or of the depth block (--by depth) runs.
#include <filesystem>

#include "cli/commands.h"
#include "cli/scheme_option.h"

namespace tavrolin {

namespace {

constexpr const char* kCommand = "convert";

int kindIndexOf(const std::string& kind) {
    if (kind == "polygon") return 0;
    if (kind == "line") return 1;
    if (kind == "point") return 2;
    return -1;
}

}  // namespace

int runConvertCommand(CliContext& ctx, const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    bool kindMissing = false;
    const std::optional<std::string> kind = takeOption(args, "--kind", &kindMissing);
    const int kindIndex = kind ? kindIndexOf(*kind) : -1;
    if (kindMissing || (kind && kindIndex < 0)) {
        return usageError(ctx, kCommand, "--kind takes polygon, line or point");
    }
    bool byMissing = false;
    const std::optional<std::string> by = takeOption(args, "--by", &byMissing);
    if (byMissing || (by && *by != "types" && *by != "depth")) {
        return usageError(ctx, kCommand, "--by takes types or depth");
    }
    const bool byDepth = by && *by == "depth";
    const SchemeOption scheme = takeSchemeOption(args);
    if (!scheme.problem.empty()) return usageError(ctx, kCommand, scheme.problem);
    if (scheme.choice && !byDepth) {
        return usageError(ctx, kCommand, "--scheme colours the conversion --by depth only");
    }
    const bool translit = takeFlag(args, "--translit");
    const bool lower = takeFlag(args, "--lower");
    const bool noLevels = takeFlag(args, "--no-levels");
    const bool garmin = takeFlag(args, "--mpc");
    const bool noNames = takeFlag(args, "--no-names");
    if (args.empty()) return usageError(ctx, kCommand, "no source table given");
    for (const std::string& arg : args) {
        if (arg.rfind("--", 0) == 0) return usageError(ctx, kCommand, "unknown option " + arg);
    }
    if (args.size() > 1) return usageError(ctx, kCommand, "one source table only");
    // The window hides and clears the transliteration box in English, so that labels are never
    // transliterated there; the command line keeps to the same rule.
    if (translit && !ctx.main().russian) {
        return usageError(ctx, kCommand, "--translit needs the Russian interface (--lang ru)");
    }

    Main& main = ctx.main();
    Form& form = ctx.form();
    // The reader looks at NoName, so it is set before the source is chosen.
    form.setValue("NoName", noNames ? 1 : 0);
    form.setValue("TrnCase", translit ? 1 : 0);
    form.setValue("LowCase", lower ? 1 : 0);
    form.setValue("LvlNull", noLevels ? 1 : 0);
    form.setValue("TagMPC", garmin ? 1 : 0);

    if (!readSourceAndChooseKind(ctx, kCommand, args.front(),
                                 store::kindFromName(kind.value_or("")))) {
        return commandExitCode(ctx);
    }
    if (scheme.choice && !pressSchemeButton(ctx, *scheme.choice)) return commandExitCode(ctx);
    form.raise(byDepth ? "btnMakeName" : "btnMakeType", Event::Click);
    const int exitCode = commandExitCode(ctx);
    if (exitCode == 0) ctx.out << main.sourceFolder + main.outputFileName << "\n";
    return exitCode;
}

}  // namespace tavrolin
