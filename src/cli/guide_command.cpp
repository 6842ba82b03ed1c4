// `tavrolin guide`: writes the user guide beside the program (as the ??? button does) and opens
// nothing, so it works without a desktop.
#include "cli/commands.h"
#include "text/guide.h"

namespace tavrolin {

int runGuideCommand(CliContext& ctx, const std::vector<std::string>& args) {
    if (!args.empty()) return usageError(ctx, "guide", "takes no arguments");
    Main& main = ctx.main();
    const std::string path = guidePath(main);
    Status status = writeGuide(path);
    if (!status) {
        main.fail("btnHelp_Click", status);
    } else {
        main.att(main.tr(" мини-справка записана: ", " the guide is written: ") + path);
    }
    return commandExitCode(ctx);
}

}  // namespace tavrolin
