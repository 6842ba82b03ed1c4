#include "templates/palette.h"

#include <gtest/gtest.h>

#include "store/scripted_platform.h"
#include "window/main_controls.h"

namespace tavrolin {
namespace {

TEST(Palette, HoldsTheFiftySevenCodesWithTheirColours) {
    EXPECT_EQ(paletteSize(), 57);
    int used = 0;
    for (int code = 0; code < 256; ++code) used += paletteHas(code) ? 1 : 0;
    EXPECT_EQ(used, 57);
    EXPECT_EQ(paletteHtml(16), "8CC8FF");
    EXPECT_EQ(paletteHtml(28), "807346");
    EXPECT_EQ(paletteHtml(255), "FFFFFF");
    EXPECT_FALSE(paletteHas(31));
    EXPECT_FALSE(paletteHas(254));
    EXPECT_EQ(paletteColor(12), 0x0000FFu);  // red in the low byte
    EXPECT_EQ(paletteColor(31), color::kButtonFace);
    // The codes from 40 on follow the 0x33 cube rule.
    for (int code = 40; code < 255; ++code) {
        if (!paletteHas(code)) continue;
        auto rgb = htmlToRgb(paletteHtml(code)).value();
        int r = rgb & 0xFF, g = (rgb >> 8) & 0xFF, b = (rgb >> 16) & 0xFF;
        EXPECT_EQ(code, 39 + 36 * (r / 0x33) + 6 * (g / 0x33) + b / 0x33) << code;
    }
}

TEST(Palette, ConvertsBetweenTextsAndScreenColours) {
    EXPECT_EQ(htmlToRgb("01ABCD").value(), 0x01u + 0xABu * 256 + 0xCDu * 65536);
    EXPECT_EQ(htmlToRgb("01abcd").value(), htmlToRgb("01ABCD").value());
    EXPECT_EQ(rgbaToRgb("01ABCDEF").value(), htmlToRgb("01ABCD").value());
    EXPECT_EQ(RGB2HTML(0x01u + 0xABu * 256 + 0xCDu * 65536), "01ABCD");
    EXPECT_EQ(RGB2HTML(0), "000000");
    EXPECT_FALSE(htmlToRgb("12345G").isOk());
    EXPECT_FALSE(htmlToRgb("12345").isOk());

    ScriptedPlatform platform;
    Main main(platform);
    buildMainControls(main.form);
    EXPECT_EQ(HTML2RGB(main, "ZZ0000"), 0u);
    EXPECT_EQ(main.form("Att").text.rfind(" ! HTML2RGB: 13. ", 0), 0u) << main.form("Att").text;
    EXPECT_EQ(RGBA2RGB(main, "0A"), 0u);
    EXPECT_EQ(main.form("Att").text.rfind(" ! RGBA2RGB: ", 0), 0u);
}

TEST(Palette, CodeOfAScreenColourIsTheLowestMatch) {
    EXPECT_EQ(RGB2Code(htmlToRgb("0000FF").value()), 9);
    EXPECT_EQ(RGB2Code(htmlToRgb("123456").value()), 0);
    EXPECT_EQ(RGB2Code(color::kButtonFace), 255);
    EXPECT_EQ(RGB2Code(color::kWindowBackground), 255);
}

TEST(Palette, ClosestCodeIsTheTightestLighterColour) {
    EXPECT_EQ(HTML2Code("7F7F7F"), 8);
    EXPECT_EQ(HTML2Code("C80000"), 12);
    EXPECT_EQ(HTML2Code("FFFFFF"), 15);
    EXPECT_EQ(HTML2Code("0000FF"), 44);
    EXPECT_EQ(HTML2Code("8cc8ff"), 16);
    EXPECT_EQ(HTML2Code("nothex"), 0);
}

TEST(Palette, FillsTheFiveColourListsEndingWithABlank) {
    ScriptedPlatform platform;
    Main main(platform);
    buildMainControls(main.form);
    fillPalette(main);
    for (const char* list : {"COLOR", "BDR_COLOR", "BFR_COLOR", "RTP_COLOR", "HAL_COLOR"}) {
        const Control& c = main.form(list);
        ASSERT_EQ(c.listCount(), 58) << list;
        EXPECT_EQ(c.items.front(), "0");
        EXPECT_EQ(c.items[56], "255");
        EXPECT_EQ(c.items.back(), "");
    }
    EXPECT_EQ(main.form("COLOR").listIndex, 16);
    EXPECT_EQ(main.form("COLOR").text, "16");
}

}  // namespace
}  // namespace tavrolin
