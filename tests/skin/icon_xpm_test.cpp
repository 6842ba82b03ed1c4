// The XPM text of a picture: colour table by first appearance, blanks for every non-opaque
// colour, notes for colours outside the palette, the colour limit; and Icon2Xpm's messages.
#include "skin/icon_xpm.h"

#include <gtest/gtest.h>

#include "store/scripted_platform.h"
#include "support/gif_bytes.h"
#include "support/temp_folder.h"
#include "window/main_controls.h"

namespace tavrolin::skin {
namespace {

PaletteTexts testPalette() {
    PaletteTexts palette;
    palette[0] = "000000";
    palette[12] = "FF0000";
    palette[16] = "8cc8ff";  // either letter case matches
    return palette;
}

ArgbImage image(int width, int height, std::vector<std::uint32_t> pixels) {
    return ArgbImage{width, height, std::move(pixels)};
}

std::string xpm(const ArgbImage& picture) {
    Result<std::string> text = imageToXpm(picture, testPalette());
    EXPECT_TRUE(text.isOk()) << text.status().toString();
    return text ? *text : std::string();
}

TEST(SplitARGB, GivesAlphaRedGreenBlue) {
    const ArgbParts parts = SplitARGB(0x801E90FFu);
    EXPECT_EQ(parts.alpha, 0x80);
    EXPECT_EQ(parts.red, 0x1E);
    EXPECT_EQ(parts.green, 0x90);
    EXPECT_EQ(parts.blue, 0xFF);
}

TEST(ImageToXpm, WritesTheWholeText) {
    struct Case {
        const char* what;
        ArgbImage picture;
        std::string expected;
    };
    const Case cases[] = {
        {"transparent first pixel: blank none at index 0, the opaque colour gets $",
         image(3, 2, {0x00FFFFFF, 0xFF1E90FF, 0x00FFFFFF, 0xFF1E90FF, 0xFF1E90FF, 0x00FFFFFF}),
         "XPM=\"3 2 2 1\"\r\n\"  c none\"\r\n\"$ c #1E90FF\"\r\n"
         "; цвет #1E90FF не из списка Atlas v10\r\n\" $ \"\r\n\"$$ \""},
        {"palette colours only: no notes", image(2, 1, {0xFFFF0000, 0xFF8CC8FF}),
         "XPM=\"2 1 2 1\"\r\n\"# c #FF0000\"\r\n\"$ c #8CC8FF\"\r\n\"#$\""},
        {"a colour the palette lacks is followed by its note",
         image(2, 1, {0xFF000000, 0xFF123456}),
         "XPM=\"2 1 2 1\"\r\n\"# c #000000\"\r\n\"$ c #123456\"\r\n"
         "; цвет #123456 не из списка Atlas v10\r\n\"#$\""},
        {"two alphas below 255 are two none entries, both blanks",
         image(3, 1, {0x00123456, 0x7F123456, 0xFF123456}),
         "XPM=\"3 1 3 1\"\r\n\"  c none\"\r\n\"  c none\"\r\n\"% c #123456\"\r\n"
         "; цвет #123456 не из списка Atlas v10\r\n\"  %\""},
        {"1 by 1, palette colour", image(1, 1, {0xFFFF0000}),
         "XPM=\"1 1 1 1\"\r\n\"# c #FF0000\"\r\n\"#\""},
        {"1 by 1, other colour", image(1, 1, {0xFF010203}),
         "XPM=\"1 1 1 1\"\r\n\"# c #010203\"\r\n; цвет #010203 не из списка Atlas v10\r\n\"#\""},
    };
    for (const Case& c : cases) EXPECT_EQ(xpm(c.picture), c.expected) << c.what;
}

// Characters run from 35 to 255: 221 colours fit, the last one written as the byte 255 (the
// letter я of code page 1251); the 222nd colour is refused.
TEST(ImageToXpm, TakesAtMost221Colours) {
    for (int count : {220, 221, 222, 256}) {
        std::vector<std::uint32_t> pixels;
        for (int i = 0; i < count; ++i) pixels.push_back(0xFF000000u | static_cast<unsigned>(i));
        Result<std::string> text = imageToXpm(image(count, 1, pixels), testPalette());
        if (count <= kMaxXpmColours) {
            ASSERT_TRUE(text.isOk()) << count;
            const std::string lastRow = text->substr(text->rfind("\r\n") + 2);
            EXPECT_EQ(lastRow.substr(lastRow.size() - 3), count == 221 ? "я\"" : "ю\"");
        } else {
            ASSERT_FALSE(text.isOk()) << count;
            EXPECT_EQ(text.status().number(), err::kInvalidArgument);
            EXPECT_NE(text.status().description().find("221"), std::string::npos);
        }
    }
}

class Icon2XpmTest : public ::testing::Test {
   protected:
    void SetUp() override {
        buildMainControls(main.form);
        main.programFolder = m_folder.root().string() + "/";
        std::filesystem::create_directory(m_folder.root() / "icons");
        services.palette = testPalette();
        services.iconFile = [](const std::string& folder,
                               const std::string& name) -> std::optional<std::filesystem::path> {
            std::filesystem::path path = std::filesystem::path(folder) / "icons" / (name + ".gif");
            if (std::filesystem::exists(path)) return path;
            return std::nullopt;
        };
    }
    std::filesystem::path icon(const std::string& name) const {
        return m_folder.root() / "icons" / (name + ".gif");
    }

