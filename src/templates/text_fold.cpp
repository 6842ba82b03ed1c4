#include "templates/text_fold.h"

namespace tavrolin::templates {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Cyrillic letters in UTF-8: capitals А-П are D0 90-9F, Р-Я D0 A0-AF, Ё D0 81; small а-п are
// D0 B0-BF, р-я D1 80-8F, ё D1 91.
std::string convert(std::string_view text, bool toLower) {
    std::string out(text);
    for (std::size_t i = 0; i < out.size(); ++i) {
        auto c = static_cast<unsigned char>(out[i]);
        if (c < 0x80) {
            if (toLower && c >= 'A' && c <= 'Z') out[i] = static_cast<char>(c + 32);
            if (!toLower && c >= 'a' && c <= 'z') out[i] = static_cast<char>(c - 32);
            continue;
        }
        // Only a two-byte Cyrillic letter (lead D0 or D1, then a continuation byte) changes;
        // any other byte above 0x7F is left as it is and the scan goes on with the next byte,
        // so the ASCII letter after a three- or four-byte character is not skipped.
        if ((c != 0xD0 && c != 0xD1) || i + 1 >= out.size()) continue;
        auto next = static_cast<unsigned char>(out[i + 1]);
        if ((next & 0xC0) != 0x80) continue;
        if (toLower) {
            if (c == 0xD0 && next >= 0x90 && next <= 0x9F) {
                out[i + 1] = static_cast<char>(next + 0x20);
            } else if (c == 0xD0 && next >= 0xA0 && next <= 0xAF) {
                out[i] = static_cast<char>(0xD1);
                out[i + 1] = static_cast<char>(next - 0x20);
            } else if (c == 0xD0 && next == 0x81) {
                out[i] = static_cast<char>(0xD1);
                out[i + 1] = static_cast<char>(0x91);
            }
        } else {
            if (c == 0xD0 && next >= 0xB0 && next <= 0xBF) {
                out[i + 1] = static_cast<char>(next - 0x20);
            } else if (c == 0xD1 && next >= 0x80 && next <= 0x8F) {
                out[i] = static_cast<char>(0xD0);
                out[i + 1] = static_cast<char>(next + 0x20);
            } else if (c == 0xD1 && next == 0x91) {
                out[i] = static_cast<char>(0xD0);
                out[i + 1] = static_cast<char>(0x81);
            }
        }
        ++i;  // the second byte of a two-byte letter was handled with the first
    }
    return out;
}

}  // namespace

std::string trim(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(text[begin])) ++begin;
    while (end > begin && isBlank(text[end - 1])) --end;
    return std::string(text.substr(begin, end - begin));
}

std::string trimRight(std::string_view text) {
    std::size_t end = text.size();
    while (end > 0 && isBlank(text[end - 1])) --end;
    return std::string(text.substr(0, end));
}

std::string foldCase(std::string_view text) { return convert(text, true); }
std::string upperCase(std::string_view text) { return convert(text, false); }

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && foldCase(a) == foldCase(b);
}

}  // namespace tavrolin::templates
