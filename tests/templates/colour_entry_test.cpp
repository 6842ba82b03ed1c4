// Colour texts typed into the panel: RGBA and HTML boxes, their checks and the colour dialog.
#include "templates/colour_entry.h"

#include <gtest/gtest.h>

#include "template_fixture.h"

namespace tavrolin {
namespace {

class ColourEntry : public testing::PanelFixture {
   protected:
    ColourEntry() { main.att(""); }
    // Types the text and gives the box's colour, the message line and whether it beeped.
    std::string type(const char* box, const char* text) {
        main.att("");
        const int beeps = platform.beeps;
        main.form.setText(box, text);
        const std::uint32_t colour = c(box).backColor;
        return (colour == color::kWindowBackground ? std::string("window")
                : colour == color::kButtonFace     ? std::string("face")
                                                   : std::to_string(colour)) +
               "|" + main.form("Att").text + (platform.beeps > beeps ? "|beep" : "");
    }
};

// A box shows its colour; a wrong length (in characters, not bytes) is silent and neutral; a
// wrong character beeps and says how to write a colour.
TEST_F(ColourEntry, BoxesShowTheirColourOrTheNeutralBackground) {
    const std::string rgba = " * enter color in RGBA (eg 01ABCD or 01ABCDEF)";
    const std::string html =
        " * enter color in HTML (eg 01ABCD) for the selection of the color code";
    EXPECT_EQ(type("CLRRGB", "01ABCDEF"), std::to_string(0xCDAB01u) + "|");
    EXPECT_EQ(type("CLRRGB", "01ABCDE"), "window|");
    EXPECT_EQ(type("CLRRGB", "ЖЖЖ"), "window|");
    EXPECT_EQ(type("BDR_CLRRGB", "01ABCG"), "window|" + rgba + "|beep");
    // The HTML box proposes the closest code, and the previews follow.
    EXPECT_EQ(type("HTML", "7f7f7f"),
              std::to_string(0x7F7F7Fu) + "| * the closest available color code is 8");
    EXPECT_EQ(c("SAMPLE").fillColor, paletteColor(8));
    EXPECT_EQ(type("HTML", "ЖЖЖ"), "face|" + html);
    EXPECT_EQ(type("HTML", "7f7f7x"), "face|" + html + "|beep");
    EXPECT_EQ(main.form("COLOR").text, "8");
}

}  // namespace
}  // namespace tavrolin
