// Helpers shared by the commands: the exit code by the last message, usage errors, arguments.
#include "cli/commands.h"

#include <algorithm>
#include <filesystem>

#include "store/file_io.h"

namespace tavrolin {

const CommandSpec* findCommand(const std::string& name) {
    for (const CommandSpec& command : commandTable()) {
        if (name == command.name) return &command;
    }
    return nullptr;
}

int commandExitCode(const CliContext& ctx) {
    const std::string& last = ctx.lastMessage;
    if (last.rfind(" * ", 0) == 0 || last.rfind(" ! ", 0) == 0) return 1;
    return 0;
}

int usageError(CliContext& ctx, const std::string& command, const std::string& reason) {
    ctx.err << "tavrolin " << command << ": " << reason << "\n";
    if (const CommandSpec* spec = findCommand(command)) {
        ctx.err << "usage: tavrolin [--home DIR] [--lang ru|en] " << spec->usage << "\n";
    }
    return 2;
}

bool takeFlag(std::vector<std::string>& args, const std::string& flag) {
    auto end = std::remove(args.begin(), args.end(), flag);
    bool found = end != args.end();
    args.erase(end, args.end());
    return found;
}

std::optional<std::string> takeOption(std::vector<std::string>& args, const std::string& option,
                                      bool* missingValue) {
    if (missingValue != nullptr) *missingValue = false;
    std::optional<std::string> value;
    for (std::size_t i = 0; i < args.size();) {
        if (args[i] == option) {
            if (i + 1 >= args.size()) {
                if (missingValue != nullptr) *missingValue = true;
                args.erase(args.begin() + static_cast<std::ptrdiff_t>(i));
                continue;
            }
            value = args[i + 1];  // the last occurrence wins
            args.erase(args.begin() + static_cast<std::ptrdiff_t>(i),
                       args.begin() + static_cast<std::ptrdiff_t>(i + 2));
        } else if (args[i].rfind(option + "=", 0) == 0) {
            value = args[i].substr(option.size() + 1);
            args.erase(args.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
    return value;
}

bool readSourceAndChooseKind(CliContext& ctx, const std::string& command, const std::string& source,
                             std::optional<store::ObjectKind> kind) {
    Main& main = ctx.main();
    Form& form = ctx.form();
    std::error_code error;
    const std::filesystem::path path =
        std::filesystem::absolute(store::io::pathFromUtf8(source), error);
    ctx.platform.openFileReplies.push_back(error ? source : store::io::utf8FromPath(path));
    form.raise("btnSource", Event::Click);
    if (!main.sourceRead) return false;

    if (kind && *kind != store::ObjectKind::None && main.kind != *kind) {
        const int index = store::kindNumber(*kind);
        form.setValue("SVID", 0, index);
        form.setValue("SVID", 1, index);
    }
    if (main.namedKind == store::ObjectKind::None) {
        ctx.err << "tavrolin " << command
                << ": the object kind was not detected; give --kind polygon, line or point\n";
    }
    return true;
}

}  // namespace tavrolin
