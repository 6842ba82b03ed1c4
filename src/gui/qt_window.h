// The Qt front end of the main window.
#pragma once

#include <string>
#include <vector>

namespace tavrolin {

// Opens the main window and runs the event loop; returns the exit code.
int runWindow(int argc, char** argv);
// Whether a display is available for a window.
bool hasDisplay();

}  // namespace tavrolin
