#include "source/label_rules.h"

#include <algorithm>

#include "source/encodings.h"
#include "store/utf8_text.h"

namespace tavrolin::source {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool LabelRules::looksLikeCoordinate(std::string_view text) {
    if (text.size() < 9) return false;
    for (std::size_t i = 0; i < 9; ++i) {
        if (i == 2 ? text[i] != '.' : !isDigit(text[i])) return false;
    }
    return true;
}

std::string LabelRules::apply(std::string_view text) {
    if (text.empty() || looksLikeCoordinate(text)) return {};

    m_work.assign(text);
    if (m_depthInMetres) std::replace(m_work.begin(), m_work.end(), ',', '.');
    std::string_view bytes = store::trimSpaces(m_work);
    if (bytes.size() >= 2 && bytes.substr(bytes.size() - 2) == ".0") {
        bytes.remove_suffix(2);
    }

    if (!m_fixed && m_mark == kMarkNone) {
        int guess = guessLabelMark(bytes);
        if (guess != kGuessAscii) m_mark = guess;
    }
    std::string label =
        decodeLabel(bytes, m_fixed ? *m_fixed : labelDecoding(m_russian, m_mark, m_oemCodePage));
    std::replace(label.begin(), label.end(), '"', '\'');

    m_widthCounter = std::max(m_widthCounter, static_cast<int>(store::countCharacters(label)));
    return label;
}

}  // namespace tavrolin::source
