// How one map object looks: the display attributes the conversion writes for its record (as
// column and text pairs), read into colours, widths, patterns, label settings and display limits.
// Colours are screen colour values (red + 256 * green + 65536 * blue); which colour a code or an
// RGBA text stands for is the template's palette, handed in by the caller.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tavrolin::preview {

// One output column and its value as the conversion writes it ("COLOR", "16").
using AttributeValues = std::vector<std::pair<std::string, std::string>>;

// The palette's answers: the colour of a code (nothing for a code without colour, 255
// included) and of an RGBA text (nothing for an empty or invalid text).
struct ColourRules {
    std::function<std::optional<std::uint32_t>(int code)> codeColour;
    std::function<std::optional<std::uint32_t>(const std::string& rgba)> rgbaColour;
};

// A dash pattern as a run list: "1100110011" is {2, 2, 2, 2, 2}: dash, gap, dash, ... in
// pattern units. Empty for a solid line (an empty text or one without gaps).
std::vector<int> dashRuns(const std::string& pattern);

struct DisplayStyle {
    // Display limits: shown at the scale codes lower <= code < upper. Points with a point limit
    // show their point icon from that code on.
    int lowerLimit = 0;
    int upperLimit = 34;
    std::optional<int> pointLimit;
    int layer = 0;  // 1 is the topmost; 0 (or none) lies under every numbered layer

    std::optional<std::uint32_t> color;  // fill of a polygon, colour of a line, a label's text
    int width = 0;                       // line width
    std::vector<int> linePattern;
    std::optional<std::uint32_t> lineBorderColor;  // BFR_COLOR / BDF_CLRRGB
    int lineBorderWidth = 0;
    std::optional<std::uint32_t> borderColor;  // polygon border
    int borderWidth = 0;
    std::vector<int> borderPattern;
    std::optional<std::uint32_t> haloColor;

    char mode = 'N';   // label mode: N none, T text, M, F metres, P
    int fontSize = 0;  // 0: no label
    bool bold = false;
    bool outlined = false;  // the "O" sizes
    std::string icon;       // point icon, or polygon fill picture
    std::string pointIcon;  // point icon from the point limit on

    bool showsLabel() const { return mode != 'N' && fontSize > 0; }
};

// Reads the attributes of one record. Columns it does not know are ignored; numbers that do not
// read as numbers count as empty. An RGBA text, when set and valid, wins over its colour code.
DisplayStyle styleFromAttributes(const AttributeValues& values, const ColourRules& colours);

}  // namespace tavrolin::preview
