// The depth swatches: the built-in scales, clearing, the user's scheme from the template's depth
// types, double-click editing with and without Ctrl, and the name patterns.
#include "convert/depth_scheme.h"

#include <gtest/gtest.h>

#include "app/main_window.h"
#include "convert_fixture.h"
#include "templates/palette.h"

namespace tavrolin {
namespace {

using testing::ConvertFixture;
using testing::TempFolder;
using Texts = std::vector<std::string>;

int g_kindHints = 0;
void countKindHint(Main&) { ++g_kindHints; }

class DepthScheme : public ConvertFixture {
   protected:
    void SetUp() override {
        ConvertFixture::SetUp();
        fillPalette(main);
        services = depthServices();
        services.kindHint = countKindHint;
        g_kindHints = 0;
    }

    // A swatch as "code/fill/border" with the colours as palette codes, "-" for the face of a
    // button and "+" for window text; all swatches, and all of them cleared.
    std::string swatch(int depth) {
        const auto code = [](std::uint32_t colour) {
            if (colour == color::kButtonFace) return std::string("-");
            if (colour == color::kWindowText) return std::string("+");
            return std::to_string(RGB2Code(colour));
        };
        const Swatch s = readSwatch(main, depth);
        return s.code + "/" + code(s.fill) + "/" + code(s.border);
    }
    Texts swatches() {
        Texts out;
        for (int depth = 0; depth < kSwatchCount; ++depth) out.push_back(swatch(depth));
        return out;
    }
    static Texts cleared(bool numbered) {
        Texts out;
        for (int depth = 0; depth < kSwatchCount; ++depth) {
            out.push_back((numbered ? std::to_string(depth) : "") + "/-/+");
        }
        return out;
    }

