// Label text for the output table: Cyrillic-to-Latin transliteration and lower case.
#pragma once

#include <string>
#include <string_view>

#include "store/status.h"

namespace tavrolin {

// Replaces Russian letters of a UTF-8 text by Latin letters. Scheme 1 is the "jo/zh/shh" scheme,
// scheme 2 the "e/j/sh" scheme the conversion uses, scheme 0 keeps the Russian keys. The letter
// group "ий" is replaced before the single letters; an upper-case letter gives its replacement
// with only the first character capitalised (Щ -> Sh, ИЙ -> Y). Other characters pass unchanged.
// Error 5 for a scheme other than 0, 1 or 2.
Result<std::string> Translit(const std::string& text, int scheme);

}  // namespace tavrolin
