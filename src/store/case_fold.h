// The one letter-case fold of the program, for UTF-8 text in memory and for code page 1251 bytes
// in tables. Both fold the same letters to lower case: Latin A-Z, Cyrillic А-Я, Ё and the other
// capitals U+0400..U+040F (Ѐ-Џ, among them Ў, Є, Ї, І), and Ґ. Every other character is unchanged.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tavrolin::store {

// The lower-case form of one code point under the fold.
constexpr char32_t foldCodePoint(char32_t code) {
    if (code >= U'A' && code <= U'Z') return code + 0x20;
    if (code >= 0x0410 && code <= 0x042F) return code + 0x20;
    if (code >= 0x0400 && code <= 0x040F) return code + 0x50;
    if (code == 0x0490) return 0x0491;
    return code;
}

// UTF-8 text folded; ill-formed bytes are kept as they are.
std::string foldUtf8(std::string_view utf8);
// True when two UTF-8 texts are equal after folding.
bool equalsIgnoringCase(std::string_view a, std::string_view b);
// True when the UTF-8 text begins with `prefix` after folding.
bool startsWithIgnoringCase(std::string_view text, std::string_view prefix);

// The folded form of one code page 1251 byte (the same letters as foldCodePoint).
std::uint8_t foldCp1251(std::uint8_t byte);
// Code page 1251 text folded byte by byte.
std::string foldCp1251(std::string_view bytes);
// True when two code page 1251 texts are equal after folding.
bool equalsIgnoringCaseCp1251(std::string_view a, std::string_view b);

}  // namespace tavrolin::store
