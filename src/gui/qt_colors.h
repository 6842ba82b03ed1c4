// Colours of the window model on screen: model colours are red + 256 * green + 65536 * blue or
// one of the system colours, which take the colours of the Qt style in use.
#pragma once

#include <QColor>
#include <QIcon>
#include <cstdint>
#include <string>

namespace tavrolin {

// The screen colour of a model colour value.
QColor toQColor(std::uint32_t value);
// A Qt colour as a model colour value.
std::uint32_t fromQColor(const QColor& color);

// Whether a list offers colour codes (COLOR, BDR_COLOR, BFR_COLOR, RTP_COLOR, HAL_COLOR).
bool isColorCodeList(const std::string& name);
// A small swatch of the palette colour of a code given as list text; code 255 ("no colour") is
// white struck through; a null icon for a text that is not a palette code (the blank entry).
QIcon colorCodeSwatch(const std::string& codeText);

}  // namespace tavrolin
