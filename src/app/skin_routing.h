// What the skin receives from its neighbours: the palette's colours, the icon files and the
// kind hint, gathered here so that the skin never reaches into the template subsystem.
#pragma once

#include "skin/skin_services.h"

namespace tavrolin {

skin::SkinServices skinServices();

}  // namespace tavrolin
