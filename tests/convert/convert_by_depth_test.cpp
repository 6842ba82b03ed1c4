// Conversion by depth end to end through the store: the labels read as depths, the layers,
// colours and limits by scheme and kind, the rows left alone, and a depth that fails the pass.
#include "convert/convert_by_depth.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "app/main_window.h"
#include "convert/convert_by_type.h"
#include "convert/output_table.h"
#include "convert_fixture.h"
#include "templates/palette.h"

namespace tavrolin {
namespace {

using testing::ConvertFixture;
using testing::readFile;
namespace fs = std::filesystem;

constexpr const char* kSuccess = " file with the new attributes by depths created successfully";

TEST(DepthLabels, ReadTheNumberInTheNotationTheReaderWrites) {
    struct Case {
        const char* label;
        bool russian;
        bool metres;
        bool number;
        double value;
        bool plus;
        const char* text;
    };
    const Case cases[] = {
        {"5", false, false, true, 5, false, "5"},
        {"6!+", false, false, true, 6, true, "6"},
        {"7!+x!+", false, false, true, 7, true, "7"},  // cut at the first mark
        {"7!+ ", false, false, false, 0, false, "7!+ "},
        {"5.5", false, false, true, 5.5, false, "5.5"},
        {"5,5", true, false, true, 5.5, false, "5,5"},
        {"5.5", true, false, false, 0, false, "5.5"},
        {"5.5", true, true, true, 5.5, false, "5.5"},  // the reader's point for DEPTH_M10
        {"5,5!+", false, true, false, 0, true, "5.5"},
        {"5,5", false, false, false, 0, false, "5,5"},
        {" -12 ", false, false, true, -12, false, " -12 "},
        {"+3", false, false, true, 3, false, "+3"},
        {".5", false, false, true, 0.5, false, ".5"},
        {"1E3", false, false, true, 1000, false, "1E3"},
        {"1E", false, false, false, 0, false, "1E"},
        {"1.2.3", false, false, false, 0, false, "1.2.3"},
        {"Яма", true, false, false, 0, false, "Яма"},
        {"5 м", true, false, false, 0, false, "5 м"},
        {"!+", false, false, false, 0, true, ""},
        {"-", false, false, false, 0, false, "-"},
        {"", false, false, false, 0, false, ""},
    };
    for (const Case& c : cases) {
        const DepthLabel label = readDepthLabel(c.label, c.russian, c.metres);
        EXPECT_EQ(label.isNumber, c.number) << c.label;
        EXPECT_EQ(label.plusMark, c.plus) << c.label;
        EXPECT_EQ(label.text, c.text) << c.label;
        if (c.number) EXPECT_EQ(label.metres, c.value) << c.label;
    }
    EXPECT_TRUE(std::isinf(readDepthLabel("1E999", false, false).metres));
    EXPECT_EQ(readDepthLabel("1E-999", false, false).metres, 0.0);
}

TEST(DepthLabels, WholeDepthRoundsHalvesToEvenAndRefusesWhatSixteenBitsCannotHold) {
    const std::pair<double, int> whole[] = {{5.5, 6}, {4.5, 4},  {6.5, 6},        {-2.5, 2},
                                            {-7, 7},  {0.49, 0}, {32767.4, 32767}};
    for (auto [metres, depth] : whole) {
        Result<int> d = wholeDepth(metres);
        ASSERT_TRUE(d.isOk()) << metres;
        EXPECT_EQ(*d, depth) << metres;
    }
    for (double metres : {32767.5, -40000.0, 1e300, std::numeric_limits<double>::infinity()}) {
        Result<int> d = wholeDepth(metres);
        ASSERT_FALSE(d.isOk()) << metres;
        EXPECT_EQ(d.status().number(), err::kOverflow);
    }
}

class ConvertByDepth : public ConvertFixture {
   protected:
    void SetUp() override {
        ConvertFixture::SetUp();
        fillPalette(main);
        services = depthServices();
        addTemplateRow("VID,MP_TYPE,YN,L_LIMIT,U_LIMIT,P_LIMIT,LAYER,COLOR,BDR_COLOR,MODE,FONT",
                       "0,'0x4b',0,3,9,9,2,71,4,'N','8'");
        addTemplateRow("VID,MP_TYPE,YN,L_LIMIT,U_LIMIT,LAYER,COLOR,HAL_COLOR,RTP_COLOR,MODE",
                       "1,'0x4b',0,3,9,2,71,7,7,'N'");
        addTemplateRow("VID,MP_TYPE,YN,L_LIMIT,U_LIMIT,LAYER,COLOR,HAL_COLOR",
                       "2,'0x4b',0,3,9,2,71,7");
    }

    void addRecords(std::initializer_list<const char*> labels) {
        for (const char* label : labels) main.sourceRecords.push_back({"0x4b", label, ""});
    }

    // Runs the button and returns the output rows (none when the run failed).
    std::vector<std::map<std::string, std::string>> convert() {
        btnMakeName_Click(main, services);
        if (main.form("Att").text != kSuccess) return {};
        return readRows(main.sourceFolder, "river");
    }

