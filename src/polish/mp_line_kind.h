// The kinds of map text line that the map operations look at. Keywords are compared ignoring
// letter case, on lines already trimmed of spaces.
#pragma once

#include <cstdint>
#include <string_view>

namespace tavrolin::polish {

enum class LineKind : std::uint8_t {
    PolygonHead,   // "[polygon]"
    OtherPoHead,   // another head beginning "[po": "[POI]", "[POLYLINE]", ...
    OtherSection,  // any other line beginning "[": "[END]", "[RGN80]", "[END-IMG ID]", ...
    Label,         // "Label=..."
    Type,          // "Type=..."
    Data,          // "Data0=(...)", "Data1=(...)", ...
    Other,
};

LineKind classifyLine(std::string_view line);

constexpr std::string_view kLabelKey = "label=";

// The text after "label=" of a label line.
inline std::string_view labelText(std::string_view labelLine) {
    return labelLine.substr(kLabelKey.size());
}

}  // namespace tavrolin::polish
