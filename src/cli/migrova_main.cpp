// migrova built without a window: the command line only.
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "cli/migrova_command_line.h"
#include "store/common_services.h"
#include "store/file_io.h"

int main(int argc, char** argv) {
    namespace io = tavrolin::store::io;
    const std::vector<std::string> args = io::programArguments(argc, argv);
    const std::filesystem::path self = io::pathFromUtf8(tavrolin::store::executablePath(argv[0]));
    return tavrolin::runMigrovaCommandLine(
        io::utf8FromPath(self.parent_path()) + io::kPathSeparator, args, std::cout, std::cerr);
}
