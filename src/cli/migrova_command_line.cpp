#include "cli/migrova_command_line.h"

#include <filesystem>

#include "migrova/migrova_window.h"
#include "store/file_io.h"
#include "store/scripted_platform.h"

namespace tavrolin {

namespace {

// The dialog's answer for a path given on the command line: absolute, as a dialog gives it.
std::string dialogAnswer(const std::string& path) {
    std::error_code ignored;
    const std::filesystem::path absolute =
        std::filesystem::absolute(store::io::pathFromUtf8(path), ignored);
    return absolute.empty() ? path : store::io::utf8FromPath(absolute);
}

}  // namespace

std::string migrovaUsage() {
    return "usage: migrova OLD.dbf NEW.dbf\n"
           "  carries the types added or changed in the old template table (up to v11) into\n"
           "  the new one (v12), which is updated in place.\n"
           "Without arguments and with a display, migrova opens its window.\n";
}

int runMigrovaCommandLine(const std::string& programFolder, const std::vector<std::string>& args,
                          std::ostream& out, std::ostream& err) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        out << migrovaUsage();
        return 0;
    }
    if (args.size() != 2) {
        err << migrovaUsage();
        return 2;
    }
    ScriptedPlatform platform(1049);
    platform.onMessage = [&out](const MessageQuestion& box) {
        out << box.title << ": " << box.prompt << "\n";
    };
    migrova::MigrovaWindow window(platform, programFolder);
    const Form& form = window.form();

    platform.openFileReplies.push_back(dialogAnswer(args[0]));
    window.OpenOld_Click();
    out << form("AttOld").caption << "\n";
    platform.openFileReplies.push_back(dialogAnswer(args[1]));
    window.OpenNew_Click();
    out << form("AttNew").caption << "\n";
    if (!form("RunJoin").enabled) return 1;

    window.RunJoin_Click();
    const std::string& label = form("AttNew").caption;
    if (label.rfind(" ! ", 0) == 0) out << label << "\n";  // the same-file notice
    const std::string& log = form("Att").text;
    if (!log.empty()) out << log << "\n";
    window.Form_Unload();
    return window.transferSucceeded() ? 0 : 1;
}

}  // namespace tavrolin
