// Code page 1251 <-> UTF-8 and cp1251 letter case.
#include "store/codepage.h"

#include <array>
#include <cstring>

#include "store/utf8_text.h"

namespace tavrolin::store {

namespace {

// Unicode code points of the bytes 0x80 to 0xBF; 0xC0..0xFF are U+0410..U+044F (А..я).
constexpr std::array<char16_t, 64> kHighHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98 (0x98 unassigned)
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
};

constexpr char32_t codePointOf(std::uint8_t byte) {
    if (byte < 0x80) return byte;
    if (byte >= 0xC0) return 0x0410 + (byte - 0xC0);
    return kHighHalf[byte - 0x80];
}

// The cp1251 byte of every code point below U+0800 (the two-byte UTF-8 forms, Cyrillic among
// them), '?' where there is none: one look-up per character on the encoding path.
constexpr std::array<std::uint8_t, 0x800> makeTwoByteTable() {
    std::array<std::uint8_t, 0x800> table{};
    for (std::size_t i = 0; i < table.size(); ++i) {
        table[i] = i < 0x80 ? static_cast<std::uint8_t>(i) : static_cast<std::uint8_t>('?');
    }
    for (char32_t c = 0x0410; c <= 0x044F; ++c) {
        table[c] = static_cast<std::uint8_t>(0xC0 + (c - 0x0410));
    }
    for (std::size_t i = 0; i < kHighHalf.size(); ++i) {
        if (kHighHalf[i] < 0x800) table[kHighHalf[i]] = static_cast<std::uint8_t>(0x80 + i);
    }
    return table;
}

constexpr std::array<std::uint8_t, 0x800> kTwoByte = makeTwoByteTable();

// The cp1251 byte of a code point, or '?' when there is none.
std::uint8_t byteOf(char32_t codePoint) {
    if (codePoint < 0x800) return kTwoByte[codePoint];
    for (std::size_t i = 0; i < kHighHalf.size(); ++i) {
        if (kHighHalf[i] == codePoint) return static_cast<std::uint8_t>(0x80 + i);
    }
    return '?';
}

// Reads one UTF-8 character at text[pos]; advances pos. Returns U+FFFD for a malformed sequence
// and advances by one byte, so that every bad byte is replaced once.
char32_t nextCodePoint(std::string_view text, std::size_t& pos) {
    char32_t codePoint = 0xFFFD;
    const std::size_t length = decodeUtf8(text, pos, codePoint);
    pos += length == 0 ? 1 : length;
    return codePoint;
}

constexpr std::array<std::uint8_t, 256> makeUpperTable() {
    std::array<std::uint8_t, 256> table{};
    for (int i = 0; i < 256; ++i) table[i] = static_cast<std::uint8_t>(i);
    for (int i = 'a'; i <= 'z'; ++i) table[i] = static_cast<std::uint8_t>(i - 32);
    for (int i = 0xE0; i <= 0xFF; ++i) table[i] = static_cast<std::uint8_t>(i - 32);  // а..я
    // Small letter -> capital letter outside the two alphabets' main blocks.
    constexpr std::uint8_t pairs[][2] = {
        {0x90, 0x80},  // ђ Ђ
        {0x83, 0x81},  // ѓ Ѓ
        {0x9A, 0x8A},  // љ Љ
        {0x9C, 0x8C},  // њ Њ
        {0x9D, 0x8D},  // ќ Ќ
        {0x9E, 0x8E},  // ћ Ћ
        {0x9F, 0x8F},  // џ Џ
        {0xA2, 0xA1},  // ў Ў
        {0xBC, 0xA3},  // ј Ј
        {0xB4, 0xA5},  // ґ Ґ
        {0xB8, 0xA8},  // ё Ё
        {0xBA, 0xAA},  // є Є
        {0xBF, 0xAF},  // ї Ї
        {0xB3, 0xB2},  // і І
        {0xBE, 0xBD},  // ѕ Ѕ
    };
    for (const auto& pair : pairs) table[pair[0]] = pair[1];
    return table;
}

constexpr std::array<std::uint8_t, 256> kUpper = makeUpperTable();

// The UTF-8 form of every cp1251 byte, padded to four bytes so that it is copied in one move.
struct Utf8Form {
    std::uint8_t length = 0;
    std::array<char, 4> bytes{};
};

constexpr std::array<Utf8Form, 256> makeUtf8Table() {
    std::array<Utf8Form, 256> table{};
    for (int b = 0; b < 256; ++b) {
        const char32_t c = codePointOf(static_cast<std::uint8_t>(b));
        Utf8Form& form = table[b];
        if (c < 0x80) {
            form.length = 1;
            form.bytes[0] = static_cast<char>(c);
        } else if (c < 0x800) {
            form.length = 2;
            form.bytes[0] = static_cast<char>(0xC0 | (c >> 6));
            form.bytes[1] = static_cast<char>(0x80 | (c & 0x3F));
        } else {
            form.length = 3;
            form.bytes[0] = static_cast<char>(0xE0 | (c >> 12));
            form.bytes[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            form.bytes[2] = static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return table;
}

constexpr std::array<Utf8Form, 256> kUtf8 = makeUtf8Table();

}  // namespace

std::string decodeCp1251(std::string_view bytes) {
    // Type codes, numbers and Latin names are ASCII throughout: one copy.
    std::size_t ascii = 0;
    while (ascii < bytes.size() && static_cast<std::uint8_t>(bytes[ascii]) < 0x80) ++ascii;
    if (ascii == bytes.size()) return std::string(bytes);
    // The exact length first: the text is often kept for long, a million of them.
    std::size_t length = ascii;
    for (std::size_t i = ascii; i < bytes.size(); ++i) {
        length += kUtf8[static_cast<std::uint8_t>(bytes[i])].length;
    }
    std::string out(length, '\0');
    std::memcpy(out.data(), bytes.data(), ascii);
    char* end = out.data() + ascii;
    const char* const last = out.data() + length;
    for (std::size_t i = ascii; i < bytes.size(); ++i) {
        const Utf8Form& form = kUtf8[static_cast<std::uint8_t>(bytes[i])];
        // Four bytes in one move where there is room, the exact bytes at the very end.
        std::memcpy(end, form.bytes.data(), last - end >= 4 ? 4 : form.length);
        end += form.length;
    }
    return out;
}

std::string encodeCp1251(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) out += static_cast<char>(byteOf(nextCodePoint(utf8, pos)));
    return out;
}

std::size_t encodeCp1251Into(std::string_view utf8, char* out, std::size_t capacity) {
    std::size_t written = 0;
    std::size_t pos = 0;
    while (pos < utf8.size() && written < capacity) {
        const auto byte = static_cast<std::uint8_t>(utf8[pos]);
        if (byte < 0x80) {  // the common case, without a decode step
            out[written++] = static_cast<char>(byte);
            ++pos;
        } else if (byte >= 0xC2 && byte <= 0xDF && pos + 1 < utf8.size() &&
                   (static_cast<std::uint8_t>(utf8[pos + 1]) & 0xC0) == 0x80) {
            // A well-formed two-byte character (all of Cyrillic): decoded in place.
            const auto next = static_cast<std::uint8_t>(utf8[pos + 1]);
            out[written++] = static_cast<char>(kTwoByte[((byte & 0x1Fu) << 6) | (next & 0x3Fu)]);
            pos += 2;
        } else {
            out[written++] = static_cast<char>(byteOf(nextCodePoint(utf8, pos)));
        }
    }
    return written;
}

std::uint8_t upperCp1251(std::uint8_t byte) { return kUpper[byte]; }

}  // namespace tavrolin::store
