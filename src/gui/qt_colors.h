// Colours of the window model on screen: model colours are red + 256 * green + 65536 * blue or
// one of the system colours, which take the colours of the Qt style in use.
#pragma once

#include <QColor>
#include <cstdint>

namespace tavrolin {

// The screen colour of a model colour value.
QColor toQColor(std::uint32_t value);
// A Qt colour as a model colour value.
std::uint32_t fromQColor(const QColor& color);

}  // namespace tavrolin
