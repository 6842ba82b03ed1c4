#include "polish/mp_line_kind.h"

#include "store/case_fold.h"

namespace tavrolin::polish {

namespace {
constexpr std::string_view kPolygonHead = "[polygon]";
}  // namespace

LineKind classifyLine(std::string_view line) {
    using store::startsWithKeyword;
    if (line.empty()) return LineKind::Other;
    // The first byte decides which keyword could follow, so most lines take one comparison.
    switch (line.front()) {
        case '[':
            if (!startsWithKeyword(line, "[po")) return LineKind::OtherSection;
            return line.size() == kPolygonHead.size() && startsWithKeyword(line, kPolygonHead)
                       ? LineKind::PolygonHead
                       : LineKind::OtherPoHead;
        case 'L':
        case 'l':
            return startsWithKeyword(line, kLabelKey) ? LineKind::Label : LineKind::Other;
        case 'T':
        case 't':
            return startsWithKeyword(line, "type") ? LineKind::Type : LineKind::Other;
        case 'D':
        case 'd':
            return startsWithKeyword(line, "data") ? LineKind::Data : LineKind::Other;
        default:
            return LineKind::Other;
    }
}

}  // namespace tavrolin::polish
