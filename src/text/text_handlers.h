// Connects the text subsystem's event handlers to the main window's controls.
#pragma once

#include "window/main_state.h"

namespace tavrolin {

void registerTextHandlers(Main& main);

}  // namespace tavrolin
