#include "templates/type_lists.h"

#include <gtest/gtest.h>

#include "template_fixture.h"
#include "window/main_controls.h"

namespace tavrolin {
namespace {

class TypeLists : public testing::TemplateFixture {
   protected:
    void SetUp() override {
        TemplateFixture::SetUp();
        row("VID,YN,MP_TYPE,MP_NAME,MP_ENG,L_LIMIT,U_LIMIT,COLOR",
            "0,0,'0x24','Озеро','Lake',5,20,9");
        row("VID,YN,MP_TYPE,MP_NAME,MP_ENG,L_LIMIT,U_LIMIT,COLOR",
            "0,1,'0x24','Моё озеро','My lake',3,22,12");
        row("VID,YN,MP_TYPE,MP_ENG", "0,0,'0x3','Town'");
        row("VID,YN,MP_TYPE,MP_NAME", "1,0,'0x1f','Река'");
        row("VID,YN,MP_TYPE,MP_ENG", "2,0,'0x2f00','Marina'");
    }
    // What the source reader leaves behind for a read source.
    void foundInSource() {
        form().setItems("GM", {"0x24  |  North lake", "0x24  |  South lake", "0x99  |  Pier"});
        form().setItems("GM_TYPE", {"0x24", "0x99"});
        main().sourceRead = true;
        main().askAddType = true;
    }
    bool enabled(const std::string& name) { return form()(name).enabled; }
};

TEST_F(TypeLists, KindEnablesItsControlsWithTheirLabels) {
    start();
    chooseKind(1);
    EXPECT_EQ(main().kind, store::ObjectKind::Line);
    EXPECT_EQ(main().namedKind, store::ObjectKind::Line);
    for (const AttributeBinding& b : attributeBindings()) {
        bool expected = std::string(b.kinds).find('1') != std::string::npos;
        EXPECT_EQ(enabled(b.control), expected) << b.control;
        if (b.style != BoundStyle::TextBox) {
            EXPECT_EQ(enabled(std::string("lbl") + b.control), expected) << b.control;
        }
    }
    for (const char* line : {"AWIDTH", "PATTERN", "BFR_COLOR", "BDF_CLRRGB", "BFR_WIDTH",
                             "RTP_COLOR", "RTP_CLRRGB", "RTP_LIMIT", "HAL_COLOR"}) {
        EXPECT_TRUE(enabled(line)) << line;
    }
    EXPECT_FALSE(enabled("BDR_WIDTH"));
    EXPECT_FALSE(enabled("lblBDR_WIDTH"));
    EXPECT_FALSE(enabled("P_ICON"));
    EXPECT_EQ(form()("MP_TYPE").items, (std::vector<std::string>{"0x1f  |  "}));

    chooseKind(0);
    EXPECT_FALSE(enabled("HAL_COLOR"));
    EXPECT_FALSE(enabled("lblHAL_COLOR"));
    EXPECT_TRUE(enabled("HAL_CLRRGB"));
    EXPECT_TRUE(enabled("BDR_CLRRGB"));
    EXPECT_EQ(form()("MP_TYPE").items,
              (std::vector<std::string>{"0x24  |  Lake", "0x24  |  My lake", "0x3  |  Town"}));
    EXPECT_EQ(form()("ICONS").left, 480);
    EXPECT_EQ(form()("ICONS").top, 1780);
    chooseKind(2);
    EXPECT_EQ(form()("ICONS").left, 7000);
    EXPECT_EQ(form()("ICONS").top, 2100);
}

TEST_F(TypeLists, ActionButtonsWaitForARead) {
    start();
    chooseKind(0);
    EXPECT_FALSE(enabled("btnMakeType"));
    EXPECT_FALSE(enabled("btnMakeSkin"));
    EXPECT_FALSE(enabled("btnMakeName"));
    main().sourceRead = true;
    chooseKind(2);
    EXPECT_TRUE(enabled("btnMakeType"));
    EXPECT_TRUE(enabled("btnMakeSkin"));
    EXPECT_TRUE(enabled("btnMakeName"));
}

TEST_F(TypeLists, RussianListUsesRussianNames) {
    start(true);
    chooseKind(1);
    EXPECT_EQ(form()("MP_TYPE").items, (std::vector<std::string>{"0x1f  |  Река"}));
}

TEST_F(TypeLists, ChoosingWithoutAKindFlashesTheKindAreas) {
    start();
    foundInSource();
    choose("GM", "0x24  |  North lake");
    EXPECT_EQ(form()("Att").text, " * select object to open attributes list by type");
    EXPECT_EQ(platform.beeps, 1);
    EXPECT_EQ(platform.pauses, (std::vector<int>{200, 200, 200}));
    for (const char* area : {"shpAREA", "shpLINE", "shpPOI"}) {
        EXPECT_EQ(form()(area).backStyle, 0) << area;
    }
}

TEST_F(TypeLists, FoundObjectSelectsItsTypeAndDisplaysIt) {
    start();
    foundInSource();
    chooseKind(0);
    choose("GM", "0x24  |  South lake");
    EXPECT_EQ(form()("GM").text, "0x24  |  South lake");  // the user's choice stays
    EXPECT_EQ(form()("GM_TYPE").text, "0x24");
    EXPECT_EQ(form()("MP_TYPE").listIndex, 0);
    EXPECT_EQ(form()("COLOR").text, "12");  // the custom row is shown
    EXPECT_TRUE(platform.inputQuestions.empty());
}

TEST_F(TypeLists, FoundTypeSelectsTheLastObjectOfThatType) {
    start();
    foundInSource();
    chooseKind(0);
    form().setListIndex("MP_TYPE", 2);
    choose("GM_TYPE", "0x24");
    EXPECT_EQ(form()("GM").listIndex, 1);
    EXPECT_EQ(form()("MP_TYPE").listIndex, 0);
    EXPECT_EQ(form()("L_LIMIT").text, "3");
}

TEST_F(TypeLists, DeclinedOfferIsNotRepeatedUntilATypeIsFound) {
    start();
    foundInSource();
    form().setItems("GM_TYPE", {"0x24", "0x99", "0x98"});
    chooseKind(0);
    platform.inputReplies.push_back("");
    choose("GM_TYPE", "0x99");
    EXPECT_EQ(form()("Att").text, " * selected type not found in list");
    ASSERT_EQ(platform.inputQuestions.size(), 1u);
    EXPECT_EQ(platform.inputQuestions[0].title, "Type not found");
    EXPECT_EQ(platform.inputQuestions[0].prompt,
              "Do you want to add new type 0x99 in list?\nEnter the description and click "
              "Ok,\notherwise, click Cancel:");
    EXPECT_EQ(platform.inputQuestions[0].initialText, "");
    EXPECT_FALSE(main().askAddType);

    choose("GM_TYPE", "0x98");
    EXPECT_EQ(form()("Att").text, " * selected type not found in list");
    EXPECT_EQ(platform.inputQuestions.size(), 1u);

    choose("GM_TYPE", "0x24");
    EXPECT_TRUE(main().askAddType);
    choose("GM_TYPE", "0x98");
    EXPECT_EQ(platform.inputQuestions.size(), 2u);
    EXPECT_EQ(column("VID=0", "MP_TYPE").size(), 3u);  // nothing was added
}

TEST_F(TypeLists, AddedTypeIsListedAtTheEndWithAnEmptyPanel) {
    start();
    foundInSource();
    chooseKind(0);
    platform.inputReplies.push_back("New pier");
    choose("GM", "0x99  |  Pier");
    ASSERT_EQ(platform.inputQuestions.size(), 1u);
    EXPECT_EQ(platform.inputQuestions[0].initialText, "Pier");

    const Control& types = form()("MP_TYPE");
    EXPECT_EQ(types.items.back(), "0x99  |  New pier");
    EXPECT_EQ(types.listIndex, types.listCount() - 1);
    EXPECT_EQ(form()("L_LIMIT").listIndex, -1);
    EXPECT_EQ(form()("U_LIMIT").listIndex, -1);
    EXPECT_EQ(form()("LAYER").listIndex, 0);                                // the blank at the top
    EXPECT_EQ(form()("COLOR").listIndex, form()("COLOR").listCount() - 1);  // blank at the end
    EXPECT_EQ(form()("COLOR").text, "");

    auto yn = column("MP_TYPE='0x99'", "YN");
    ASSERT_EQ(yn.size(), 1u);
    EXPECT_EQ(yn[0].toText(), "0");
    EXPECT_EQ(column("MP_TYPE='0x99'", "MP_ENG")[0].toText(), "New pier");
    EXPECT_EQ(column("MP_TYPE='0x99'", "VID")[0].toText(), "0");

    // Added from the types list: no YN, the Russian name column.
    main().russian = true;
    platform.inputReplies.push_back("Новый");
    form().setItems("GM_TYPE", {"0x24", "0x77"});
    choose("GM_TYPE", "0x77");
    EXPECT_EQ(types.items.back(), "0x77  |  Новый");
    EXPECT_TRUE(column("MP_TYPE='0x77'", "YN")[0].isNull());
    EXPECT_EQ(column("MP_TYPE='0x77'", "MP_NAME")[0].toText(), "Новый");
}

TEST_F(TypeLists, AnApostropheAddsNoRow) {
    start();
    foundInSource();
    chooseKind(0);
    const auto before = form()("MP_TYPE").items;
    platform.inputReplies.push_back("Bob's pier");
    choose("GM", "0x99  |  Pier");
    EXPECT_EQ(form()("Att").text.rfind(" ! GM_Click: 3134. ", 0), 0u) << form()("Att").text;
    EXPECT_EQ(form()("MP_TYPE").items, before);
    EXPECT_TRUE(column("MP_TYPE='0x99'", "VID").empty());
    EXPECT_EQ(column("VID=0", "MP_TYPE").size(), 3u);
}

TEST(TypeListsWithoutTemplate, OperationsStopWithTheTemplateMessage) {
    ScriptedPlatform platform;
    Main main(platform);
    buildMainControls(main.form);
    SVID_Click(main, 0);
    EXPECT_EQ(main.form("MP_TYPE").listCount(), 0);
    EXPECT_EQ(main.form("SVID", 0).value, 1);
    main.form.setItems("MP_TYPE", {"0x24  |  Lake"});
    main.form.setListIndex("MP_TYPE", 0);
    MP_TYPE_Click(main);
    EXPECT_EQ(main.form("Att").text.rfind(" ! list of types ", 0), 0u) << main.form("Att").text;
}

}  // namespace
}  // namespace tavrolin
