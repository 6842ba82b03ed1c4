// tavrolin: opens the window, or runs a command headless when one is given (or when there is
// no display to open a window on).
#include <iostream>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "gui/qt_window.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty()) return tavrolin::runCommandLine(argv[0], args);
    if (!tavrolin::hasDisplay()) {
        std::cerr << "tavrolin: no display to open the window on; use a command:\n"
                  << tavrolin::commandLineUsage();
        return 2;
    }
    return tavrolin::runWindow(argc, argv);
}
