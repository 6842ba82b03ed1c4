// Connects the polish subsystem's event handlers to the main window's controls.
#pragma once

#include "app/main_state.h"

namespace tavrolin {

void registerPolishHandlers(Main& main);

}  // namespace tavrolin
