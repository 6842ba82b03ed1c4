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

    void expectCleared(int depth, const std::string& caption) {
        const Swatch swatch = readSwatch(main, depth);
        EXPECT_EQ(swatch.code, caption) << "depth " << depth;
        EXPECT_EQ(swatch.fill, color::kButtonFace) << "depth " << depth;
        EXPECT_EQ(swatch.border, color::kWindowText) << "depth " << depth;
    }

    DepthServices services;
};

TEST_F(DepthScheme, BuiltInScalesSetCodesColoursBordersAndFlags) {
    main.att("an old message");
    fillDD_Click(main, services);
    EXPECT_EQ(main.form("Att").text, "");
    EXPECT_TRUE(main.schemeApplied);
    EXPECT_TRUE(main.drDepthScheme);
    EXPECT_EQ(readSwatch(main, 0).code, "30");
    EXPECT_EQ(readSwatch(main, 20).code, "0");
    EXPECT_EQ(readSwatch(main, 23).code, "168");
    EXPECT_EQ(readSwatch(main, 9).fill, paletteColor(74));
    for (int depth = 0; depth < kSwatchCount; ++depth) {
        EXPECT_EQ(readSwatch(main, depth).border, paletteColor(0)) << depth;
    }

    fillTOPO_Click(main, services);
    EXPECT_TRUE(main.schemeApplied);
    EXPECT_FALSE(main.drDepthScheme);
    for (int depth = 0; depth < kSwatchCount; ++depth) {
        const Swatch swatch = readSwatch(main, depth);
        if (depth < 5) {
            EXPECT_EQ(swatch.code, "16");
        } else if (depth >= 20) {
            EXPECT_EQ(swatch.code, "41");
        }
        EXPECT_EQ(swatch.fill, paletteColor(std::stoi(swatch.code)));
        EXPECT_EQ(swatch.border, paletteColor(depth % 5 == 0 ? 0 : 8)) << depth;
    }

    btnSetSave_Click(main);
    EXPECT_FALSE(main.schemeApplied);
    EXPECT_FALSE(main.drDepthScheme);
    for (int depth = 0; depth < kSwatchCount; ++depth) expectCleared(depth, std::to_string(depth));
}

