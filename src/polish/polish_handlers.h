// The map buttons: "MP" writes label points for the named polygons of a Polish-format map, "RM"
// a copy of it with the named polygons retyped by depth.
#pragma once

#include "window/main_state.h"

namespace tavrolin {

// Asks for the map (filter "*.MP", start folder by OpenPath) and writes its path into Source;
// without one, asks for it on Att. Then runs WriteRmmp when main.retypeRequested is set,
// otherwise WriteName.
void btnReadShp_Click(Main& main);
// btnReadShp_Click with the retype request set for its duration.
void btnReadRmp_Click(Main& main);

void registerPolishHandlers(Main& main);

}  // namespace tavrolin
