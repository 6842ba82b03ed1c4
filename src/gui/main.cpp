// tavrolin: with a command, runs it headless; without one, opens the window when there is a
// display and otherwise says so and shows the command-line usage. Options without a command
// (--home, --lang) apply to the window.
#include <iostream>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "gui/map_painter.h"
#include "gui/qt_application.h"
#include "gui/qt_display.h"
#include "store/common_services.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    tavrolin::setMapPngPainter(&tavrolin::writeMapPng);
    const std::string self = tavrolin::store::executablePath(argv[0]);
    tavrolin::WindowOptions window;
    window.executablePath = self;
    if (!args.empty()) {
        std::string error;
        auto options = tavrolin::parseCommandLine(args, &error);
        if (!options || !options->command.empty()) return tavrolin::runCommandLine(self, args);
        window.home = options->home;
        window.russian = options->russian;
    }
    if (!tavrolin::hasDisplay()) {
        std::cerr << "tavrolin: no display to open the window on; use a command:\n"
                  << tavrolin::commandLineUsage();
        return 2;
    }
    // Qt takes its own arguments (-platform ...) from argv; ours were read above.
    int qtArgc = 1;
    return tavrolin::runWindow(qtArgc, argv, window);
}
