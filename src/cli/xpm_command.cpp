// `tavrolin xpm NAME`: the icon icons/NAME.gif of the program's home as the XPM text that a
// skin receives, on standard output (UTF-8, CR LF between lines and after the last). Message
// lines go to standard error; a failure line there and exit 1 when the icon cannot be
// converted.
#include "app/skin_routing.h"
#include "cli/commands.h"
#include "skin/icon_xpm.h"

namespace tavrolin {

int runXpmCommand(CliContext& ctx, const std::vector<std::string>& args) {
    if (args.size() != 1 || args.front().empty()) {
        return usageError(ctx, "xpm", "give one icon name");
    }
    if (args.front().rfind("--", 0) == 0) {
        return usageError(ctx, "xpm", "unknown option " + args.front());
    }
    Result<std::string> xpm = skin::Icon2Xpm(ctx.main(), skinServices(), args.front());
    if (xpm) ctx.out << *xpm << "\r\n" << std::flush;
    return xpm ? commandExitCode(ctx) : 1;
}

}  // namespace tavrolin
