// The skin file: one block per found type with the template's names and the look of the kind,
// the old-template cases, the icons as XPM pictures or their failures, and the bytes on disk
// (code page 1251, CR LF).
#include "skin/skin_writer.h"

#include <gtest/gtest.h>

#include "convert/convert_fixture.h"
#include "skin/icon_xpm.h"
#include "store/codepage.h"
#include "support/gif_bytes.h"

namespace tavrolin::skin {
namespace {

namespace fs = std::filesystem;
using testing::readFile;
using testing::writeFile;

constexpr const char* kHeader = "; скин-файл для GME, тестовая запись из Tavrolin";
constexpr const char* kOldVersion =
    " ! creating skin-file impossible in the old version Tavrolin.dbf";

std::string join(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

std::string withoutColumn(std::string columns, const std::string& column) {
    const std::size_t at = columns.find("," + column + " ");
    columns.erase(at, columns.find(')', at) + 1 - at);
    return columns;
}

ArgbImage image(int width, int height, std::vector<std::uint32_t> pixels) {
    return ArgbImage{width, height, std::move(pixels)};
}

// The XPM text of a picture: colour table by first appearance, blanks for every non-opaque
// colour, notes for colours outside the palette.
TEST(ImageToXpm, WritesTheWholeText) {
    PaletteTexts palette;
    palette[0] = "000000";
    palette[12] = "FF0000";
    palette[16] = "8cc8ff";  // either letter case matches
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
        {"two alphas below 255 are two none entries, both blanks",
         image(3, 1, {0x00123456, 0x7F123456, 0xFF123456}),
         "XPM=\"3 1 3 1\"\r\n\"  c none\"\r\n\"  c none\"\r\n\"% c #123456\"\r\n"
         "; цвет #123456 не из списка Atlas v10\r\n\"  %\""},
    };
    for (const Case& c : cases) {
        Result<std::string> text = imageToXpm(c.picture, palette);
        ASSERT_TRUE(text.isOk()) << c.what;
        EXPECT_EQ(*text, c.expected) << c.what;
    }
}

class SkinWriter : public testing::ConvertFixture {
   protected:
    void SetUp() override {}

    // A template with these columns; the kind and found types as the reader would leave them.
    void useTemplate(const std::string& columns = testing::kTemplateColumns) {
        openProgram(m_program.str(), columns);
        fs::create_directory(m_program.path() / "icons");
        services.palette[12] = "FF0000";
        services.palette[16] = "8CC8FF";
        services.iconFile = [](const std::string& folder,
                               const std::string& name) -> std::optional<fs::path> {
            fs::path path = fs::path(folder) / "icons" / (name + ".gif");
            if (fs::exists(path)) return path;
            return std::nullopt;
        };
        services.kindHint = [this](Main&) { ++hints; };
    }

    // Presses "##" and gives the skin file's lines after the first, decoded from code page 1251.
    std::string makeSkin(const std::vector<std::string>& types) {
        main.form.setItems("GM_TYPE", types);
        btnMakeSkin_Click(main, services);
        const std::string bytes = readFile(skinPath());
        const std::string header = store::encodeCp1251(kHeader) + "\r\n";
        EXPECT_EQ(bytes.substr(0, header.size()), header);
        return store::decodeCp1251(bytes.substr(std::min(header.size(), bytes.size())));
    }

    std::string skinPath() const { return main.sourceFolder + "river_orig.txt"; }

