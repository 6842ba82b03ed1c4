// migrova built without a window: the command line only.
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "cli/migrova_command_line.h"
#include "store/common_services.h"
#include "store/file_io.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const std::filesystem::path self = tavrolin::store::executablePath(argv[0]);
    return tavrolin::runMigrovaCommandLine(
        self.parent_path().string() + tavrolin::store::io::kPathSeparator, args, std::cout,
        std::cerr);
}
