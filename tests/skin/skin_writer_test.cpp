// The skin file: one block per found type with the template's names and the look of the kind,
// the old-template cases, the icon cases, and the bytes on disk (code page 1251, CR LF).
#include "skin/skin_writer.h"

#include <gtest/gtest.h>

#include "convert/convert_fixture.h"
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
        {0, "ICON", "''", {"; цвет или иконка объекта на заданы"}},
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
        {1, "ICON", "'dash'", {"; цвет линии на задан"}},
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

TEST_F(SkinWriter, PutsTheIconPictureOrItsFailureInTheBlock) {
    useTemplate();
    chooseKind(2);
    addTemplateRow("VID,YN,MP_TYPE,MP_ENG,MP_NAME,ICON,COLOR", "2,0,'0x01','Buoy','Буй','buoy',12");
    addTemplateRow("VID,YN,MP_TYPE,MP_ENG,MP_NAME,ICON", "2,0,'0x02','Cut','Обрыв','cut'");
    testing::writeGifFile(m_program.path() / "icons" / "buoy.gif",
                          {2, 1, {{0, 0, 0}, {255, 0, 0}}, {0, 1}, 0});
    std::vector<std::uint8_t> cut =
        testing::gifBytes({4, 4, {{0, 0, 0}, {1, 2, 3}}, std::vector<std::uint8_t>(16, 1)});
    cut.resize(cut.size() - 8);  // the image data ends early
    writeFile(m_program.path() / "icons" / "cut.gif", std::string(cut.begin(), cut.end()));

    const std::string text = makeSkin({"0x01", "0x02"});
    const std::string buoy = join({"; иконка buoy",
                                   "XPM=\"2 1 2 1\"\r\n\"  c none\"\r\n"
                                   "\"$ c #FF0000\"\r\n\" $\"",
                                   "[end]"});
    EXPECT_NE(text.find("String1=0x19 Буй\r\n" + buoy), std::string::npos) << text;
    // The damaged icon: its failure line as a comment, no picture, and the failure stays the
    // last message although no later icon overwrote it.
    const std::size_t cutAt = text.find("; иконка cut\r\n; ! btnMakeSkin: 62. ");
    ASSERT_NE(cutAt, std::string::npos) << text;
    EXPECT_EQ(text.find("XPM=", cutAt), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 7), "[end]\r\n");
    EXPECT_EQ(main.attLog.back().rfind(" ! btnMakeSkin: 62. ", 0), 0u);
}

// Each pixel character is one byte in the file, 35 to 255 for 221 colours.
TEST_F(SkinWriter, WritesPixelCharactersAsSingleBytes) {
    useTemplate();
    chooseKind(2);
    addTemplateRow("VID,YN,MP_TYPE,ICON", "2,0,'0x01','many'");
    testing::GifPicture many{221, 1, {}, {}};
    std::string row = "\"";
    for (int i = 0; i < 256; ++i) {
        many.colours.push_back({static_cast<std::uint8_t>(i), 0, 0});
        if (i < 221) many.pixels.push_back(static_cast<std::uint8_t>(i));
        if (i < 221) row += static_cast<char>(35 + i);
    }
    testing::writeGifFile(m_program.path() / "icons" / "many.gif", many);
    makeSkin({"0x01"});
    EXPECT_NE(readFile(skinPath()).find("\r\n" + row + "\"\r\n[end]\r\n"), std::string::npos);
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
