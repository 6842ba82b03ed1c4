#include "polish/mp_line_kind.h"

#include "store/case_fold.h"

namespace tavrolin::polish {

LineKind classifyLine(std::string_view line) {
    using store::startsWithIgnoringCase;
    if (line.empty()) return LineKind::Other;
    // The first byte decides which keyword could follow, so most lines take one comparison.
    switch (line.front()) {
        case '[':
            if (!startsWithIgnoringCase(line, "[po")) return LineKind::OtherSection;
            return store::equalsIgnoringCase(line, "[polygon]") ? LineKind::PolygonHead
                                                                : LineKind::OtherPoHead;
        case 'L':
        case 'l':
            return startsWithIgnoringCase(line, kLabelKey) ? LineKind::Label : LineKind::Other;
        case 'T':
        case 't':
            return startsWithIgnoringCase(line, "type") ? LineKind::Type : LineKind::Other;
        case 'D':
        case 'd':
            return startsWithIgnoringCase(line, "data") ? LineKind::Data : LineKind::Other;
        default:
            return LineKind::Other;
    }
}

}  // namespace tavrolin::polish
