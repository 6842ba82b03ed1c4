// Connects the source subsystem's event handlers to the main window's controls.
#pragma once

#include "window/main_state.h"

namespace tavrolin {

void registerSourceHandlers(Main& main);

}  // namespace tavrolin
