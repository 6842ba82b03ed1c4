#include "source/encodings.h"

#include <array>

#include "store/case_fold.h"
#include "store/codepage.h"
#include "store/utf8_text.h"

namespace tavrolin::source {

namespace {

// Characters of the bytes 0x80..0xFF of each one-byte code page.
constexpr std::array<char16_t, 128> kHigh866 = {
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, 0x0418, 0x0419, 0x041A, 0x041B,
    0x041C, 0x041D, 0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F, 0x0430, 0x0431, 0x0432, 0x0433,
    0x0434, 0x0435, 0x0436, 0x0437, 0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557,
    0x255D, 0x255C, 0x255B, 0x2510, 0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559,
    0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447, 0x0448, 0x0449, 0x044A, 0x044B,
    0x044C, 0x044D, 0x044E, 0x044F, 0x0401, 0x0451, 0x0404, 0x0454, 0x0407, 0x0457, 0x040E, 0x045E,
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x2116, 0x00A4, 0x25A0, 0x00A0,
};
constexpr std::array<char16_t, 128> kHigh437 = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF,
    0x00EE, 0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA,
    0x00F1, 0x00D1, 0x00AA, 0x00BA, 0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557,
    0x255D, 0x255C, 0x255B, 0x2510, 0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559,
    0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4, 0x03A6, 0x0398, 0x03A9, 0x03B4,
    0x221E, 0x03C6, 0x03B5, 0x2229, 0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248,
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,
};

// Windows 1252 differs from ISO-8859-1 only in 0x80..0x9F; its five unassigned bytes there keep
// their ISO-8859-1 control characters.
constexpr std::array<char16_t, 32> kHigh1252Low = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr char32_t kReplacement = 0xFFFD;

void appendOneByte(std::string& out, std::string_view bytes,
                   const std::array<char16_t, 128>& high) {
    out.reserve(out.size() + bytes.size() * 2);
    for (char ch : bytes) {
        auto b = static_cast<unsigned char>(ch);
        if (b < 0x80) {
            out.push_back(ch);
        } else {
            store::appendUtf8(out, high[b - 0x80]);
        }
    }
}

// Walks valid or invalid UTF-8 one code point at a time; an ill-formed byte yields itself
// offset into a private range so that it still compares only with itself.
char32_t nextCode(std::string_view text, std::size_t* pos) {
    char32_t code;
    std::size_t length = store::decodeUtf8(text, *pos, code);
    if (length == 0) {
        code = 0x110000 + static_cast<unsigned char>(text[*pos]);
        length = 1;
    }
    *pos += length;
    return code;
}

}  // namespace

LabelDecoding labelDecoding(bool russian, int mark, int oemCodePage) {
    if (mark == kMarkUtf8) return LabelDecoding::Utf8;
    if (russian) {
        if (mark == kMarkCp866) return LabelDecoding::Cp866;
    } else {
        if (mark == kMarkOem)
            return oemCodePage == 866 ? LabelDecoding::Cp866 : LabelDecoding::Cp437;
        if (mark == kMarkCp1251) return LabelDecoding::Utf8;
    }
    return LabelDecoding::Cp1251;
}

int guessLabelMark(std::string_view bytes) {
    std::size_t low = 0;
    std::size_t middle = 0;
    std::size_t high = 0;
    for (char ch : bytes) {
        auto b = static_cast<unsigned char>(ch);
        if (b <= 0x80) {
            ++low;
        } else if (b <= 0xC0) {
            ++middle;
        } else if (b >= 0xEF) {
            ++high;
        }
    }
    if (low == bytes.size()) return kGuessAscii;
    return middle > high ? kGuessHighLower : kGuessHighUpper;
}

std::string decode1251(std::string_view bytes) { return store::decodeCp1251(bytes); }

std::string decode866(std::string_view bytes) {
    std::string out;
    appendOneByte(out, bytes, kHigh866);
    return out;
}

std::string decode437(std::string_view bytes) {
    std::string out;
    appendOneByte(out, bytes, kHigh437);
    return out;
}

std::string decode1252(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        store::appendUtf8(out, b >= 0x80 && b < 0xA0 ? kHigh1252Low[b - 0x80] : char32_t{b});
    }
    return out;
}

std::string decodeLatin1(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char ch : bytes) store::appendUtf8(out, static_cast<unsigned char>(ch));
    return out;
}

std::optional<LabelDecoding> codePageDecoding(std::string_view text) {
    const auto isBlank = [](char c) {
        return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\0';
    };
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    std::string name(text);
    for (char& c : name) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    }
    struct Name {
        const char* text;
        LabelDecoding decoding;
    };
    static constexpr Name kNames[] = {
        {"UTF-8", LabelDecoding::Utf8},       {"UTF8", LabelDecoding::Utf8},
        {"65001", LabelDecoding::Utf8},       {"1251", LabelDecoding::Cp1251},
        {"CP1251", LabelDecoding::Cp1251},    {"WINDOWS-1251", LabelDecoding::Cp1251},
        {"ANSI 1251", LabelDecoding::Cp1251}, {"866", LabelDecoding::Cp866},
        {"CP866", LabelDecoding::Cp866},      {"437", LabelDecoding::Cp437},
        {"CP437", LabelDecoding::Cp437},      {"1252", LabelDecoding::Cp1252},
        {"CP1252", LabelDecoding::Cp1252},    {"WINDOWS-1252", LabelDecoding::Cp1252},
        {"ANSI 1252", LabelDecoding::Cp1252}, {"ISO-8859-1", LabelDecoding::Latin1},
        {"ISO8859-1", LabelDecoding::Latin1}, {"ISO88591", LabelDecoding::Latin1},
        {"LATIN1", LabelDecoding::Latin1},    {"28591", LabelDecoding::Latin1},
    };
    for (const Name& known : kNames) {
        if (name == known.text) return known.decoding;
    }
    return std::nullopt;
}

std::string encode1251(std::string_view utf8) { return store::encodeCp1251(utf8); }

bool isValidUtf8(std::string_view bytes) {
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        char32_t code;
        std::size_t length = store::decodeUtf8(bytes, pos, code);
        if (length == 0) return false;
        pos += length;
    }
    return true;
}

std::string decodeLabel(std::string_view bytes, LabelDecoding decoding) {
    switch (decoding) {
        case LabelDecoding::Utf8:
            if (isValidUtf8(bytes)) return std::string(store::trimSpaces(bytes));
            return decode1251(bytes);
        case LabelDecoding::Cp866:
            return decode866(bytes);
        case LabelDecoding::Cp437:
            return decode437(bytes);
        case LabelDecoding::Cp1252:
            return decode1252(bytes);
        case LabelDecoding::Latin1:
            return decodeLatin1(bytes);
        case LabelDecoding::Cp1251:
            break;
    }
    return decode1251(bytes);
}

std::uint64_t caselessHash(std::string_view utf8) {
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a over the lowered code points
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const auto byte = static_cast<unsigned char>(utf8[pos]);
        if (byte < 0x80) {  // ASCII, the bulk of type codes and labels, without a decode step
            hash ^= (byte >= 'A' && byte <= 'Z') ? byte + 0x20u : byte;
            ++pos;
        } else {
            hash ^= store::foldCodePoint(nextCode(utf8, &pos));
        }
        hash *= 1099511628211ull;
    }
    hash ^= hash >> 33;  // spread the bits so that the low ones alone place an item well
    hash *= 0xFF51AFD7ED558CCDull;
    hash ^= hash >> 33;
    return hash;
}

}  // namespace tavrolin::source
