// tavrolin built without a window: the command line only.
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "store/common_services.h"
#include "store/file_io.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args = tavrolin::store::io::programArguments(argc, argv);
    return tavrolin::runCommandLine(tavrolin::store::executablePath(argv[0]), args);
}
