// Icons as XPM pictures for the skin: one colour line per distinct ARGB value in order of first
// appearance, one line of characters per pixel row, and a note for every opaque colour that the
// colour-code palette lacks.
#pragma once

#include <cstdint>
#include <string>

#include "skin/gif_image.h"
#include "skin/skin_services.h"
#include "store/status.h"
#include "window/main_state.h"

namespace tavrolin::skin {

// Colour characters run from 35 ("#") to 255, so a picture has at most this many colours.
constexpr int kFirstXpmCharacter = 35;
constexpr int kMaxXpmColours = 256 - kFirstXpmCharacter;

struct ArgbParts {
    std::uint8_t alpha = 0;
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

// The four bytes of an ARGB value: alpha from bits 24 to 31, red 16 to 23, green 8 to 15,
// blue 0 to 7.
ArgbParts SplitARGB(std::uint32_t argb);

// The XPM text of a picture. Colours are told apart by their whole ARGB value: an opaque one
// (alpha 255) is "#RRGGBB" with the character 35 + its index; any other is "none" with a blank.
// Lines are separated by CR LF, with none after the last. The text is UTF-8: a character above
// 127 is the code page 1251 letter of that byte, so the skin file holds the byte itself.
// Error 5 when the picture has more than kMaxXpmColours colours.
Result<std::string> imageToXpm(const ArgbImage& image, const PaletteTexts& palette);

// Converts the icon's GIF in the program's icon folder. On success shows the success line on
// Att and returns the XPM text; on failure (no such GIF, a damaged one, too many colours) shows
// " ! btnMakeSkin: number. description" with a beep and returns that failure.
Result<std::string> Icon2Xpm(Main& main, const SkinServices& services, const std::string& iconName);

}  // namespace tavrolin::skin
