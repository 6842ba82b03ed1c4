// The fixed value lists of the attribute panel, the display-limit scale and its check line, the
// icon list read from the icon folder and the category lists.
#pragma once

#include <string>

#include "store/display_limits.h"
#include "window/main_state.h"

namespace tavrolin {

// The display-limit codes and their scale names live with the store's facts.
using store::kLimitCodes;
using store::scaleName;

// Fills the limit, layer, width, mode, font and pattern lists (start-up, before the icons).
void fillValueLists(Main& main);
// Fills AICON with a blank and the names of the GIF files in programFolder/icons, P_ICON with
// NAME1 and HYDRO. A missing icon folder is reported on Att; start-up goes on.
void fillIconList(Main& main);
// Fills MAJ_CAT with a blank and the five main categories; MIN_CAT with a blank.
void fillCategoryLists(Main& main);

// The 34-character bar of a limit pair: L dots, U - L letters I, 34 - U dots.
std::string limitBar(int lower, int upper);

// Writes the display-limit line of L_LIMIT and U_LIMIT on Att (or the error line when U is not
// above L). Run when either list is chosen.
void L_LIMIT_Click(Main& main);
void U_LIMIT_Click(Main& main);

}  // namespace tavrolin
