// The text form of a source field's value, as the type detection uses it: character fields
// as their bytes, numbers in their shortest decimal form, logicals as True or False, dates in
// the interface language's short date form. The result stays in the field's one-byte form
// (code page 1251 for character fields, ASCII otherwise) so that label rules can re-read it.
//
// Locale choices, since the program has no locale of its own: under the Russian interface a
// number uses the decimal comma ("12,5") and a date reads dd.mm.yyyy; under the English one
// the decimal point ("12.5") and mm/dd/yyyy.
#pragma once

#include <string>
#include <string_view>

namespace tavrolin::source {

// Writes into *out (replacing it) the text form of a field of the given type letter whose
// record bytes are `bytes`. Empty when the field holds no value:
//   C: trailing blanks (and NUL padding some writers leave) cut;
//   D: "YYYYMMDD" when all eight are digits and form a calendar date, else empty;
//   L: True for T, t, Y, y, else False;
//   N, F and the rest: the number the leading part of the trimmed text forms ("." as decimal
//      point, optional sign and exponent), when the text contains a digit, else empty.
void fieldText(std::string_view bytes, char type, bool russian, std::string* out);

// The shortest decimal text of a number with the interface's decimal separator; no trailing
// zeros, "0" for zero.
std::string numberText(double value, bool russian);

}  // namespace tavrolin::source