    DepthServices services;
};

TEST_F(ConvertByDepth, PolygonsWithTheTopographicScheme) {
    fillTOPO_Click(main, services);
    addRecords({"5", "6!+", "30", "Яма", "5.5", "4.5", "0!+", "0"});
    main.sourceRecords.push_back({"0x4b", "5", "1"});  // a level: not revisited
    const auto rows = convert();
    ASSERT_EQ(rows.size(), 9u) << main.form("Att").text;
    using Row = std::map<std::string, std::string>;
    auto expect = [&rows](std::size_t i, const Row& wanted) {
        for (const auto& [column, value] : wanted) {
            EXPECT_EQ(rows[i].at(column), value) << "row " << i << " " << column;
        }
    };
    expect(0, {{"LAYER", "35"},
               {"COLOR", "62"},
               {"BDR_COLOR", "8"},
               {"L_LIMIT", "0"},
               {"U_LIMIT", "20"},
               {"P_LIMIT", "20"},
               {"MODE", "T"},
               {"FONT", "10"},
               {"VALUE", "5"}});
    expect(
        1,
        {{"LAYER", "6"}, {"COLOR", "62"}, {"BDR_COLOR", "0"}, {"U_LIMIT", "14"}, {"VALUE", "6!+"}});
    // Beyond the swatches only the limits change.
    expect(2, {{"LAYER", "2"},
               {"COLOR", "71"},
               {"BDR_COLOR", "4"},
               {"L_LIMIT", "0"},
               {"U_LIMIT", "20"},
               {"MODE", "N"},
               {"FONT", "8"}});
    expect(3, {{"LAYER", "2"}, {"COLOR", "71"}, {"L_LIMIT", "3"}, {"MODE", "N"}});
    expect(4, {{"LAYER", "34"}, {"U_LIMIT", "14"}});  // 5.5 is 6 m
    expect(5, {{"LAYER", "36"}, {"U_LIMIT", "14"}});  // 4.5 is 4 m
    // Depth 0 has no swatch above it: its own fill and border.
    expect(6, {{"LAYER", "0"}, {"COLOR", "16"}, {"BDR_COLOR", "0"}, {"U_LIMIT", "20"}});
    expect(7, {{"LAYER", "40"}, {"COLOR", "16"}, {"BDR_COLOR", "0"}});
    expect(8, {{"LAYER", "2"}, {"COLOR", "71"}, {"L_LIMIT", "25"}, {"LVL", "1"}});
    EXPECT_EQ(platform.shownFiles, std::vector<std::string>{outputPath()});
}

TEST_F(ConvertByDepth, DrDepthColoursAreTheLowestCodeOfTheirColour) {
    fillDD_Click(main, services);
    addRecords({"9", "14"});
    const auto rows = convert();
    ASSERT_EQ(rows.size(), 2u) << main.form("Att").text;
    EXPECT_EQ(rows[0].at("COLOR"), "11");  // swatch 74, the colour of code 11
    EXPECT_EQ(rows[1].at("COLOR"), "9");   // swatch 44, the colour of code 9
}

TEST_F(ConvertByDepth, WithoutASchemePolygonsGetOnlyLayerAndColours) {
    addRecords({"30", "3"});
    auto rows = convert();  // the swatches as the window starts
    ASSERT_EQ(rows.size(), 2u) << main.form("Att").text;
    EXPECT_EQ(rows[0].at("U_LIMIT"), "9");
    EXPECT_EQ(rows[0].at("COLOR"), "71");
    EXPECT_EQ(rows[1].at("LAYER"), "37");
    EXPECT_EQ(rows[1].at("COLOR"), "255");
    EXPECT_EQ(rows[1].at("BDR_COLOR"), "0");
    EXPECT_EQ(rows[1].at("U_LIMIT"), "9");
    EXPECT_EQ(rows[1].at("MODE"), "N");

    fillDD_Click(main, services);
    btnSetSave_Click(main);  // cleared: the same
    rows = convert();
    ASSERT_EQ(rows.size(), 2u) << main.form("Att").text;
    EXPECT_EQ(rows[1].at("COLOR"), "255");
    EXPECT_EQ(rows[1].at("BDR_COLOR"), "0");
    EXPECT_EQ(rows[1].at("FONT"), "8");  // the template's
}

TEST_F(ConvertByDepth, LinesTakeTheBorderColourAndAHalo) {
    chooseKind(1);
    fillDD_Click(main, services);
    // Swatch 11 given a border of code 1: its fill becomes the halo, 62 turned to 68.
    main.form.setText("COLOR", "62");
    main.form.setText("BDR_COLOR", "1");
    POLY_DblClick(main, services, 11);
    addRecords({"7!+", "11", "30"});
    const auto rows = convert();
    ASSERT_EQ(rows.size(), 3u) << main.form("Att").text;
    EXPECT_EQ(rows[0].at("VALUE"), "7");
    EXPECT_EQ(rows[0].at("LAYER"), "7");
    EXPECT_EQ(rows[0].at("COLOR"), "0");
    EXPECT_EQ(rows[0].at("RTP_COLOR"), "0");
    EXPECT_EQ(rows[0].at("HAL_COLOR"), "15");
    EXPECT_EQ(rows[0].at("RTP_LIMIT"), "12");
    EXPECT_EQ(rows[0].at("MODE"), "T");
    EXPECT_EQ(rows[1].at("COLOR"), "1");
    EXPECT_EQ(rows[1].at("HAL_COLOR"), "68");
    EXPECT_EQ(rows[1].at("LAYER"), "29");
    EXPECT_EQ(rows[2].at("RTP_LIMIT"), "18");
    EXPECT_EQ(rows[2].at("COLOR"), "71");
}

TEST_F(ConvertByDepth, PointsAreWrittenAsByTypes) {
    chooseKind(2);
    fillDD_Click(main, services);
    addRecords({"5"});
    const auto rows = convert();
    ASSERT_EQ(rows.size(), 1u) << main.form("Att").text;
    EXPECT_EQ(rows[0].at("LAYER"), "2");
    EXPECT_EQ(rows[0].at("COLOR"), "71");
    EXPECT_EQ(rows[0].at("U_LIMIT"), "9");
}

TEST_F(ConvertByDepth, ADepthBeyondSixteenBitsStopsThePassAndMovesNothing) {
    fillTOPO_Click(main, services);
    addRecords({"3", "40000", "4"});
    EXPECT_TRUE(convert().empty());
    EXPECT_EQ(main.form("Att").text.rfind(" ! RunName: 6. row 2 of polygon: the depth 40000", 0),
              0u)
        << main.form("Att").text;
    EXPECT_FALSE(fs::exists(outputPath()));
    EXPECT_TRUE(platform.shownFiles.empty());
    EXPECT_FALSE(platform.busy);
    // The row before it is kept with its depth; the run stopped there.
    const auto rows = readRows(main.programFolder, main.outputTableName);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].at("LAYER"), "37");
}

