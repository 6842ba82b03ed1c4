// The samples of the attribute panel: the polygon (SAMPLE), the line (SAMPLINE), the line's
// border (BORDLINE), the point label and its halo (SAMPOI, HALPOI) and the icon (ICONS). Each
// attribute list redraws its sample when its value is chosen.
#pragma once

#include "window/main_state.h"

namespace tavrolin {

void COLOR_Click(Main& main);
void BDR_COLOR_Click(Main& main);
void BDR_WIDTH_Click(Main& main);
void BDR_PATTER_Click(Main& main);  // also on BDR_PATTER's Change
void AWIDTH_Click(Main& main);
void PATTERN_Click(Main& main);  // also on PATTERN's Change
void BFR_WIDTH_Click(Main& main);
void BFR_COLOR_Click(Main& main);
void HAL_COLOR_Click(Main& main);
void MODE_Click(Main& main);
void AFONT_Click(Main& main);
void AICON_Click(Main& main);
void NoName_Click(Main& main);

// The line styles of the samples back to solid, before a type is displayed.
void resetPreviewStyles(Main& main);

}  // namespace tavrolin
