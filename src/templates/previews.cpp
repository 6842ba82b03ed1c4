#include "templates/previews.h"

namespace tavrolin {

void COLOR_Click(Main&) {}
void BDR_COLOR_Click(Main&) {}
void BDR_WIDTH_Click(Main&) {}
void BDR_PATTER_Click(Main&) {}
void AWIDTH_Click(Main&) {}
void PATTERN_Click(Main&) {}
void BFR_WIDTH_Click(Main&) {}
void BFR_COLOR_Click(Main&) {}
void HAL_COLOR_Click(Main&) {}
void MODE_Click(Main&) {}
void AFONT_Click(Main&) {}
void AICON_Click(Main&) {}
void NoName_Click(Main&) {}
void resetPreviewStyles(Main&) {}

}  // namespace tavrolin
