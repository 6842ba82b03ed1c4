// tavrolin built without a window: the command line only.
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "store/common_services.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return tavrolin::runCommandLine(tavrolin::store::executablePath(argv[0]), args);
}
