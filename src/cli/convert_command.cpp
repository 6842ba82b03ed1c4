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

}  // namespace

int runConvertCommand(CliContext& ctx, const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    const MapChoice choice = takeMapChoice(args, "the conversion");
    if (!choice.problem.empty()) return usageError(ctx, kCommand, choice.problem);
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

    if (!readSourceAndChooseKind(ctx, kCommand, args.front(), choice.kind)) {
        return commandExitCode(ctx);
    }
    if (choice.scheme && !pressSchemeButton(ctx, *choice.scheme)) return commandExitCode(ctx);
    form.raise(choice.byDepth ? "btnMakeName" : "btnMakeType", Event::Click);
    const int exitCode = commandExitCode(ctx);
    if (exitCode == 0) ctx.out << main.sourceFolder + main.outputFileName << "\n";
    return exitCode;
}

}  // namespace tavrolin
