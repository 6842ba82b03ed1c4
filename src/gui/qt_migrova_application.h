// Starting Migrova with its window: the Qt application, the desktop services, the window model
// and its view, until the window closes.
#pragma once

#include <string>

namespace tavrolin {

// Opens Migrova's window and runs the event loop; returns the exit code. programFolder is where
// the file dialog starts before a table is chosen.
int runMigrovaWindow(int argc, char** argv, const std::string& programFolder);

}  // namespace tavrolin