// Rows written at once with their depth values are the bytes that the statements and the pass
// over the table give: a generated source of depths with and without the mark, beyond the
// swatches, in both notations, not depths, with levels and blank, for areas and contours, with
// and without a scheme.
TEST_F(ConvertByDepth, RowsWrittenWithTheirDepthAreTheBytesOfThePass) {
    const std::vector<std::string> labels = {"5", "6!+", "30",   "Яма",  "5.5", "4,5",   "0!+", "0",
                                             "",  "  ",  "12e0", "24!+", "25",  "1 000", "7 "};
    const std::vector<std::string> levels = {"", "", "", "1", " "};
    std::mt19937 random(11);
    for (int i = 0; i < 300; ++i) {
        main.sourceRecords.push_back({i % 7 == 0 ? "0x99" : "0x4b",
                                      labels[random() % labels.size()],
                                      levels[random() % levels.size()]});
    }
    main.labelWidth = 10;
    for (int kind = 0; kind < 2; ++kind) {
        chooseKind(kind);
        for (bool scheme : {false, true}) {
            if (scheme) fillTOPO_Click(main, services);
            ASSERT_TRUE(DBFprepare(main));
            ASSERT_TRUE(RunType(main, false, conversionOptions(main.form), RowWriting::Statements));
            ASSERT_TRUE(RunName(main, services)) << main.form("Att").text;
            const std::string passed = readFile(outputPath());
            const std::string written = (convert(), readFile(outputPath()));
            ASSERT_EQ(main.form("Att").text, kSuccess);
            EXPECT_TRUE(passed == written) << "kind " << kind << " scheme " << scheme;
        }
    }
}

TEST_F(ConvertByDepth, ClicksDuringThePassNeitherRunTwiceNorMoveUnderANewName) {
    fillTOPO_Click(main, services);
    for (int i = 0; i < 20000; ++i) addRecords({"5"});
    const auto inPass = [this] {
        return main.form("Att").text == " overwrite the depths of the selected scheme... ";
    };
    // Either "!!!" while the pass lets events run: ignored.
    bool clicked = false;
    platform.onProcessEvents = [&] {
        if (!inPass() || clicked) return;
        clicked = true;
        btnMakeName_Click(main, services);
        btnMakeType_Click(main);
    };
    ASSERT_EQ(convert().size(), 20000u) << main.form("Att").text;
    EXPECT_TRUE(clicked);

    // Another source chosen meanwhile: the pass stops and nothing goes under either name.
    fs::remove(outputPath());
    platform.onProcessEvents = [&] {
        if (inPass()) main.outputFileName = main.sourceFileName = "other.dbf";
    };
    EXPECT_TRUE(convert().empty());
    EXPECT_EQ(main.form("Att").text.rfind(" ! RunName: 5. ", 0), 0u) << main.form("Att").text;
    EXPECT_FALSE(fs::exists(outputPath()));
    EXPECT_FALSE(fs::exists(main.sourceFolder + "river.dbf"));
}

}  // namespace
}  // namespace tavrolin
