#include "preview/map_style.h"

#include <cctype>
#include <cstdlib>
#include <string_view>

namespace tavrolin::preview {

namespace {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) {
        text.remove_prefix(1);
    }
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) {
        text.remove_suffix(1);
    }
    return text;
}

// A whole number (numeric columns come as "16" or "16.0"); nothing for other text.
std::optional<int> number(std::string_view text) {
    const std::string digits(trimmed(text));
    if (digits.empty()) return std::nullopt;
    char* end = nullptr;
    const double value = std::strtod(digits.c_str(), &end);
    if (end != digits.c_str() + digits.size() || value < -1e6 || value > 1e6) return std::nullopt;
    return static_cast<int>(value);
}

// The colours of one code column and its RGBA column.
struct ColourPair {
    std::optional<int> code;
    std::string rgba;

    std::optional<std::uint32_t> resolve(const ColourRules& rules) const {
        if (!rgba.empty() && rules.rgbaColour) {
            if (auto colour = rules.rgbaColour(rgba)) return colour;
        }
        if (code && rules.codeColour) return rules.codeColour(*code);
        return std::nullopt;
    }
};

}  // namespace

std::vector<int> dashRuns(const std::string& pattern) {
    std::vector<int> runs;
    std::string_view bits = trimmed(pattern);
    if (bits.find('0') == std::string_view::npos) return runs;
    // Start with a dash: leading gaps move to the end.
    std::string rotated(bits);
    while (!rotated.empty() && rotated.front() != '1') {
        rotated.push_back(rotated.front());
        rotated.erase(rotated.begin());
    }
    char current = 0;
    for (char bit : rotated) {
        if (bit != '0' && bit != '1') return {};
        if (bit == current) {
            ++runs.back();
        } else {
            runs.push_back(1);
            current = bit;
        }
    }
    if (runs.size() % 2 != 0) runs.push_back(0);  // dash, gap pairs
    if (runs.size() < 2 || runs.front() == 0) return {};
    return runs;
}

DisplayStyle styleFromAttributes(const AttributeValues& values, const ColourRules& colours) {
    DisplayStyle style;
    ColourPair fill;
    ColourPair border;
    ColourPair lineBorder;
    ColourPair halo;
    for (const auto& [column, text] : values) {
        const std::string_view value = trimmed(text);
        if (column == "L_LIMIT") {
            if (auto n = number(value)) style.lowerLimit = *n;
        } else if (column == "U_LIMIT") {
            if (auto n = number(value)) style.upperLimit = *n;
        } else if (column == "P_LIMIT") {
            style.pointLimit = number(value);
        } else if (column == "LAYER") {
            style.layer = number(value).value_or(0);
        } else if (column == "COLOR") {
            fill.code = number(value);
        } else if (column == "CLRRGB") {
            fill.rgba = value;
        } else if (column == "WIDTH") {
            style.width = number(value).value_or(0);
        } else if (column == "PATTERN") {
            style.linePattern = dashRuns(std::string(value));
        } else if (column == "BFR_COLOR") {
            lineBorder.code = number(value);
        } else if (column == "BDF_CLRRGB") {
            lineBorder.rgba = value;
        } else if (column == "BFR_WIDTH") {
            style.lineBorderWidth = number(value).value_or(0);
        } else if (column == "BDR_COLOR") {
            border.code = number(value);
        } else if (column == "BDR_CLRRGB") {
            border.rgba = value;
        } else if (column == "BDR_WIDTH") {
            style.borderWidth = number(value).value_or(0);
        } else if (column == "BDR_PATTER") {
            style.borderPattern = dashRuns(std::string(value));
        } else if (column == "HAL_COLOR") {
            halo.code = number(value);
        } else if (column == "HAL_CLRRGB") {
            halo.rgba = value;
        } else if (column == "MODE") {
            style.mode =
                value.empty()
                    ? 'N'
                    : static_cast<char>(std::toupper(static_cast<unsigned char>(value.front())));
        } else if (column == "FONT") {
            // "10", "10B" bold, "10O" outlined.
            std::size_t digits = 0;
            while (digits < value.size() &&
                   std::isdigit(static_cast<unsigned char>(value[digits]))) {
                ++digits;
            }
            style.fontSize = number(value.substr(0, digits)).value_or(0);
            const std::string_view suffix = value.substr(digits);
            style.bold = suffix == "B" || suffix == "b";
            style.outlined = suffix == "O" || suffix == "o";
        } else if (column == "ICON") {
            style.icon = value;
        } else if (column == "P_ICON") {
            style.pointIcon = value;
        }
    }
    style.color = fill.resolve(colours);
    style.borderColor = border.resolve(colours);
    style.lineBorderColor = lineBorder.resolve(colours);
    style.haloColor = halo.resolve(colours);
    return style;
}

}  // namespace tavrolin::preview
