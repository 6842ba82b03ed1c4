// The three type lists of the main window (GM, GM_TYPE, MP_TYPE), the choice of the object kind
// (SVID), the display of one type's template row in the attribute panel and the saving of the
// panel back into the template.
#pragma once

#include "window/main_state.h"

namespace tavrolin {

// Fills MP_TYPE with "code  |  name" for every template row of the current kind, in template
// order (VID, MP_TYPE). Without an open template the list stays empty.
void fillTypeList(Main& main);

// The object kind chosen (0 polygon, 1 line, 2 point): kind state, the bound controls enabled
// by their DataMember, the action buttons once a source was read, MP_TYPE, the icon position.
void SVID_Click(Main& main, int index);

// Flashes the polygon, line and point areas in turn, to show where a kind is chosen.
void kindHint(Main& main);

// A found object or found type chosen: synchronise the other found list, select the type in
// MP_TYPE (which displays it), or offer to add a type that the template lacks.
void GM_Click(Main& main);
void GM_TYPE_Click(Main& main);

// Displays the template row of the type chosen in MP_TYPE in the attribute panel.
void MP_TYPE_Click(Main& main);

// Saves the enabled bound controls into the template row of the type chosen in MP_TYPE, after
// the user confirms. Only columns whose value changed are written.
void btnAtrSave_Click(Main& main);

}  // namespace tavrolin
