#include "templates/palette.h"

#include <array>
#include <cstdio>
#include <utility>

namespace tavrolin {

namespace {

// The codes that carry a colour, with their HTML colour texts, in ascending order. The codes
// from 40 on follow 39 + 36 * (red / 0x33) + 6 * (green / 0x33) + blue / 0x33.
constexpr std::pair<int, const char*> kPalette[] = {
    {0, "000000"},   {1, "000080"},   {2, "008000"},   {3, "008080"},   {4, "800000"},
    {5, "800080"},   {6, "808000"},   {7, "C0C0C0"},   {8, "808080"},   {9, "0000FF"},
    {10, "00FF00"},  {11, "00FFFF"},  {12, "FF0000"},  {13, "FF00FF"},  {14, "FFFF00"},
    {15, "FFFFFF"},  {16, "8CC8FF"},  {17, "B4F0B4"},  {18, "FFC8C8"},  {19, "FF8000"},
    {20, "FFE696"},  {21, "FFFFC0"},  {22, "E0FFB0"},  {23, "FFFF60"},  {24, "D0D040"},
    {25, "80FF60"},  {26, "000040"},  {27, "004000"},  {28, "807346"},  {29, "404000"},
    {30, "400000"},  {40, "000033"},  {41, "000066"},  {42, "000099"},  {43, "0000CC"},
    {44, "0000FF"},  {50, "0033FF"},  {56, "0066FF"},  {62, "0099FF"},  {68, "00CCFF"},
    {74, "00FFFF"},  {125, "666666"}, {131, "669966"}, {134, "6699FF"}, {143, "66FF66"},
    {160, "996633"}, {168, "999999"}, {174, "99CC99"}, {176, "99CCFF"}, {193, "CC33CC"},
    {210, "CCCC99"}, {218, "CCFFFF"}, {226, "FF3333"}, {233, "FF6666"}, {239, "FF9966"},
    {248, "FFCCFF"}, {255, "FFFFFF"},
};

constexpr const char* kColourLists[] = {"COLOR", "BDR_COLOR", "BFR_COLOR", "RTP_COLOR",
                                        "HAL_COLOR"};

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// The 256 slots: HTML text and screen colour of each code; empty text for a code without colour.
struct Slots {
    std::array<std::string, 256> html;
    std::array<std::uint32_t, 256> rgb{};
    Slots() {
        for (const auto& [code, text] : kPalette) {
            html[static_cast<std::size_t>(code)] = text;
            rgb[static_cast<std::size_t>(code)] = htmlToRgb(text).value();
        }
    }
};

const Slots& slots() {
    static const Slots instance;
    return instance;
}

}  // namespace

Result<std::uint32_t> htmlToRgb(const std::string& html) {
    if (html.size() != 6) {
        return Status::error(err::kInvalidArgument,
                             "a colour needs six hexadecimal digits: '" + html + "'",
                             "цвету нужны шесть шестнадцатеричных цифр: '" + html + "'");
    }
    std::uint32_t channels[3];
    for (int i = 0; i < 3; ++i) {
        int high = hexDigit(html[static_cast<std::size_t>(2 * i)]);
        int low = hexDigit(html[static_cast<std::size_t>(2 * i + 1)]);
        if (high < 0 || low < 0) {
            return Status::error(err::kTypeMismatch, "not a hexadecimal colour: '" + html + "'",
                                 "не шестнадцатеричный цвет: '" + html + "'");
        }
        channels[i] = static_cast<std::uint32_t>(high * 16 + low);
    }
    return channels[0] + 256 * channels[1] + 65536 * channels[2];
}

Result<std::uint32_t> rgbaToRgb(const std::string& rgba) { return htmlToRgb(rgba.substr(0, 6)); }

std::uint32_t HTML2RGB(Main& main, const std::string& html) {
    Result<std::uint32_t> rgb = htmlToRgb(html);
    if (!rgb) {
        main.att(" ! HTML2RGB: " + rgb.status().toString(main.russian));
        return 0;
    }
    return *rgb;
}

std::uint32_t RGBA2RGB(Main& main, const std::string& rgba) {
    Result<std::uint32_t> rgb = rgbaToRgb(rgba);
    if (!rgb) {
        main.att(" ! RGBA2RGB: " + rgb.status().toString(main.russian));
        return 0;
    }
    return *rgb;
}

std::string RGB2HTML(std::uint32_t value) {
    char text[7];
    std::snprintf(text, sizeof text, "%02X%02X%02X", value % 256, (value / 256) % 256,
                  (value / 65536) % 256);
    return text;
}

int RGB2Code(std::uint32_t value) {
    if (value == color::kButtonFace || value == color::kWindowBackground) return kNoColorCode;
    const Slots& s = slots();
    for (int code = 0; code < kNoColorCode; ++code) {
        auto i = static_cast<std::size_t>(code);
        if (!s.html[i].empty() && s.rgb[i] == value) return code;
    }
    return 0;
}

int HTML2Code(const std::string& html) {
    Result<std::uint32_t> target = htmlToRgb(html);
    if (!target) return 0;
    auto channel = [](std::uint32_t rgb, int shift) { return (rgb >> shift) & 0xFF; };
    std::uint32_t best = 0xFFFFFF;
    int bestCode = 0;
    const Slots& s = slots();
    for (int code = 0; code < kNoColorCode; ++code) {
        auto i = static_cast<std::size_t>(code);
        if (s.html[i].empty()) continue;
        bool dominates = true;
        for (int shift : {0, 8, 16}) {
            std::uint32_t c = channel(s.rgb[i], shift);
            if (c < channel(*target, shift) || c > channel(best, shift)) dominates = false;
        }
        if (dominates) {
            best = s.rgb[i];
            bestCode = code;
        }
    }
    return bestCode;
}

std::uint32_t paletteColor(int code) {
    if (!paletteHas(code)) return color::kButtonFace;
    return slots().rgb[static_cast<std::size_t>(code)];
}

std::string paletteHtml(int code) {
    if (code < 0 || code > 255) return {};
    return slots().html[static_cast<std::size_t>(code)];
}

bool paletteHas(int code) {
    return code >= 0 && code <= 255 && !slots().html[static_cast<std::size_t>(code)].empty();
}

int paletteSize() { return static_cast<int>(std::size(kPalette)); }

void fillPalette(Main& main) {
    for (const char* list : kColourLists) {
        std::vector<std::string> items;
        for (const auto& [code, text] : kPalette) items.push_back(std::to_string(code));
        items.emplace_back();  // the blank entry that clears the colour
        main.form.setItems(list, std::move(items));
    }
    main.form.setListIndex("COLOR", 16);  // code 16; the previews follow
}

}  // namespace tavrolin
