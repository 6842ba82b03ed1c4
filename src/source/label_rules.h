// The rules that turn a label field's text into the label the lists and the output show:
// coordinates dropped, depth commas made points, blanks cut, a trailing ".0" removed, the
// file's encoding converted to UTF-8, double quotes made apostrophes, and the widest label
// remembered for the output column.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "source/encodings.h"

namespace tavrolin::source {

class LabelRules {
   public:
    // mark: the file's language-driver byte (already replaced for "ignore names");
    // oemCodePage: the system's OEM code page; depthInMetres: the table has a DEPTH_M10 field.
    LabelRules(bool russian, int mark, int oemCodePage, bool depthInMetres)
        : m_russian(russian),
          m_mark(mark),
          m_oemCodePage(oemCodePage),
          m_depthInMetres(depthInMetres) {}
    // With a decoding named by the source's code-page file: every label is decoded so, and
    // neither the mark nor a guess plays a part.
    LabelRules(LabelDecoding decoding, bool depthInMetres)
        : m_fixed(decoding), m_depthInMetres(depthInMetres) {}

    // The label for a field's text in its one-byte form (see field_text.h). Valid UTF-8.
    // With mark 0 the encoding is guessed from this label; a plain ASCII label leaves the mark
    // at 0 so that the next label is guessed again, any other guess is kept for the rest of
    // the read.
    std::string apply(std::string_view text);

    // The longest label so far, in characters.
    int widthCounter() const { return m_widthCounter; }
    int mark() const { return m_mark; }

    // True for texts that start like a coordinate: two digits, a point, six digits.
    static bool looksLikeCoordinate(std::string_view text);

   private:
    bool m_russian = false;
    int m_mark = 0;
    int m_oemCodePage = 437;
    std::optional<LabelDecoding> m_fixed;
    bool m_depthInMetres;
    int m_widthCounter = 0;
    std::string m_work;
};

}  // namespace tavrolin::source
