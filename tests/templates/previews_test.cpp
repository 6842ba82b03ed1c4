// The samples of the panel follow its lists: polygon fill and border, line, labels and icon.
#include "templates/previews.h"

#include <gtest/gtest.h>

#include "template_fixture.h"

namespace tavrolin {
namespace {

class Previews : public testing::PanelFixture {
   protected:
    // The border colour (a palette code, "-" the face of a button), width and style of a sample.
    std::string border(const char* name) {
        const Control& s = c(name);
        return (s.borderColor == color::kButtonFace ? "-"
                                                    : std::to_string(RGB2Code(s.borderColor))) +
               "/" + std::to_string(s.borderWidth) +
               (s.borderStyle == BorderStyle::Dot ? "/dot" : "");
    }
};

// Borders and lines wait for a width; lines take the fill colour; patterns make them dotted.
TEST_F(Previews, BordersAndLinesFollowTheLists) {
    const std::tuple<const char*, const char*, const char*, const char*> steps[] = {
        {"BDR_COLOR", "9", "SAMPLE", "-/1"},
        {"BDR_WIDTH", "2", "SAMPLE", "9/1"},
        {"BDR_PATTER", "111000111", "SAMPLE", "9/1/dot"},
        {"COLOR", "2", "SAMPLINE", "-/1"},
        {"AWIDTH", "4", "SAMPLINE", "2/4"},
        {"AWIDTH", "", "SAMPLINE", "-/4"}};
    for (const auto& [list, entry, name, expected] : steps) {
        if (std::string(list).find("PATTER") != std::string::npos) {
            main.form.setText(list, entry);  // patterns are typed
        } else {
            choose(list, entry);
        }
        EXPECT_EQ(border(name), expected) << list << "=" << entry;
    }
}

// Label samples need a mode and a font; N shows none, F the halo too.
TEST_F(Previews, LabelSamplesNeedAModeAndAFont) {
    choose("COLOR", "12");
    choose("HAL_COLOR", "15");
    choose("MODE", "T");
    EXPECT_FALSE(c("SAMPOI").visible);
    choose("AFONT", "12B");
    EXPECT_TRUE(c("SAMPOI").visible && c("HALPOI").visible);
    EXPECT_EQ(c("HALPOI").foreColor, paletteColor(15));
    choose("MODE", "N");
    EXPECT_FALSE(c("SAMPOI").visible || c("HALPOI").visible);
    choose("MODE", "F");
    choose("AFONT", "");
    EXPECT_FALSE(c("SAMPOI").visible || c("HALPOI").visible);
}

TEST_F(Previews, IconPictureOnlyForAnExistingGif) {
    tavrolin::testing::ScratchFolder folder("tavrolin_preview_");
    std::filesystem::create_directories(folder.root() / "icons");
    folder.write("icons/Anchor.GIF", std::string("GIF89a"));
    // The picture's path as the system spells it (its own separators).
    const std::string anchor = (folder.root() / "icons" / "Anchor.GIF").string();
    main.programFolder = folder.root().string() + store::io::kPathSeparator;
    fillIconList(main);
    choose("AICON", "Anchor");
    EXPECT_EQ(c("ICONS").picture, anchor);
    // Typed in other letters: still found; an unknown name or a path shows none.
    for (const auto& [typed, picture] : {std::pair{"anchor", anchor},
                                         {"nosuch", std::string()},
                                         {"../icons/Anchor", std::string()}}) {
        main.form.setText("AICON", typed);
        AICON_Click(main);
        EXPECT_EQ(c("ICONS").picture, picture) << typed;
    }
}

}  // namespace
}  // namespace tavrolin
