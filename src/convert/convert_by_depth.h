// Conversion by depth: the conversion by types into the temporary output table, then a pass
// over its depth areas and contours (polygon and line rows with a label and no level) that reads
// the depth from the label and sets the layer and, from the depth scheme, the colours, display
// limits, label mode and font.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "convert/depth_scheme.h"
#include "window/main_state.h"

namespace tavrolin {

// The "!!!" button of the depth block: DBFprepare, RunType without the move, RunName, the
// success message and the output shown in the file manager.
void btnMakeName_Click(Main& main, const DepthServices& services);

// Rewrites the depth rows of the temporary output table from the swatches (read once, when the
// pass starts) and moves the table beside the source. Point tables are only moved. Any failure
// (a depth beyond 32767 m, a value the table cannot store, a move that fails) stops the pass at
// that row: " ! RunName: number. description" on Att, a beep, false; the rows before it keep
// their new values and the table stays in the program folder. rowsCarryDepth: the conversion by
// types wrote the rows with their depth values already (DepthInRows); only the move is left.
bool RunName(Main& main, const DepthServices& services, bool rowsCarryDepth = false);

// One value the depth pass writes into a row: a number, or a text when text is set.
struct DepthValue {
    const char* column = "";
    int number = 0;
    std::optional<std::string> text;
};

// What the depth pass writes into a row, read from the swatches, the scheme flag, the object
// kind and the label notation once: the rules of the pass, shared by the pass over the output
// table and the map drawn by depth.
class DepthRules {
   public:
    DepthRules(const Main& main, const DepthServices& services);

    // Whether the kind has depth objects at all (polygons and lines; point tables are only
    // moved).
    bool paintsKind() const { return m_paints; }
    // The values for a row without level whose label (VALUE as written) is not empty: nothing
    // when the label does not read as a depth. Error 6 for a depth beyond 32767.
    Result<std::vector<DepthValue>> valuesFor(std::string_view label) const;
    // The values of a whole depth d (plusMark: a shallow marked "!+"), but for the label of a
    // marked line: they depend on these two alone.
    std::vector<DepthValue> valuesForDepth(int d, bool plusMark) const;

   private:
    bool m_paints = false;
    bool m_lines = false;
    bool m_schemeApplied = false;
    bool m_russian = false;
    bool m_depthInMetres = false;
    std::array<int, kSwatchCount> m_fill{};
    std::array<int, kSwatchCount> m_border{};
};

// A label read as a depth.
struct DepthLabel {
    bool plusMark = false;  // ended in "!+": a shallow, coloured as the depth one metre up
    bool isNumber = false;
    double metres = 0;  // the number, when it is one
    std::string text;   // the label before "!+"; with depthInMetres commas made points
};

// Reads a label: the plus mark "!+" at its end (the text is then what stands before its first
// "!+"), then the number in the notation the source reader writes numbers in: the interface's
// decimal separator (comma in Russian, point in English), and the point also when the source
// has depths in metres (its reader turns commas into points). Blanks around the number, a sign
// and an exponent ("1E3") are allowed; nothing else.
DepthLabel readDepthLabel(std::string_view label, bool russian, bool depthInMetres);

// The whole depth of a number: its absolute value rounded to the nearest whole number, a half
// to the even neighbour. Error 6 when that is beyond 32767, the largest 16-bit whole number.
Result<int> wholeDepth(double metres);

}  // namespace tavrolin
