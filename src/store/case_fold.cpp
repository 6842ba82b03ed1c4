#include "store/case_fold.h"

#include <array>

#include "store/codepage.h"
#include "store/utf8_text.h"

namespace tavrolin::store {
namespace {

// The fold of every cp1251 byte, made from the UTF-8 fold through the code page, so that the
// two folds can never disagree on a letter.
std::array<std::uint8_t, 256> makeCp1251Fold() {
    std::array<std::uint8_t, 256> table{};
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        const std::string folded = encodeCp1251(foldUtf8(decodeCp1251(one)));
        table[b] = static_cast<std::uint8_t>(folded.size() == 1 ? folded[0] : one[0]);
    }
    return table;
}

const std::array<std::uint8_t, 256>& cp1251Fold() {
    static const std::array<std::uint8_t, 256> table = makeCp1251Fold();
    return table;
}

}  // namespace

std::string foldUtf8(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const char c = utf8[pos];
        if (static_cast<std::uint8_t>(c) < 0x80) {  // ASCII without a decode step
            out += (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 0x20) : c;
            ++pos;
            continue;
        }
        char32_t code = 0;
        const std::size_t length = decodeUtf8(utf8, pos, code);
        if (length == 0) {  // ill-formed: kept byte for byte
            out += utf8[pos++];
            continue;
        }
        appendUtf8(out, foldCodePoint(code));
        pos += length;
    }
    return out;
}

bool detail::equalsIgnoringCaseDecoding(std::string_view a, std::string_view b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        // Two ASCII bytes: only A-Z fold, no decoding needed.
        const auto byteA = static_cast<unsigned char>(a[i]);
        const auto byteB = static_cast<unsigned char>(b[j]);
        if (byteA < 0x80 && byteB < 0x80) {
            if (foldCodePoint(byteA) != foldCodePoint(byteB)) return false;
            ++i;
            ++j;
            continue;
        }
        char32_t x = 0, y = 0;
        std::size_t lengthA = decodeUtf8(a, i, x);
        std::size_t lengthB = decodeUtf8(b, j, y);
        if (lengthA == 0) x = 0x110000 + static_cast<std::uint8_t>(a[i]), lengthA = 1;
        if (lengthB == 0) y = 0x110000 + static_cast<std::uint8_t>(b[j]), lengthB = 1;
        if (foldCodePoint(x) != foldCodePoint(y)) return false;
        i += lengthA;
        j += lengthB;
    }
    return i == a.size() && j == b.size();
}

std::uint8_t foldCp1251(std::uint8_t byte) { return cp1251Fold()[byte]; }

std::string foldCp1251(std::string_view bytes) {
    const auto& table = cp1251Fold();
    std::string out(bytes);
    for (char& c : out) c = static_cast<char>(table[static_cast<std::uint8_t>(c)]);
    return out;
}

bool equalsIgnoringCaseCp1251(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    const auto& table = cp1251Fold();
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (table[static_cast<std::uint8_t>(a[i])] != table[static_cast<std::uint8_t>(b[i])]) {
            return false;
        }
    }
    return true;
}

}  // namespace tavrolin::store
