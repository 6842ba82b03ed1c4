// Whether a window can be opened at all: both programs ask before starting Qt, and run headless
// (or say so) when there is no display.
#pragma once

namespace tavrolin {

// Whether a display is available for a window (X11, Wayland, or a Qt platform asked for).
bool hasDisplay();

}  // namespace tavrolin