    testing::ScratchFolder m_folder{"tavrolin-xpm-"};
    ScriptedPlatform platform;
    Main main{platform};
    SkinServices services;
};

TEST_F(Icon2XpmTest, ConvertsTheGifAndReportsSuccess) {
    testing::writeGifFile(icon("buoy"), {2, 2, {{255, 255, 255}, {255, 0, 0}}, {0, 1, 1, 0}, 0});
    main.russian = true;
    Result<std::string> text = Icon2Xpm(main, services, "buoy");
    ASSERT_TRUE(text.isOk()) << text.status().toString();
    EXPECT_EQ(*text, "XPM=\"2 2 2 1\"\r\n\"  c none\"\r\n\"$ c #FF0000\"\r\n\" $\"\r\n\"$ \"");
    EXPECT_EQ(main.attLog.back(), " тестовый скин-файл успешно создан");
    EXPECT_EQ(platform.beeps, 0);
}

TEST_F(Icon2XpmTest, ReportsEachFailureAsTheSkinsFailureLine) {
    // A GIF with 222 distinct colours in a table of 256.
    testing::GifPicture many{222, 1, {}, {}};
    for (int i = 0; i < 256; ++i) {
        many.colours.push_back({static_cast<std::uint8_t>(i), 7, 7});
        if (i < 222) many.pixels.push_back(static_cast<std::uint8_t>(i));
    }
    testing::writeGifFile(icon("many"), many);
    std::ofstream(icon("text"), std::ios::binary) << "not a picture";

    struct Case {
        const char* name;
        std::string lineStart;
    };
    const Case cases[] = {
        {"missing", " ! btnMakeSkin: 53. "},
        {"many", " ! btnMakeSkin: 5. the icon has more than 221 colours"},
        {"text", " ! btnMakeSkin: " + std::to_string(err::kFail) + ". "},
    };
    for (const Case& c : cases) {
        const int beeps = platform.beeps;
        Result<std::string> text = Icon2Xpm(main, services, c.name);
        EXPECT_FALSE(text.isOk()) << c.name;
        EXPECT_EQ(main.attLog.back().rfind(c.lineStart, 0), 0u) << main.attLog.back();
        EXPECT_EQ(platform.beeps, beeps + 1) << c.name;
    }
}

}  // namespace
}  // namespace tavrolin::skin
