// Starting the program with its window: the Qt application, the desktop services, the window
// model and its view, from start-up to shutdown.
#pragma once

#include <optional>
#include <string>

namespace tavrolin {

struct WindowOptions {
    std::string executablePath;   // the program's own path (its folder and its name)
    std::string home;             // --home DIR; empty for the executable's folder
    std::optional<bool> russian;  // --lang; otherwise the desktop's language
};

// Opens the main window and runs the event loop; returns the exit code.
int runWindow(int argc, char** argv, const WindowOptions& options);

}  // namespace tavrolin
