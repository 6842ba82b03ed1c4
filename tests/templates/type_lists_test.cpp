// The kind selection and the type lists: the controls each kind enables, the template's types
// of a kind, the found objects and types of the source, and adding a type that is missing.
#include "templates/type_lists.h"

#include <gtest/gtest.h>

#include "template_fixture.h"
#include "window/main_controls.h"

namespace tavrolin {
namespace {

using Texts = std::vector<std::string>;

class TypeLists : public testing::TemplateFixture {
   protected:
    void SetUp() override {
        TemplateFixture::SetUp();
        const char* columns = "VID,YN,MP_TYPE,MP_NAME,MP_ENG,L_LIMIT,COLOR";
        row(columns, "0,0,'0x24','Озеро','Lake',5,9");
        row(columns, "0,1,'0x24','Моё озеро','My lake',3,12");
        row(columns, "0,0,'0x3',Null,'Town',Null,Null");
        row(columns, "1,0,'0x1f','Река',Null,Null,Null");
    }
    // Starts the window as the source reader leaves it for a read source.
    void startWithSource(bool russian = false) {
        start(russian);
        form().setItems("GM", {"0x24  |  North lake", "0x24  |  South lake", "0x99  |  Pier"});
        form().setItems("GM_TYPE", {"0x24", "0x99", "0x98"});
        main().sourceRead = true;
        main().askAddType = true;
    }
    bool enabled(const std::string& name) { return form()(name).enabled; }
    // VID, YN, MP_ENG and MP_NAME of the added type.
    Texts added(const std::string& code) {
        Texts out;
        for (const char* column : {"VID", "YN", "MP_ENG", "MP_NAME"}) {
            const Texts values = texts("MP_TYPE='" + code + "'", column);
            out.push_back(values.size() == 1 ? values[0]
                                             : "<rows: " + std::to_string(values.size()) + ">");
        }
        return out;
    }
};

// Each binding is enabled, with its label, when its kinds hold the chosen kind's digit; the type
// list shows the kind's types by the interface's name; the actions wait for a read source.
TEST_F(TypeLists, KindEnablesItsControlsAndListsItsTypes) {
    start();
    for (int kind : {1, 0, 2}) {
        chooseKind(kind);
        EXPECT_EQ(store::kindNumber(main().kind), kind);
        EXPECT_EQ(main().namedKind, main().kind);
        for (const AttributeBinding& b : attributeBindings()) {
            const bool expected = std::string(b.kinds).find(char('0' + kind)) != std::string::npos;
            EXPECT_EQ(enabled(b.control), expected) << b.control << " kind " << kind;
            if (b.style != BoundStyle::TextBox) {
                EXPECT_EQ(enabled(std::string("lbl") + b.control), expected) << b.control;
            }
        }
        EXPECT_FALSE(enabled("btnMakeType") || enabled("btnMakeName"));
    }
    chooseKind(0);
    EXPECT_EQ(form()("MP_TYPE").items,
              (Texts{"0x24  |  Lake", "0x24  |  My lake", "0x3  |  Town"}));
    chooseKind(1);
    EXPECT_EQ(form()("MP_TYPE").items, Texts{"0x1f  |  "});
    main().russian = true;
    main().sourceRead = true;
    chooseKind(0);
    EXPECT_EQ(form()("MP_TYPE").items, (Texts{"0x24  |  Озеро", "0x24  |  Моё озеро", "0x3  |  "}));
    EXPECT_TRUE(enabled("btnMakeType") && enabled("btnMakeSkin") && enabled("btnMakeName"));
}

// A found object selects its type and shows the user's row; a found type selects the last
// object of that type.
TEST_F(TypeLists, FoundObjectsAndTypesSelectEachOther) {
    startWithSource();
    chooseKind(0);
    choose("GM", "0x24  |  South lake");
    EXPECT_EQ(form()("GM").text, "0x24  |  South lake");  // the user's choice stays
    EXPECT_EQ(form()("GM_TYPE").text, "0x24");
    EXPECT_EQ(form()("MP_TYPE").listIndex, 0);
    EXPECT_EQ(form()("COLOR").text, "12");
    form().setListIndex("MP_TYPE", 2);
    form().setListIndex("GM", 0);
    choose("GM_TYPE", "0x24");
    EXPECT_EQ(form()("GM").listIndex, 1);
    EXPECT_EQ(form()("L_LIMIT").text, "3");
}

// A type not in the template is offered for adding; a declined offer is not repeated until a
// listed type is chosen. An added type ends the list with an empty panel; a text with an
// apostrophe adds none.
TEST_F(TypeLists, MissingTypesAreOfferedAndAdded) {
    startWithSource();
    chooseKind(0);
    platform.inputReplies.push_back("");
    choose("GM_TYPE", "0x99");
    ASSERT_EQ(platform.inputQuestions.size(), 1u);
    choose("GM_TYPE", "0x98");
    EXPECT_EQ(platform.inputQuestions.size(), 1u);
    choose("GM_TYPE", "0x24");
    platform.inputReplies.push_back("New pier");
    choose("GM", "0x99  |  Pier");
    ASSERT_EQ(platform.inputQuestions.size(), 2u);
    EXPECT_EQ(platform.inputQuestions[1].initialText, "Pier");
    const Control& types = form()("MP_TYPE");
    EXPECT_EQ(types.items.back(), "0x99  |  New pier");
    EXPECT_EQ(types.listIndex, types.listCount() - 1);
    EXPECT_EQ(form()("COLOR").listIndex, form()("COLOR").listCount() - 1);  // blank at the end
    EXPECT_EQ(added("0x99"), (Texts{"0", "0", "New pier", "<null>"}));
    // Added from the types list under Russian: no YN, the Russian name column.
    main().russian = true;
    platform.inputReplies.push_back("Новый");
    choose("GM_TYPE", "0x98");
    EXPECT_EQ(types.items.back(), "0x98  |  Новый");
    EXPECT_EQ(added("0x98"), (Texts{"0", "<null>", "<null>", "Новый"}));
    const Texts before = types.items;
    platform.inputReplies.push_back("Bob's pier");
    form().setItems("GM", {"0x97  |  Pier"});
    choose("GM", "0x97  |  Pier");
    EXPECT_EQ(form()("Att").text.rfind(" ! GM_Click: 3134. ", 0), 0u) << form()("Att").text;
    EXPECT_EQ(types.items, before);
    EXPECT_EQ(texts("VID=0", "MP_TYPE").size(), 5u);
}

}  // namespace
}  // namespace tavrolin
