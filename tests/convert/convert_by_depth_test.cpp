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
using testing::pick;
using testing::readFile;
using testing::Row;
namespace fs = std::filesystem;

constexpr const char* kSuccess = " file with the new attributes by depths created successfully";

TEST(DepthLabels, ReadTheNumberInTheNotationTheReaderWrites) {
    // Label, Russian interface, DEPTH_M10 (the reader's point), then what is read:
    // "value" for a number, "-" for none, "+" when the label carries the mark, and the text.
    const std::tuple<const char*, bool, bool, const char*, const char*> cases[] = {
        {"5", false, false, "5", "5"},        {"6!+", false, false, "6+", "6"},
        {"7!+x!+", false, false, "7+", "7"},  // cut at the first mark
        {"5,5", true, false, "5.5", "5,5"},   {"5.5", true, false, "-", "5.5"},
        {"5,5!+", false, true, "-+", "5.5"},  {"5,5", false, false, "-", "5,5"},
        {"1E3", false, false, "1000", "1E3"}, {"!+", false, false, "-+", ""},
        {"5.5", true, true, "5.5", "5.5"}};
    for (const auto& [text, russian, metres, value, shown] : cases) {
        const DepthLabel label = readDepthLabel(text, russian, metres);
        std::ostringstream read;
        read << (label.isNumber ? "" : "-");
        if (label.isNumber) read << label.metres;
        EXPECT_EQ(read.str() + (label.plusMark ? "+" : ""), value) << text;
        EXPECT_EQ(label.text, shown) << text;
    }
    EXPECT_TRUE(std::isinf(readDepthLabel("1E999", false, false).metres));
    EXPECT_EQ(readDepthLabel("1E-999", false, false).metres, 0.0);
}

TEST(DepthLabels, WholeDepthRoundsHalvesToEvenAndRefusesWhatSixteenBitsCannotHold) {
    const std::pair<double, int> whole[] = {{5.5, 6}, {4.5, 4}, {-2.5, 2}, {32767.4, 32767}};
    for (auto [metres, depth] : whole) {
        Result<int> d = wholeDepth(metres);
        ASSERT_TRUE(d.isOk()) << metres;
        EXPECT_EQ(*d, depth) << metres;
    }
    for (double metres : {32767.5, -40000.0, 1e300, std::numeric_limits<double>::infinity()}) {
        EXPECT_EQ(wholeDepth(metres).status().number(), err::kOverflow) << metres;
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

    // Converts these labels of type 0x4b and gives `columns` of each output row.
    std::vector<std::string> convert(std::initializer_list<const char*> labels,
                                     const char* columns) {
        for (const char* label : labels) main.sourceRecords.push_back({"0x4b", label, ""});
        std::vector<std::string> out;
        for (const Row& row : convert()) out.push_back(pick(row, columns));
        return out;
    }
    // Runs the button and returns the output rows (none when the run failed).
    std::vector<Row> convert() {
        btnMakeName_Click(main, services);
        if (main.form("Att").text != kSuccess) return {};
        return readRows(main.sourceFolder, "river");
    }

    DepthServices services;
};

TEST_F(ConvertByDepth, PolygonsWithTheTopographicScheme) {
    fillTOPO_Click(main, services);
    main.sourceRecords.push_back({"0x4b", "5", "1"});  // a level: not revisited
    const auto rows = convert({"5", "6!+", "30", "Яма", "5.5", "4.5", "0!+", "0"},
                              "VALUE,LVL,LAYER,COLOR,BDR_COLOR,L_LIMIT,U_LIMIT,P_LIMIT,MODE,FONT");
    // A depth takes the fill of its swatch and the border of the one above; depth 0 has none
    // above it, so its own. Beyond the swatches only the limits change; the level's row and a
    // label that is no depth keep the template's.
    EXPECT_EQ(rows, (std::vector<std::string>{
                        "5|1|2|71|4|25|34||N|8",
                        "5||35|62|8|0|20|20|T|10",
                        "6!+||6|62|0|0|14|14|T|10",
                        "30||2|71|4|0|20|20|N|8",
                        "Яма||2|71|4|3|9||N|8",
                        "5.5||34|62|0|0|14|14|T|10",  // 5.5 is 6 m
                        "4.5||36|16|8|0|14|14|T|10",  // 4.5 is 4 m
                        "0!+||0|16|0|0|20|20|T|10",
                        "0||40|16|0|0|20|20|T|10",
                    }));
}

TEST_F(ConvertByDepth, SchemesDecideColoursOfPolygons) {
    // Dr.Depth: the lowest code of each swatch's colour (74 is 11's, 44 is 9's).
    fillDD_Click(main, services);
    EXPECT_EQ(convert({"9", "14"}, "COLOR"), (std::vector<std::string>{"11", "9"}));
    // No scheme, or a cleared one: only layer and colours, the swatches as the window starts.
    btnSetSave_Click(main);
    main.sourceRecords.clear();
    EXPECT_EQ(convert({"30", "3"}, "LAYER,COLOR,BDR_COLOR,U_LIMIT,MODE,FONT"),
              (std::vector<std::string>{"2|71|4|9|N|8", "37|255|0|9|N|8"}));
}

TEST_F(ConvertByDepth, LinesTakeTheBorderColourAndAHaloAndPointsAreWrittenAsByTypes) {
    chooseKind(1);
    fillDD_Click(main, services);
    // Swatch 11 given a border of code 1: its fill becomes the halo, 62 turned to 68.
    main.form.setText("COLOR", "62");
    main.form.setText("BDR_COLOR", "1");
    POLY_DblClick(main, services, 11);
    EXPECT_EQ(
        convert({"7!+", "11", "30"}, "VALUE,LAYER,COLOR,RTP_COLOR,HAL_COLOR,RTP_LIMIT,MODE"),
        (std::vector<std::string>{"7|7|0|0|15|12|T", "11|29|1|1|68|12|T", "30|2|71|7|7|18|N"}));
    chooseKind(2);
    main.sourceRecords.clear();
    EXPECT_EQ(convert({"5"}, "LAYER,COLOR,U_LIMIT"), std::vector<std::string>{"2|71|9"});
}

TEST_F(ConvertByDepth, ADepthBeyondSixteenBitsStopsThePassAndMovesNothing) {
    fillTOPO_Click(main, services);
    EXPECT_TRUE(convert({"3", "40000", "4"}, "LAYER").empty());
    EXPECT_EQ(main.form("Att").text.rfind(" ! RunName: 6. row 2 of polygon: the depth 40000", 0),
              0u)
        << main.form("Att").text;
    EXPECT_FALSE(fs::exists(outputPath()));
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
    for (int i = 0; i < 20000; ++i) main.sourceRecords.push_back({"0x4b", "5", ""});
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
