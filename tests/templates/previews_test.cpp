#include "templates/previews.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "store/file_io.h"
#include "store/scripted_platform.h"
#include "templates/palette.h"
#include "templates/templates_handlers.h"
#include "templates/value_lists.h"
#include "window/main_controls.h"

namespace tavrolin {
namespace {

class Previews : public ::testing::Test {
   protected:
    Previews() : main(platform) {
        buildMainControls(main.form);
        registerTemplateHandlers(main);
        fillPalette(main);
        fillValueLists(main);
    }
    void pick(const std::string& list, const std::string& entry) {
        const auto& items = main.form(list).items;
        auto it = std::find(items.begin(), items.end(), entry);
        ASSERT_NE(it, items.end()) << entry;
        main.form.chooseByUser(list, static_cast<int>(it - items.begin()));
    }
    const Control& c(const char* name) { return main.form(name); }
    ScriptedPlatform platform;
    Main main;
};

TEST_F(Previews, PolygonFillAndLabelFollowColour) {
    pick("COLOR", "12");
    EXPECT_EQ(c("SAMPLE").fillColor, 0x0000FFu);
    EXPECT_EQ(c("SAMPOI").foreColor, 0x0000FFu);
    EXPECT_EQ(c("SAMPLINE").borderColor, color::kButtonFace);  // no line width chosen
    pick("COLOR", "255");
    EXPECT_EQ(c("SAMPLE").fillColor, color::kButtonFace);
    EXPECT_EQ(c("SAMPOI").foreColor, color::kButtonFace);
    pick("COLOR", "");
    EXPECT_EQ(c("SAMPLE").fillColor, color::kButtonFace);
}

TEST_F(Previews, BorderWaitsForAWidth) {
    pick("BDR_COLOR", "9");
    EXPECT_EQ(c("SAMPLE").borderColor, color::kButtonFace);
    pick("BDR_WIDTH", "2");
    EXPECT_EQ(c("SAMPLE").borderColor, paletteColor(9));
    pick("BDR_WIDTH", "");
    EXPECT_EQ(c("SAMPLE").borderColor, color::kButtonFace);
    main.form.setText("BDR_PATTER", "111000111");
    EXPECT_EQ(c("SAMPLE").borderStyle, BorderStyle::Dot);
    main.form.setText("BDR_PATTER", "");
    EXPECT_EQ(c("SAMPLE").borderStyle, BorderStyle::Solid);
}

TEST_F(Previews, LineTakesFillColourWidthAndPattern) {
    pick("COLOR", "2");
    pick("AWIDTH", "4");
    EXPECT_EQ(c("SAMPLINE").borderColor, paletteColor(2));
    EXPECT_EQ(c("SAMPLINE").borderWidth, 4);
    pick("COLOR", "12");
    EXPECT_EQ(c("SAMPLINE").borderColor, paletteColor(12));
    main.form.setText("PATTERN", "111000111");
    EXPECT_EQ(c("SAMPLINE").borderStyle, BorderStyle::Dot);
    pick("PATTERN", "");
    EXPECT_EQ(c("SAMPLINE").borderStyle, BorderStyle::Solid);
    pick("AWIDTH", "");
    EXPECT_EQ(c("SAMPLINE").borderColor, color::kButtonFace);

    pick("BFR_COLOR", "14");
    EXPECT_EQ(c("BORDLINE").borderColor, paletteColor(14));
    pick("BFR_WIDTH", "3");
    EXPECT_EQ(c("BORDLINE").borderWidth, 3);
    pick("BFR_WIDTH", "");
    EXPECT_EQ(c("BORDLINE").borderColor, color::kButtonFace);
}

TEST_F(Previews, LabelSamplesNeedAModeAndAFont) {
    pick("HAL_COLOR", "15");
    pick("MODE", "T");
    EXPECT_FALSE(c("SAMPOI").visible);  // no font yet: unchanged
    pick("AFONT", "12B");
    EXPECT_TRUE(c("SAMPOI").visible);
    EXPECT_TRUE(c("HALPOI").visible);
    EXPECT_EQ(c("HALPOI").foreColor, paletteColor(15));
    EXPECT_EQ(c("SAMPOI").fontSize, 12);
    EXPECT_TRUE(c("SAMPOI").fontBold);
    pick("MODE", "N");
    EXPECT_FALSE(c("SAMPOI").visible);
    EXPECT_FALSE(c("HALPOI").visible);
    pick("MODE", "F");
    EXPECT_TRUE(c("HALPOI").visible);
    pick("AFONT", "");
    EXPECT_FALSE(c("SAMPOI").visible);
    EXPECT_FALSE(c("HALPOI").visible);
}

TEST_F(Previews, IconPictureOnlyForAnExistingGif) {
    namespace fs = std::filesystem;
    fs::path folder = fs::temp_directory_path() / ("tavrolin_preview_" + std::to_string(getpid()));
    fs::create_directories(folder / "icons");
    std::ofstream(folder / "icons" / "Anchor.GIF") << "GIF89a";
    main.programFolder = folder.string() + store::io::kPathSeparator;
    fillIconList(main);

    pick("AICON", "Anchor");
    EXPECT_EQ(c("ICONS").picture, (folder / "icons" / "Anchor.GIF").string());
    main.form.setText("AICON", "anchor");  // typed in other letters: still found
    AICON_Click(main);
    EXPECT_EQ(c("ICONS").picture, (folder / "icons" / "Anchor.GIF").string());
    main.form.setText("AICON", "nosuch");
    AICON_Click(main);
    EXPECT_EQ(c("ICONS").picture, "");
    main.form.setText("AICON", "../icons/Anchor");
    AICON_Click(main);
    EXPECT_EQ(c("ICONS").picture, "");
    fs::remove_all(folder);
}

TEST_F(Previews, IgnoringNamesDisablesTheFoundObjectsList) {
    main.form.setValue("NoName", 1);
    EXPECT_FALSE(c("GM").enabled);
    main.form.setValue("NoName", 0);
    EXPECT_TRUE(c("GM").enabled);
}

}  // namespace
}  // namespace tavrolin