TEST(DepthNames, MatchTheDepthAsAWholeNumberIgnoringCase) {
    struct Case {
        const char* name;
        int depth;
        bool describes;
    };
    const Case cases[] = {
        {"Глубина 1м", 1, true},
        {"Глубина 10м", 10, true},
        {"Глубина 10м", 1, false},
        {"Глубина 10м", 0, false},
        {"ГЛУБИНЫ ОТ 0 ДО 5М", 5, true},
        {"Глубины от 0 до 5 м", 5, false},
        {"глубина5м", 5, false},
        {"Area of depth 5m, sand", 5, true},
        {"DEPTH 24M", 24, true},
        {"5m depth", 5, false},
        {"Depth 2m", 2, true},
        {"Depth 2m", 12, false},
        {"", 0, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(namesDepth(c.name, c.depth), c.describes) << c.name << " / " << c.depth;
    }
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

TEST_F(UserScheme, FirstFoundTypeWithAColourDecidesEachDepthForPolygons) {
    fillDD_Click(main, services);
    fillUSER_Click(main, services);
    EXPECT_FALSE(main.schemeApplied);
    EXPECT_FALSE(main.drDepthScheme);
    const Swatch five = readSwatch(main, 5);
    EXPECT_EQ(five.code, "20");  // 0x11 comes before 0x10 in the found types
    EXPECT_EQ(five.fill, paletteColor(20));
    EXPECT_EQ(five.border, color::kWindowText);
    EXPECT_EQ(readSwatch(main, 1).code, "16");  // the custom row of 0x12
    EXPECT_EQ(readSwatch(main, 10).code, "56");
    for (int depth : {0, 2, 3, 4, 6, 7, 24}) expectCleared(depth, "");
}

TEST_F(UserScheme, LinesEndClearedAndBothFlagsClear) {
    chooseKind(1);
    fillTOPO_Click(main, services);
    fillUSER_Click(main, services);
    for (int depth = 0; depth < kSwatchCount; ++depth) expectCleared(depth, "");
    EXPECT_FALSE(main.schemeApplied);
    EXPECT_FALSE(main.drDepthScheme);
}

TEST_F(UserScheme, RefusalsAndTheOldTemplateKeepTheFlags) {
    fillDD_Click(main, services);

    main.kind = main.namedKind = store::ObjectKind::None;
    fillUSER_Click(main, services);
    EXPECT_EQ(main.form("Att").text, " * select object type to fill colors");
    EXPECT_EQ(g_kindHints, 1);

    chooseKind(0);
    main.form.clearList("GM_TYPE");
    fillUSER_Click(main, services);
    EXPECT_EQ(main.form("Att").text, " * specify the source .DBF file to fill colors");

    main.form.setItems("GM_TYPE", {"0x10"});
    chooseKind(2);  // no point rows
    fillUSER_Click(main, services);
    EXPECT_EQ(main.form("Att").text, " * attributes of selected type not found in list");
    EXPECT_EQ(readSwatch(main, 0).code, "30");
    EXPECT_TRUE(main.schemeApplied);
    EXPECT_TRUE(main.drDepthScheme);
}

TEST_F(DepthScheme, OldTemplateWithoutEnglishNamesIsReported) {
    TempFolder oldProgram;
    main.connection = store::Connection();
    openProgram(oldProgram.str(),
                "VID numeric(1,0),MP_TYPE char(6),MP_NAME char(100),"
                "YN numeric(1,0),COLOR numeric(3,0)");
    addTemplateRow("VID,MP_TYPE,YN,MP_NAME,COLOR", "0,'0x4b',0,'Глубина 1м',16");
    main.russian = true;
    fillTOPO_Click(main, services);
    fillUSER_Click(main, services);
    EXPECT_EQ(main.form("Att").text, " ! заполнение схемы невозможно в старой версии Tavrolin.dbf");
    EXPECT_EQ(platform.beeps, 1);
    EXPECT_TRUE(main.schemeApplied);
    expectCleared(0, "");  // cleared before the row was read
}

TEST_F(DepthScheme, CtrlDoubleClickReadsASwatchIntoThePanel) {
    platform.ctrlDown = true;
    main.form.setListIndex("BDR_COLOR", 3);
    const std::string border = main.form("BDR_COLOR").text;
    POLY_DblClick(main, services, 7);  // a cleared swatch: no colour, a border of no code
    EXPECT_EQ(main.form("COLOR").text, "255");
    EXPECT_EQ(main.form("BDR_COLOR").text, border);

    fillDD_Click(main, services);
    POLY_DblClick(main, services, 9);  // 00FFFF is code 11 and code 74: the list's last
    EXPECT_EQ(main.form("COLOR").text, "74");
    EXPECT_EQ(main.form("BDR_COLOR").text, "0");
    EXPECT_EQ(main.form("COLOR").listIndex,
              static_cast<int>(std::find(main.form("COLOR").items.begin(),
                                         main.form("COLOR").items.end(), "74") -
                               main.form("COLOR").items.begin()));
}

TEST_F(DepthScheme, DoubleClickSetsASwatchFromThePanelAndKeepsTheFlags) {
    fillTOPO_Click(main, services);
    struct Case {
        const char* color;
        const char* border;
        std::string code;
        std::uint32_t fill;
        std::uint32_t edge;
    };
    const Case cases[] = {
        {"62", "8", "62", paletteColor(62), paletteColor(8)},
        {"255", "255", "255", color::kButtonFace, color::kButtonFace},
        {"", "1", "", color::kButtonFace, paletteColor(1)},  // an empty COLOR keeps the fill
    };
    for (const Case& c : cases) {
        main.form.setText("COLOR", c.color);
        main.form.setText("BDR_COLOR", c.border);
        POLY_DblClick(main, services, 3);
        const Swatch swatch = readSwatch(main, 3);
        EXPECT_EQ(swatch.code, c.code) << c.color;
        EXPECT_EQ(swatch.fill, c.fill) << c.color;
        EXPECT_EQ(swatch.border, c.edge) << c.color;
    }
    EXPECT_TRUE(main.schemeApplied);

    // Not a code: reported, the swatch as it was.
    for (const char* bad : {"x1", "256", "-1"}) {
        main.form.setText("COLOR", "16");
        main.form.setText("BDR_COLOR", bad);
        POLY_DblClick(main, services, 4);
        EXPECT_EQ(main.form("Att").text.rfind(" ! POLY_DblClick: ", 0), 0u) << bad;
        EXPECT_EQ(readSwatch(main, 4).code, "16");
        EXPECT_EQ(readSwatch(main, 4).border, paletteColor(8));
    }
}

}  // namespace
}  // namespace tavrolin
