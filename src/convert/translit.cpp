// Transliteration works in one pass over the text. It gives the same result as replacing each
// table key in turn (the group "ий" first, then the single letters, each in small and capital
// form) because no Latin replacement contains a letter that a later key could match.
#include "convert/translit.h"

#include <array>
#include <cstdint>

#include "store/case_fold.h"
#include "store/utf8_text.h"

namespace tavrolin {

namespace {

struct TranslitEntry {
    const char* key;
    const char* scheme1;
    const char* scheme2;
};

// Entry 0 is the letter group; entries 1 to 33 are the single small letters.
constexpr std::array<TranslitEntry, 34> kTable{{
    {"ий", "y", "y"},  {"а", "a", "a"},   {"б", "b", "b"},    {"в", "v", "v"},   {"г", "g", "g"},
    {"д", "d", "d"},   {"е", "e", "e"},   {"ё", "jo", "e"},   {"ж", "zh", "j"},  {"з", "z", "z"},
    {"и", "i", "i"},   {"й", "jj", "y"},  {"к", "k", "k"},    {"л", "l", "l"},   {"м", "m", "m"},
    {"н", "n", "n"},   {"о", "o", "o"},   {"п", "p", "p"},    {"р", "r", "r"},   {"с", "s", "s"},
    {"т", "t", "t"},   {"у", "u", "u"},   {"ф", "f", "f"},    {"х", "kh", "h"},  {"ц", "ts", "c"},
    {"ч", "ch", "ch"}, {"ш", "sh", "sh"}, {"щ", "shh", "sh"}, {"ъ", "'", "*"},   {"ы", "y", "y"},
    {"ь", "'", "y"},   {"э", "eh", "e"},  {"ю", "ju", "yu"},  {"я", "ja", "ya"},
}};

constexpr char32_t kInvalid = 0xFFFFFFFF;

// Decodes the code point at text[pos]; sets length to its byte count. An invalid or cut
// sequence gives kInvalid with length 1, so that the byte passes through unchanged.
char32_t decodeAt(std::string_view text, std::size_t pos, std::size_t& length) {
    char32_t cp = kInvalid;
    length = store::decodeUtf8(text, pos, cp);
    if (length == 0) length = 1;
    return cp;
}

// Capital of a Russian small letter (а-я, ё), else the code point itself.
char32_t upperRussian(char32_t cp) {
    if (cp >= 0x430 && cp <= 0x44F) return cp - 0x20;
    if (cp >= 0x450 && cp <= 0x45F) return cp - 0x50;
    return cp;
}

char32_t upperLetter(char32_t cp) {
    if (cp >= 'a' && cp <= 'z') return cp - 0x20;
    return upperRussian(cp);
}

char32_t firstCodePoint(std::string_view text, std::size_t& length) {
    return decodeAt(text, 0, length);
}

// The replacement with its first character in capitals.
std::string capitalised(std::string_view replacement) {
    std::size_t length = 0;
    const char32_t first = firstCodePoint(replacement, length);
    std::string out;
    store::appendUtf8(out, upperLetter(first));
    out.append(replacement.substr(length));
    return out;
}

// Replacements of one scheme, indexed by the small letter's offset from U+0430 (U+0450 to
// U+045F follow at 32 to 47), small and capitalised forms.
struct SchemeTable {
    std::array<std::string, 48> small;
    std::array<std::string, 48> capital;
    std::array<bool, 48> isKey{};
    std::string groupSmall;
    std::string groupCapital;
};

int letterSlot(char32_t smallLetter) {
    if (smallLetter >= 0x430 && smallLetter <= 0x45F) return static_cast<int>(smallLetter - 0x430);
    return -1;
}

SchemeTable buildScheme(int scheme) {
    SchemeTable table;
    const auto replacementOf = [scheme](const TranslitEntry& entry) -> std::string_view {
        return scheme == 0 ? entry.key : scheme == 1 ? entry.scheme1 : entry.scheme2;
    };
    table.groupSmall = replacementOf(kTable[0]);
    // Scheme 0 keeps every key as it is, the capital group ИЙ too (capitalising only the first
    // letter of the key would turn it into Ий).
    table.groupCapital = scheme == 0 ? std::string("ИЙ") : capitalised(table.groupSmall);
    for (std::size_t k = 1; k < kTable.size(); ++k) {
        std::size_t length = 0;
        const int slot = letterSlot(firstCodePoint(kTable[k].key, length));
        table.small[slot] = replacementOf(kTable[k]);
        table.capital[slot] = capitalised(table.small[slot]);
        table.isKey[slot] = true;
    }
    return table;
}

const SchemeTable& schemeTable(int scheme) {
    static const std::array<SchemeTable, 3> tables{buildScheme(0), buildScheme(1), buildScheme(2)};
    return tables[scheme];
}

}  // namespace

Result<std::string> Translit(const std::string& text, int scheme) {
    if (scheme < 0 || scheme > 2) {
        return Status::error(err::kInvalidArgument,
                             "transliteration scheme " + std::to_string(scheme) + " does not exist",
                             "схемы транслитерации " + std::to_string(scheme) + " не существует");
    }
    const SchemeTable& table = schemeTable(scheme);
    std::string out;
    out.reserve(text.size() + text.size() / 2);
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t length = 0;
        const char32_t cp = decodeAt(text, pos, length);
        if (cp < 0x80 || cp == kInvalid) {
            out += text[pos];
            ++pos;
            continue;
        }
        // The group "ий" / "ИЙ" (mixed forms are two single letters).
        if (cp == 0x438 || cp == 0x418) {
            std::size_t nextLength = 0;
            const char32_t next =
                pos + length < text.size() ? decodeAt(text, pos + length, nextLength) : 0;
            if (next == cp + 1) {
                out += cp == 0x438 ? table.groupSmall : table.groupCapital;
                pos += length + nextLength;
                continue;
            }
        }
        const bool isCapital = cp >= 0x400 && cp <= 0x42F;
        const int slot = letterSlot(isCapital ? store::foldCodePoint(cp) : cp);
        if (slot >= 0 && table.isKey[slot]) {
            out += isCapital ? table.capital[slot] : table.small[slot];
        } else {
            out.append(text, pos, length);
        }
        pos += length;
    }
    return out;
}

}  // namespace tavrolin
