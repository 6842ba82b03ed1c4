// migrova: with OLD.dbf NEW.dbf, carries the user's types headless; without arguments, opens
// the window when there is a display and otherwise says how to run it.
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "cli/migrova_command_line.h"
#include "gui/qt_display.h"
#include "gui/qt_migrova_application.h"
#include "store/common_services.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const std::filesystem::path self = tavrolin::store::executablePath(argv[0]);
    const std::string programFolder = self.parent_path().string() + "/";
    if (!args.empty()) {
        return tavrolin::runMigrovaCommandLine(programFolder, args, std::cout, std::cerr);
    }
    if (!tavrolin::hasDisplay()) {
        std::cerr << "migrova: no display to open the window on\n" << tavrolin::migrovaUsage();
        return 1;
    }
    int qtArgc = 1;  // Qt takes no arguments of ours
    return tavrolin::runMigrovaWindow(qtArgc, argv, programFolder);
}
