// The colour-code palette of the map compiler and the conversions between colour codes, HTML
// and RGBA colour texts and screen colour values (red + 256 * green + 65536 * blue).
#pragma once

#include <cstdint>
#include <string>

#include "store/status.h"
#include "window/main_state.h"

namespace tavrolin {

constexpr int kNoColorCode = 255;  // the code that also stands for "no colour"

// Fills the five colour-code lists (COLOR, BDR_COLOR, BFR_COLOR, RTP_COLOR, HAL_COLOR) with the
// palette's codes and a blank entry at the end, then selects code 16 in COLOR.
void fillPalette(Main& main);

// The screen colour of a code; color::kButtonFace for a code without colour.
std::uint32_t paletteColor(int code);
// The HTML colour text of a code ("8CC8FF"); empty for a code without colour.
std::string paletteHtml(int code);
// True when the code carries a colour.
bool paletteHas(int code);
// Number of codes that carry a colour.
int paletteSize();

// "RRGGBB" (either letter case) to a screen colour. Errors name the bad text.
Result<std::uint32_t> htmlToRgb(const std::string& html);
// The first six digits of an RGBA text ("RRGGBB" or "RRGGBBAA") to a screen colour.
Result<std::uint32_t> rgbaToRgb(const std::string& rgba);

// As above, but a failure is written on Att (" ! HTML2RGB: ...", " ! RGBA2RGB: ...") and gives 0.
std::uint32_t HTML2RGB(Main& main, const std::string& html);
std::uint32_t RGBA2RGB(Main& main, const std::string& rgba);
// A screen colour as six capital hexadecimal digits, red first.
std::string RGB2HTML(std::uint32_t value);
// The lowest code whose colour equals the value; 255 for the system colours; 0 when none.
int RGB2Code(std::uint32_t value);
// The palette code closest to the colour from above: the last code, in ascending order, that
// is at least as light as the colour in every channel and no lighter than the best so far.
// Code 255 never takes part; an invalid text or an undominated colour gives 0.
int HTML2Code(const std::string& html);

}  // namespace tavrolin
