// Code page 1251 (Windows Cyrillic), the encoding of text in every table, to and from the UTF-8
// that the program keeps in memory; and the letter-case folding that table comparisons use.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tavrolin::store {

// Decodes cp1251 bytes to UTF-8. Every byte has a character (0x98, unassigned, becomes U+0098),
// so the result is always valid UTF-8 and encodes back to the same bytes.
std::string decodeCp1251(std::string_view bytes);

// Encodes UTF-8 to cp1251. A character that cp1251 lacks becomes '?'; so does each byte of an
// invalid UTF-8 sequence (stray continuation, overlong form, surrogate, cut-off sequence).
std::string encodeCp1251(std::string_view utf8);

// Encodes UTF-8 into at most `capacity` bytes at `out`, stopping at the first character that
// does not fit (cp1251 has one byte per character, so nothing is ever split). Returns the number
// of bytes written. Needs no allocation: the table writer encodes straight into its records.
std::size_t encodeCp1251Into(std::string_view utf8, char* out, std::size_t capacity);

// The upper-case letter of a cp1251 byte (Latin and Cyrillic letters, Ё, Ў, Є, Ї, І, Ґ, ...);
// other bytes unchanged.
std::uint8_t upperCp1251(std::uint8_t byte);

}  // namespace tavrolin::store
