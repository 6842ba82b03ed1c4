// The palette of colour codes: its layout, conversions between texts and screen colours, the
// code of a colour and the closest code, and the five colour lists.
#include "templates/palette.h"

#include <gtest/gtest.h>

#include "template_fixture.h"

namespace tavrolin {
namespace {

using Palette = testing::PanelFixture;

TEST_F(Palette, CodesAndColours) {
    int used = 0;
    for (int code = 0; code < 256; ++code) {
        if (!paletteHas(code)) {
            EXPECT_EQ(paletteColor(code), color::kButtonFace) << code;
            continue;
        }
        ++used;
        // Each colour reads back through its text; the lowest code of a colour is its code.
        const std::uint32_t rgb = htmlToRgb(paletteHtml(code)).value();
        EXPECT_EQ(paletteColor(code), rgb) << code;
        EXPECT_EQ(RGB2HTML(rgb), paletteHtml(code));
        EXPECT_LE(RGB2Code(rgb), code);
        EXPECT_EQ(paletteHtml(RGB2Code(rgb)), paletteHtml(code));
        // The codes from 40 on (but 255) follow the 0x33 cube rule.
        if (code < 40 || code == 255) continue;
        const int r = rgb & 0xFF, g = (rgb >> 8) & 0xFF, b = (rgb >> 16) & 0xFF;
        EXPECT_EQ(code, 39 + 36 * (r / 0x33) + 6 * (g / 0x33) + b / 0x33) << code;
    }
    EXPECT_EQ(used, paletteSize());
    EXPECT_EQ(paletteColor(12), 0x0000FFu);  // red in the low byte
    EXPECT_EQ(RGB2Code(0x563412u), 0);       // no code
    EXPECT_EQ(RGB2Code(color::kButtonFace), 255);
}

TEST_F(Palette, ConvertsBetweenTextsAndScreenColours) {
    EXPECT_EQ(htmlToRgb("01ABCD").value(), 0x01u + 0xABu * 256 + 0xCDu * 65536);
    EXPECT_EQ(rgbaToRgb("01ABCDEF").value(), htmlToRgb("01ABCD").value());
    EXPECT_EQ(RGB2HTML(0), "000000");
    EXPECT_FALSE(htmlToRgb("12345G").isOk());
    EXPECT_FALSE(htmlToRgb("12345").isOk());
    EXPECT_EQ(HTML2RGB(main, "ZZ0000"), 0u);
    EXPECT_EQ(c("Att").text.rfind(" ! HTML2RGB: 13. ", 0), 0u) << c("Att").text;
    EXPECT_EQ(RGBA2RGB(main, "0A"), 0u);
    EXPECT_EQ(c("Att").text.rfind(" ! RGBA2RGB: ", 0), 0u);
    // The closest code is the tightest lighter colour.
    const std::pair<const char*, int> closest[] = {{"7F7F7F", 8},  {"C80000", 12}, {"FFFFFF", 15},
                                                   {"0000FF", 44}, {"8cc8ff", 16}, {"nothex", 0}};
    for (const auto& [html, code] : closest) EXPECT_EQ(HTML2Code(html), code) << html;
}

}  // namespace
}  // namespace tavrolin
