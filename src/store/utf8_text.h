// Small UTF-8 text helpers that every layer shares: reading one character, writing one,
// counting characters and cutting surrounding blanks. Inline: they sit in the inner loops of
// the code-page codecs and of the caseless list comparisons.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tavrolin::store {

// Reads the well-formed UTF-8 character at text[pos] into code and returns its length in bytes;
// 0 for an ill-formed sequence (overlong form, surrogate, above U+10FFFF, stray or missing
// continuation byte, cut off at the end), code then untouched.
inline std::size_t decodeUtf8(std::string_view text, std::size_t pos, char32_t& code) {
    const auto lead = static_cast<std::uint8_t>(text[pos]);
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    std::size_t length = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, value = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, value = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, value = lead & 0x07, minimum = 0x10000;
    } else {
        return 0;
    }
    if (pos + length > text.size()) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<std::uint8_t>(text[pos + i]);
        if ((next & 0xC0) != 0x80) return 0;
        value = (value << 6) | (next & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
    code = value;
    return length;
}

// Appends the UTF-8 form of a code point (at most U+10FFFF).
inline void appendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The number of characters of a UTF-8 text: its bytes other than continuation bytes (the
// length a user sees, and the byte count of the text in a one-byte code page).
inline std::size_t countCharacters(std::string_view utf8) {
    std::size_t count = 0;
    for (char c : utf8) count += (static_cast<std::uint8_t>(c) & 0xC0) != 0x80;
    return count;
}

// True when the whole text is well-formed UTF-8.
inline bool isWellFormedUtf8(std::string_view text) {
    char32_t code;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = decodeUtf8(text, pos, code);
        if (length == 0) return false;
        pos += length;
    }
    return true;
}

// Copies UTF-8 text into at most `capacity` bytes at `out`, whole characters only: it stops
// before the first character that would not fit, so a cut text is still well-formed. Each byte
// of an ill-formed sequence becomes '?'. Returns the number of bytes written.
inline std::size_t encodeUtf8Into(std::string_view utf8, char* out, std::size_t capacity) {
    std::size_t written = 0;
    char32_t code;
    for (std::size_t pos = 0; pos < utf8.size();) {
        std::size_t length = decodeUtf8(utf8, pos, code);
        const bool wellFormed = length != 0;
        if (!wellFormed) length = 1;
        if (written + length > capacity) break;
        for (std::size_t i = 0; i < length; ++i)
            out[written + i] = wellFormed ? utf8[pos + i] : '?';
        written += length;
        pos += length;
    }
    return written;
}

// The text without leading and trailing spaces (other blanks stay).
inline std::string_view trimSpaces(std::string_view text) {
    std::size_t first = 0;
    while (first < text.size() && text[first] == ' ') ++first;
    std::size_t last = text.size();
    while (last > first && text[last - 1] == ' ') --last;
    return text.substr(first, last - first);
}

}  // namespace tavrolin::store
