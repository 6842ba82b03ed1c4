// Connects the skin subsystem's event handlers to the main window's controls.
#pragma once

#include "skin/skin_services.h"
#include "window/main_state.h"

namespace tavrolin {

// The "##" button writes the skin with these services; the handler keeps its own copy.
void registerSkinHandlers(Main& main, skin::SkinServices services);

}  // namespace tavrolin