    SkinServices services;
    int hints = 0;
};

TEST_F(SkinWriter, WritesTheLookOfEachKind) {
    struct Case {
        int kind;
        std::string columns;
        std::string values;
        std::vector<std::string> look;
    };
    const Case cases[] = {
        // Polygon: a colour code and a null WIDTH (read as 0) give the one-colour picture.
        {0, "COLOR", "12", {"Xpm=\"0 0 1 0\"", "0 c #FF0000"}},
        // An icon wins over a colour.
        {0,
         "ICON,COLOR",
         "'hatch',12",
         {"; иконка hatch", "; иконка заливки полигона задана, но файл иконки не найден"}},
        // Line: WIDTH 3, BFR_WIDTH null, no pattern.
        {1,
         "COLOR,WIDTH",
         "12,3",
         {"LineWidth=3", "BorderWidth=0", "Xpm=\"0 0 2 0\"", "1 c #FF0000", "0 c none"}},
        {1,
         "COLOR,WIDTH,BFR_WIDTH,PATTERN",
         "16,2,1,'1100110011'",
         {"LineWidth=2", "BorderWidth=1", "Xpm=\"0 0 2 0\"", "1 c #8CC8FF", "0 c none",
          "\"1100110011\""}},
        {2, "COLOR", "12", {"; иконка точки на задана"}},
        {2,
         "ICON",
         "'Anchor'",
         {"; иконка Anchor", "; иконка точки задана, но файл иконки не найден"}},
    };
    useTemplate();
    int number = 10;
    for (const Case& c : cases) {
        const std::string code = "0x" + std::to_string(number++);
        chooseKind(c.kind);
        addTemplateRow("VID,YN,MP_TYPE,MP_NAME,MP_ENG," + c.columns,
                       std::to_string(c.kind) + ",0,'" + code + "','Озеро','Lake'," + c.values);
        std::vector<std::string> lines = {"",
                                          "[_" + std::string(store::kindName(main.namedKind)) + "]",
                                          "Type=" + code,
                                          "Custom=N",
                                          "String1=4 Lake",
                                          "String1=0x19 Озеро"};
        lines.insert(lines.end(), c.look.begin(), c.look.end());
        lines.push_back("[end]");
        EXPECT_EQ(makeSkin({code}), join(lines)) << c.columns << " " << c.values;
        EXPECT_EQ(platform.shownFiles.back(), skinPath());
    }
}

TEST_F(SkinWriter, TakesTheCustomRowAndMarksUndescribedTypes) {
    useTemplate();
    addTemplateRow("VID,YN,MP_TYPE,MP_ENG,MP_NAME", "0,0,'0x4b','Standard','Обычный'");
    addTemplateRow("VID,YN,MP_TYPE,MP_ENG,MP_NAME", "0,1,'0x4b','Custom','Свой'");
    addTemplateRow("VID,MP_TYPE,MP_ENG,MP_NAME", "1,'0x4c','Other kind','Линия'");
    EXPECT_EQ(makeSkin({"0x4c", "0x4b"}),
              join({"", "; тип 0x4c не описан ", "", "[_polygon]", "Type=0x4b", "Custom=Y",
                    "String1=4 Custom", "String1=0x19 Свой", "; цвет или иконка объекта на заданы",
                    "[end]"}));
}

// An icon's picture in its block, each pixel character one byte in the file (35 to 255 for
// 221 colours); a damaged icon, one of 222 colours or one that is no picture has its failure
// line as a comment in place of the picture, and the first such failure is the last message.
TEST_F(SkinWriter, PutsTheIconPictureOrItsFailureInTheBlock) {
    useTemplate();
    chooseKind(2);
    const fs::path icons = m_program.path() / "icons";
    const std::pair<const char*, const char*> rows[] = {
        {"0x01", "buoy"}, {"0x02", "cut"}, {"0x03", "c221"}, {"0x04", "c222"}, {"0x05", "text"}};
    for (const auto& [type, icon] : rows) {
        addTemplateRow("VID,YN,MP_TYPE,MP_ENG,MP_NAME,ICON,COLOR",
                       std::string("2,0,'") + type + "','Buoy','Буй','" + icon + "',12");
    }
    testing::writeGifFile(icons / "buoy.gif", {2, 1, {{0, 0, 0}, {255, 0, 0}}, {0, 1}, 0});
    std::vector<std::uint8_t> cut =
        testing::gifBytes({4, 4, {{0, 0, 0}, {1, 2, 3}}, std::vector<std::uint8_t>(16, 1)});
    cut.resize(cut.size() - 8);  // the image data ends early
    writeFile(icons / "cut.gif", std::string(cut.begin(), cut.end()));
    std::string row = "\"";
    for (int count : {221, 222}) {
        testing::GifPicture many{count, 1, {}, {}};
        for (int i = 0; i < 256; ++i) {
            many.colours.push_back({static_cast<std::uint8_t>(i), 0, 0});
            if (i < count) many.pixels.push_back(static_cast<std::uint8_t>(i));
            if (i < count && count == 221) row += static_cast<char>(35 + i);
        }
        testing::writeGifFile(icons / ("c" + std::to_string(count) + ".gif"), many);
    }
    writeFile(icons / "text.gif", "not a picture");

    const std::string text = makeSkin({"0x01", "0x02", "0x03", "0x04", "0x05"});
    EXPECT_NE(text.find("String1=0x19 Буй\r\n; иконка buoy\r\nXPM=\"2 1 2 1\"\r\n\"  c none\"\r\n"
                        "\"$ c #FF0000\"\r\n\" $\"\r\n[end]"),
              std::string::npos)
        << text;
    EXPECT_NE(readFile(skinPath()).find("\r\n" + row + "\"\r\n[end]\r\n"), std::string::npos);
    const std::pair<const char*, std::string> failures[] = {
        {"cut", "62. "},
        {"c222", "5. the icon has more than 221 colours"},
        {"text", std::to_string(err::kFail) + ". "}};
    for (const auto& [icon, failure] : failures) {
        const std::size_t at =
            text.find("; иконка " + std::string(icon) + "\r\n; ! btnMakeSkin: " + failure);
        ASSERT_NE(at, std::string::npos) << icon << "\n" << text;
        EXPECT_GT(text.find("XPM=", at), text.find("[end]", at)) << icon;
    }
    EXPECT_EQ(main.attLog.back().rfind(" ! btnMakeSkin: 62. ", 0), 0u);
}

TEST_F(SkinWriter, NotesWhatAnOldTemplateLacks) {
    useTemplate(withoutColumn(withoutColumn(testing::kTemplateColumns, "YN"), "MP_ENG"));
    addTemplateRow("VID,MP_TYPE,MP_NAME,COLOR", "0,'0x4b','Озеро',12");
    EXPECT_EQ(makeSkin({"0x4b"}),
              join({"", "[_polygon]", "Type=0x4b", "Custom=Y",
                    "; в Tavrolin.dbf нет указания кастомного типа YN",
                    "; в Tavrolin.dbf нет английского названия типа MP_ENG", "String1=0x19 Озеро",
                    "Xpm=\"0 0 1 0\"", "0 c #FF0000", "[end]"}));
    EXPECT_EQ(main.attLog.back(), " создание скин-файла для GME...");
}

TEST_F(SkinWriter, StopsWhereAnotherMissingColumnIsNeeded) {
    useTemplate(withoutColumn(testing::kTemplateColumns, "WIDTH"));
    addTemplateRow("VID,YN,MP_TYPE,MP_ENG,MP_NAME,COLOR", "0,1,'0x4b','Lake','Озеро',12");
    EXPECT_EQ(makeSkin({"0x4b", "0x4c"}), join({"", "[_polygon]", "Type=0x4b", "Custom=Y",
                                                "String1=4 Lake", "String1=0x19 Озеро"}));
    EXPECT_EQ(main.attLog.back(), kOldVersion);
    EXPECT_EQ(platform.shownFiles.back(), skinPath());
    EXPECT_EQ(platform.beeps, 1);
}

TEST_F(SkinWriter, NeedsAKindAndFoundTypes) {
    useTemplate();
    main.kind = main.namedKind = store::ObjectKind::None;
    main.form.setItems("GM_TYPE", {"0x4b"});
    btnMakeSkin_Click(main, services);
    EXPECT_EQ(main.attLog.back(), " * select object to create skin for GME");
    EXPECT_EQ(hints, 1);

    chooseKind(0);
    main.form.setItems("GM_TYPE", {});
    main.attLog.clear();
    btnMakeSkin_Click(main, services);
    EXPECT_EQ(main.attLog, std::vector<std::string>{" создание скин-файла для GME..."});

    main.form.setItems("GM_TYPE", {"0x4b"});
    btnMakeSkin_Click(main, services);  // the template has no polygon rows
    EXPECT_EQ(main.attLog.back(), " * attributes of selected type not found in list");
    EXPECT_FALSE(fs::exists(skinPath()));
    EXPECT_TRUE(platform.shownFiles.empty());
}

TEST(SkinFilePath, ReplacesTheTableExtensionOnly) {
    EXPECT_EQ(skinFilePath("/maps/river.dbf"), "/maps/river.txt");
    EXPECT_EQ(skinFilePath("/maps/RIVER.DBF"), "/maps/RIVER.txt");
    EXPECT_EQ(skinFilePath("/maps/river.txt"), "/maps/river.txt.txt");
    EXPECT_EQ(skinFilePath("dbf"), "dbf.txt");
}

}  // namespace
}  // namespace tavrolin::skin