    DepthServices services;
};

TEST_F(DepthScheme, BuiltInScalesSetCodesColoursBordersAndFlags) {
    // Each swatch shows its code's colour (the lowest code of that colour); the depth scale
    // borders all in code 0, the topographic one every fifth depth in code 0, the others in 8.
    const auto expectSwatch = [this](int depth, const char* code, int border) {
        const Swatch s = readSwatch(main, depth);
        if (*code != '\0') EXPECT_EQ(s.code, code) << depth;
        EXPECT_EQ(s.fill, paletteColor(std::stoi(s.code))) << depth;
        EXPECT_EQ(s.border, paletteColor(border)) << depth;
    };
    fillDD_Click(main, services);
    EXPECT_TRUE(main.schemeApplied && main.drDepthScheme);
    for (int depth : {0, 1, kSwatchCount - 1}) expectSwatch(depth, "", 0);
    expectSwatch(9, "74", 0);
    fillTOPO_Click(main, services);
    EXPECT_TRUE(main.schemeApplied);
    EXPECT_FALSE(main.drDepthScheme);
    for (const auto& [depth, code, border] : {std::tuple{0, "16", 0},
                                              {4, "16", 8},
                                              {5, "", 0},
                                              {20, "41", 0},
                                              {kSwatchCount - 1, "41", 8}}) {
        expectSwatch(depth, code, border);
    }

    btnSetSave_Click(main);
    EXPECT_FALSE(main.schemeApplied || main.drDepthScheme);
    EXPECT_EQ(swatches(), cleared(true));
}

TEST(DepthNames, MatchTheDepthAsAWholeNumberIgnoringCase) {
    const std::pair<const char*, int> describing[] = {
        {"Глубина 10м", 10}, {"ГЛУБИНЫ ОТ 0 ДО 5М", 5}, {"Area of depth 5m, sand", 5}};
    const std::pair<const char*, int> others[] = {
        {"Глубина 10м", 1}, {"Глубины от 0 до 5 м", 5}, {"глубина5м", 5}, {"Depth 2m", 12}};
    for (const auto& [name, depth] : describing) EXPECT_TRUE(namesDepth(name, depth)) << name;
    for (const auto& [name, depth] : others) EXPECT_FALSE(namesDepth(name, depth)) << name;
}

class UserScheme : public DepthScheme {
   protected:
    void SetUp() override {
        DepthScheme::SetUp();
        // Two types for 5 m, a custom row before the standard one, one without colour, one
        // with only an English name, one of lines.
        addTemplateRow("VID,MP_TYPE,YN,MP_NAME,MP_ENG,COLOR",
                       "0,'0x10',0,'Глубина 5м','Depth 5m',62");
        addTemplateRow("VID,MP_TYPE,YN,MP_NAME,MP_ENG,COLOR",
                       "0,'0x11',0,'глубина 5м (песок)','',20");
        addTemplateRow("VID,MP_TYPE,YN,MP_NAME,COLOR", "0,'0x12',1,'Глубина 1м',16");
        addTemplateRow("VID,MP_TYPE,YN,MP_NAME,COLOR", "0,'0x12',0,'Глубина 2м',17");
        addTemplateRow("VID,MP_TYPE,YN,MP_NAME", "0,'0x13',0,'Глубина 3м'");
        addTemplateRow("VID,MP_TYPE,YN,MP_ENG,COLOR", "0,'0x14',0,'Depth 10m',56");
        addTemplateRow("VID,MP_TYPE,YN,MP_NAME,COLOR", "1,'0x10',0,'Глубина 7м',9");
        main.form.setItems("GM_TYPE", {"0x11", "0X12", "0x10", "0x13", "0x14", "0x99"});
    }
};

// For polygons the first found type with a colour decides each depth: 0x11 comes before 0x10,
// the custom row of 0x12 before its standard one; lines end cleared. Both flags clear.
TEST_F(UserScheme, FirstFoundTypeWithAColourDecidesEachDepth) {
    fillDD_Click(main, services);
    fillUSER_Click(main, services);
    EXPECT_FALSE(main.schemeApplied || main.drDepthScheme);
    Texts expected = cleared(false);
    expected[1] = "16/16/+";
    expected[5] = "20/20/+";
    expected[10] = "56/56/+";
    EXPECT_EQ(swatches(), expected);

    chooseKind(1);
    fillTOPO_Click(main, services);
    fillUSER_Click(main, services);
    EXPECT_EQ(swatches(), cleared(false));
    EXPECT_FALSE(main.schemeApplied || main.drDepthScheme);
}

TEST_F(UserScheme, RefusalsAndTheOldTemplateKeepTheFlags) {
    fillDD_Click(main, services);
    const Texts scheme = swatches();
    main.kind = main.namedKind = store::ObjectKind::None;
    fillUSER_Click(main, services);
    EXPECT_EQ(main.form("Att").text, " * select object type to fill colors");
    EXPECT_EQ(g_kindHints, 1);
    chooseKind(0);
    main.form.clearList("GM_TYPE");
    fillUSER_Click(main, services);
    EXPECT_EQ(main.form("Att").text, " * specify the source .DBF file to fill colors");
    EXPECT_EQ(swatches(), scheme);
    EXPECT_TRUE(main.schemeApplied && main.drDepthScheme);

    // A template without English names: reported, the swatches cleared before the rows were read.
    chooseKind(0);
    TempFolder oldProgram;
    main.connection = store::Connection();
    openProgram(oldProgram.str(),
                "VID numeric(1,0),MP_TYPE char(6),MP_NAME char(100),YN numeric(1,0),"
                "COLOR numeric(3,0)");
    addTemplateRow("VID,MP_TYPE,YN,MP_NAME,COLOR", "0,'0x4b',0,'Глубина 1м',16");
    fillUSER_Click(main, services);
    EXPECT_EQ(main.form("Att").text.rfind(" ! ", 0), 0u) << main.form("Att").text;
    EXPECT_TRUE(main.schemeApplied);
    EXPECT_EQ(swatch(0), "/-/+");
}

// A double click sets the swatch from the panel (an empty COLOR keeps the fill, a border that
// is no code is refused); with Ctrl it reads the swatch into the panel.
TEST_F(DepthScheme, DoubleClickSetsOrReadsASwatch) {
    fillTOPO_Click(main, services);
    const std::tuple<const char*, const char*, const char*> cases[] = {{"62", "8", "62/62/8"},
                                                                       {"255", "255", "255/-/-"},
                                                                       {"", "1", "/-/1"},
                                                                       {"16", "x1", "/-/1"},
                                                                       {"16", "256", "/-/1"}};
    for (const auto& [colour, border, expected] : cases) {
        main.form.setText("COLOR", colour);
        main.form.setText("BDR_COLOR", border);
        POLY_DblClick(main, services, 3);
        EXPECT_EQ(swatch(3), expected) << colour << " " << border;
    }
    EXPECT_EQ(main.form("Att").text.rfind(" ! POLY_DblClick: ", 0), 0u);
    EXPECT_TRUE(main.schemeApplied);

    platform.ctrlDown = true;
    btnSetSave_Click(main);
    main.form.setListIndex("BDR_COLOR", 3);
    const std::string border = main.form("BDR_COLOR").text;
    POLY_DblClick(main, services, 7);  // a cleared swatch: no colour, a border of no code
    EXPECT_EQ(main.form("COLOR").text, "255");
    EXPECT_EQ(main.form("BDR_COLOR").text, border);
    fillDD_Click(main, services);
    POLY_DblClick(main, services, 9);  // 00FFFF is code 11 and code 74: the list's last
    EXPECT_EQ(main.form("COLOR").text, "74");
    EXPECT_EQ(main.form("BDR_COLOR").text, "0");
}

}  // namespace
}  // namespace tavrolin
