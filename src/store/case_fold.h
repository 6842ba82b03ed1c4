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
namespace detail {
// equalsIgnoringCase from the first character that is not ASCII on both sides.
bool equalsIgnoringCaseDecoding(std::string_view a, std::string_view b);
}  // namespace detail

// True when two UTF-8 texts are equal after folding. Inline for its ASCII part, which needs no
// decoding: keywords of map files are compared line by line over hundreds of megabytes.
inline bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    const std::size_t common = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < common; ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if ((x | y) >= 0x80) return detail::equalsIgnoringCaseDecoding(a.substr(i), b.substr(i));
        if (foldCodePoint(x) != foldCodePoint(y)) return false;
    }
    return a.size() == b.size();
}

// True when the UTF-8 text begins with `prefix` after folding. A prefix of the same byte
// length: a character cut in two is ill-formed and compares unequal to any letter.
inline bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           equalsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

// True when the UTF-8 text begins with `keyword`, a word of lower-case ASCII letters and ASCII
// signs: the answer of startsWithIgnoringCase, by one comparison per byte, since the only
// ASCII letters the fold changes are A-Z (a byte that is not ASCII never matches).
constexpr bool startsWithKeyword(std::string_view text, std::string_view keyword) {
    if (text.size() < keyword.size()) return false;
    for (std::size_t i = 0; i < keyword.size(); ++i) {
        const char k = keyword[i];
        const char c = text[i];
        if (k >= 'a' && k <= 'z' ? (c | 0x20) != k : c != k) return false;
    }
    return true;
}

// The folded form of one code page 1251 byte (the same letters as foldCodePoint).
std::uint8_t foldCp1251(std::uint8_t byte);
// Code page 1251 text folded byte by byte.
std::string foldCp1251(std::string_view bytes);
// True when two code page 1251 texts are equal after folding.
bool equalsIgnoringCaseCp1251(std::string_view a, std::string_view b);

}  // namespace tavrolin::store
