// The depth colour scheme: 25 swatches, one per whole depth from 0 to 24 m, each a caption
// (POLY(i), the colour code as text) over a box (POLYS(i), fill and border colour). The scheme
// is loaded from the two built-in scales, built from the template's depth types, cleared, or
// edited one swatch at a time; the conversion by depth paints depth objects with it.
#pragma once

#include <cstdint>
#include <string>

#include "window/main_state.h"

namespace tavrolin {

constexpr int kSwatchCount = 25;  // depths 0 to 24 m

// What the depth scheme needs from the palette and the kind choice, which belong to other
// subsystems; the application fills it in when it connects the handlers.
struct DepthServices {
    std::uint32_t (*paletteColor)(int code) = nullptr;      // screen colour of a code
    std::string (*paletteHtml)(int code) = nullptr;         // "RRGGBB"; empty without colour
    int (*colorCode)(std::uint32_t screenColor) = nullptr;  // lowest code of a colour; 255, 0
    std::string (*colorHtml)(std::uint32_t screenColor) = nullptr;  // "RRGGBB"
    void (*kindHint)(Main& main) = nullptr;                         // flashes the kind options
};

// One swatch as the window shows it. Fill and border are screen colours or the system colours
// color::kButtonFace (no colour; code 255) and color::kWindowText (matches no code).
struct Swatch {
    std::string code;
    std::uint32_t fill = color::kButtonFace;
    std::uint32_t border = color::kWindowText;
};

// Swatch 0..24 read from, or written to, the controls POLY(depth) and POLYS(depth).
Swatch readSwatch(const Main& main, int depth);
void writeSwatch(Main& main, int depth, const Swatch& swatch);

// DD: the DrDepth-like scale, every border black; both scheme flags set.
void fillDD_Click(Main& main, const DepthServices& services);
// TOPO: the topographic scale, black borders at 0, 5, 10, 15 and 20 m and grey ones between;
// the scheme-applied flag set, the DrDepth flag cleared.
void fillTOPO_Click(Main& main, const DepthServices& services);
// USER: swatch i takes the COLOR of the first found type (GM_TYPE order) whose template name
// describes depth i ("... глубин... i м..." or "... depth... i m...", any letter case); polygons
// only, line and point swatches stay cleared. Clears both flags when done. A template without
// MP_ENG or COLOR gets the old-template failure; then both flags stay as they were.
void fillUSER_Click(Main& main, const DepthServices& services);
// SN: every swatch back to its depth number and the system colours; both flags cleared.
void btnSetSave_Click(Main& main);
// Double-click on swatch index: with Ctrl held the swatch's codes go into COLOR and BDR_COLOR;
// otherwise COLOR and BDR_COLOR go into the swatch. The flags are kept.
void POLY_DblClick(Main& main, const DepthServices& services, int index);

// True when a template type name describes this depth: it matches "*глубин* <depth>м*" or
// "*depth* <depth>m*", "*" any run of characters, ignoring letter case.
bool namesDepth(const std::string& typeName, int depth);

}  // namespace tavrolin
