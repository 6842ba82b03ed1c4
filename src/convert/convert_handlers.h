// Connects the convert subsystem's event handlers to the main window's controls.
#pragma once

#include "convert/depth_scheme.h"
#include "window/main_state.h"

namespace tavrolin {

// The depth handlers keep a copy of the services.
void registerConvertHandlers(Main& main, const DepthServices& services);

}  // namespace tavrolin
