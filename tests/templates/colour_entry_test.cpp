#include "templates/colour_entry.h"

#include <gtest/gtest.h>

#include "store/scripted_platform.h"
#include "templates/palette.h"
#include "templates/templates_handlers.h"
#include "templates/value_lists.h"
#include "window/main_controls.h"

namespace tavrolin {
namespace {

class ColourEntry : public ::testing::Test {
   protected:
    ColourEntry() : main(platform) {
        buildMainControls(main.form);
        registerTemplateHandlers(main);
        fillPalette(main);
        fillValueLists(main);
        main.att("");
    }
    ScriptedPlatform platform;
    Main main;
};

TEST_F(ColourEntry, CheckCharsNeedsEveryCharacterAllowed) {
    EXPECT_TRUE(CheckChars(main, "01abCD", "0123456789abcdef"));
    EXPECT_EQ(platform.beeps, 0);
    EXPECT_FALSE(CheckChars(main, "", "0123456789abcdef"));
    EXPECT_EQ(platform.beeps, 0);
    EXPECT_FALSE(CheckChars(main, "01ABCG", "0123456789abcdef"));
    EXPECT_EQ(platform.beeps, 1);
}

TEST_F(ColourEntry, RgbaBoxShowsItsColourOrTheNeutralBackground) {
    main.form.setText("CLRRGB", "01ABCDEF");
    EXPECT_EQ(main.form("CLRRGB").backColor, htmlToRgb("01ABCD").value());
    EXPECT_EQ(main.form("Att").text, "");

    main.form.setText("CLRRGB", "01ABCDE");  // seven characters: neutral, silent
    EXPECT_EQ(main.form("CLRRGB").backColor, color::kWindowBackground);
    EXPECT_EQ(main.form("Att").text, "");
    EXPECT_EQ(platform.beeps, 0);

    main.form.setText("CLRRGB", "ЖЖЖ");  // three characters, though six bytes
    EXPECT_EQ(main.form("CLRRGB").backColor, color::kWindowBackground);
    EXPECT_EQ(main.form("Att").text, "");
    EXPECT_EQ(platform.beeps, 0);

    main.form.setText("BDR_CLRRGB", "01ABCG");
    EXPECT_EQ(main.form("BDR_CLRRGB").backColor, color::kWindowBackground);
    EXPECT_EQ(main.form("Att").text, " * enter color in RGBA (eg 01ABCD or 01ABCDEF)");
    EXPECT_EQ(platform.beeps, 1);

    main.form.setText("HAL_CLRRGB", "ff0000");
    EXPECT_EQ(main.form("HAL_CLRRGB").backColor, 0x0000FFu);
}

TEST_F(ColourEntry, DoubleClickPicksIntoTheBox) {
    main.form.setText("RTP_CLRRGB", "8CC8FF");
    platform.colorReplies.push_back(std::optional<std::uint32_t>(0));
    main.form.raise("RTP_CLRRGB", Event::DblClick);
    EXPECT_EQ(main.form("RTP_CLRRGB").text, "000000");
    EXPECT_EQ(main.form("RTP_CLRRGB").backColor, 0u);

    // Cancelled: nothing changes. An empty box starts the dialog on a real colour.
    main.form.setText("BDF_CLRRGB", "");
    platform.colorReplies.push_back(std::nullopt);
    main.form.raise("BDF_CLRRGB", Event::DblClick);
    EXPECT_EQ(main.form("BDF_CLRRGB").text, "");
}

TEST_F(ColourEntry, HtmlBoxProposesTheClosestCode) {
    main.form.setText("HTML", "7f7f7f");
    EXPECT_EQ(main.form("COLOR").text, "8");
    EXPECT_EQ(main.form("SAMPLE").fillColor, paletteColor(8));  // the previews follow
    EXPECT_EQ(main.form("HTML").backColor, htmlToRgb("7F7F7F").value());
    EXPECT_EQ(main.form("Att").text, " * the closest available color code is 8");

    const std::string hint =
        " * enter color in HTML (eg 01ABCD) for the selection of the color code";
    main.form.setText("HTML", "7f7f7");
    EXPECT_EQ(main.form("Att").text, hint);
    EXPECT_EQ(main.form("HTML").backColor, color::kButtonFace);
    EXPECT_EQ(main.form("COLOR").text, "8");
    main.att("");
    main.form.setText("HTML", "ЖЖЖ");  // a wrong length, not a wrong character: no beep
    EXPECT_EQ(main.form("Att").text, hint);
    EXPECT_EQ(platform.beeps, 0);
    main.att("");
    main.form.setText("HTML", "7f7f7x");
    EXPECT_EQ(main.form("Att").text, hint);
    EXPECT_EQ(platform.beeps, 1);
}

}  // namespace
}  // namespace tavrolin
