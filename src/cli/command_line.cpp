#include "cli/command_line.h"

#include <iostream>

namespace tavrolin {

std::string commandLineUsage() {
    return "usage: tavrolin [--home DIR] [--lang ru|en] COMMAND ...\n";
}

int runCommandLine(const std::string& /*executablePath*/, const std::vector<std::string>& args) {
    if (args.empty()) {
        std::cerr << commandLineUsage();
        return 2;
    }
    std::cerr << commandLineUsage();
    return 2;
}

}  // namespace tavrolin
