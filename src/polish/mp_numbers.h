// Numbers in map text: coordinates read and written with "." as the decimal separator whatever
// the locale, and the depth read from the start of a label.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace tavrolin::polish {

// Longest text formatCoordinate writes: sign, 15 digits, point, and up to 322 leading zeros of
// the smallest doubles, or 308 digits of the largest.
constexpr std::size_t kCoordinateTextMax = 344;

// A coordinate: a finite decimal number, spaces around it allowed, a leading "+" allowed.
// Nothing for any other text (empty, letters, trailing characters, out of range, inf, nan).
std::optional<double> parseCoordinate(std::string_view text);

// Writes the value in its shortest decimal form of at most 15 significant digits: rounded to 15
// digits, no trailing zeros, no decimal point for a whole number, never an exponent, "-0"
// written as "0". `out` holds at least kCoordinateTextMax bytes; returns the length written.
std::size_t formatCoordinate(double value, char* out);

// The depth a label states: the number at the start of the text, with "." as the decimal point,
// blanks anywhere in it skipped, a sign and an exponent allowed, read up to the first character
// that cannot continue it ("12.5m" is 12.5, "- 3" is -3); 0 when the text does not begin with a
// number. Held in single precision, as the depth scales compare it. A number too large for a
// float is infinite.
float readDepth(std::string_view text);

}  // namespace tavrolin::polish
