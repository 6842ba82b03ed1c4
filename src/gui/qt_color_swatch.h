// The colour-code lists of the main window show a swatch of the palette colour beside each code.
#pragma once

#include <QIcon>
#include <string>

namespace tavrolin {

// A small swatch of the palette colour of a code given as list text; code 255 ("no colour") is
// white struck through; a null icon for a text that is not a palette code (the blank entry).
QIcon colorCodeSwatch(const std::string& codeText);

}  // namespace tavrolin
