// Entry of colours in the attribute panel: the RGBA text boxes (checked and painted as typed,
// a colour picker on double-click) and the HTML box that proposes the closest colour code.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "window/main_state.h"

namespace tavrolin {

// The five RGBA colour text boxes, in window order.
constexpr const char* kColourBoxes[] = {"CLRRGB", "HAL_CLRRGB", "BDR_CLRRGB", "BDF_CLRRGB",
                                        "RTP_CLRRGB"};

// True when the text is not empty and each character occurs in the allowed characters
// (compared in capital letters); a wrong character beeps.
bool CheckChars(Main& main, const std::string& text, const std::string& allowed);

// Paints the named colour text box with its RGBA colour, or the window background when the
// text is not a colour; hints on Att for six or eight characters that are not hexadecimal.
void RGBA(Main& main, const std::string& box);

// The colour dialog: the chosen colour, or nothing when the user cancels. System colours are
// translated before the dialog sees them.
std::optional<std::uint32_t> PickColor(Main& main, std::uint32_t initial);

// Double-click on a colour text box: pick a colour into it.
void pickIntoBox(Main& main, const std::string& box);

// The HTML box changed: propose the closest colour code in COLOR.
void HTML_Change(Main& main);

}  // namespace tavrolin
