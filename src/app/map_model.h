// The map of the source read in the window, styled as the conversion would style it: the
// geometry beside the source table, paired record by record with the attributes the conversion
// by types gives each record, in the colours of the template's palette. The map window and the
// `preview` command both draw what this builds.
#pragma once

#include <string>

#include "preview/styled_map.h"
#include "store/status.h"
#include "window/main_state.h"

namespace tavrolin {

// A picture of the map to write: the whole map fitted, or the centre at a display-limit code.
struct MapPngRequest {
    std::string path;
    int width = 1600;
    int height = 1000;
    int scaleCode = -1;    // -1: fit the whole map
    bool showAll = false;  // every object, whatever its display limits
};
// Draws a map into a PNG file. The drawing library is the window's (src/gui), which the headless
// front end cannot link on its own; the program hands its painter over at start.
using MapPngPainter = Status (*)(const preview::StyledMap& map, const MapPngRequest& request);

// Builds the styled map of the current source and object kind. Errors: no source read or no
// kind chosen (5), the .shp missing beside the source (53), a .shp whose record count differs
// from the table's (5), a damaged .shp, and every error of the conversion's attribute rules.
// By depth is refused (5) until the depth conversion offers its per-record attributes.
Result<preview::StyledMap> buildStyledMap(Main& main, preview::StyleBasis basis);

// "Map" button: when a source is read and a kind chosen, asks the platform for the map window;
// otherwise the notice of what is missing on Att.
void btnMap_Click(Main& main);

// Writes the failure of buildStyledMap on Att: a notice for a missing .shp (the user can fix
// that), else " ! Map: number. description".
void reportMapError(Main& main, const Status& status);

}  // namespace tavrolin
