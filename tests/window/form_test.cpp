#include "window/form.h"

#include <gtest/gtest.h>

#include "window/main_controls.h"

namespace tavrolin {
namespace {

TEST(Form, ProgramSelectionRaisesClickOnlyWhenItChanges) {
    Form form;
    buildMainControls(form);
    int clicks = 0;
    form.on("GM_TYPE", Event::Click, [&](int) { ++clicks; });
    form.setItems("GM_TYPE", {"0x1", "0x2"});
    form.setListIndex("GM_TYPE", 1);
    form.setListIndex("GM_TYPE", 1);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(form("GM_TYPE").text, "0x2");
    form.chooseByUser("GM_TYPE", 1);
    EXPECT_EQ(clicks, 2);
}

TEST(FormDeathTest, UnknownControlAbortsNamingIt) {
    Form form;
    buildMainControls(form);
    EXPECT_DEATH(form("GM_TYPO"), "unknown control GM_TYPO");
    EXPECT_DEATH(form.setText("GM_TYPE", "x", 7), "unknown control GM_TYPE\\(7\\)");
}

TEST(Form, EditableListTextDoesNotRaiseClick) {
    Form form;
    buildMainControls(form);
    int clicks = 0;
    int changes = 0;
    form.on("AFONT", Event::Click, [&](int) { ++clicks; });
    form.on("AFONT", Event::Change, [&](int) { ++changes; });
    form.setText("AFONT", "12B");
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(changes, 1);
}

TEST(Form, OptionGroupKeepsOneChoice) {
    Form form;
    buildMainControls(form);
    std::vector<int> clicked;
    form.on("SVID", Event::Click, [&](int index) { clicked.push_back(index); });
    form.setValue("SVID", 1, 0);
    form.setValue("SVID", 1, 2);
    EXPECT_EQ(form("SVID", 0).value, 0);
    EXPECT_EQ(form("SVID", 2).value, 1);
    EXPECT_EQ(clicked, (std::vector<int>{0, 2}));
}

TEST(Form, ColourTextBoxesTakeEightCharacters) {
    Form form;
    buildMainControls(form);
    form.setText("CLRRGB", "0123456789");
    EXPECT_EQ(form("CLRRGB").text, "01234567");
    // Characters, not bytes: Cyrillic typed in the wrong keyboard layout stays whole.
    form.setText("CLRRGB", "ЖЖЖЖЖЖЖЖЖ");
    EXPECT_EQ(form("CLRRGB").text, "ЖЖЖЖЖЖЖЖ");
}

TEST(Form, EditableListIndexFollowsItsText) {
    Form form;
    buildMainControls(form);
    int clicks = 0;
    form.on("MAJ_CAT", Event::Click, [&](int) { ++clicks; });
    form.setItems("MAJ_CAT", {"", "Land", "Nautical"});
    form.setListIndex("MAJ_CAT", 1);
    form.setText("MAJ_CAT", "Nautical");
    EXPECT_EQ(form("MAJ_CAT").listIndex, 2);
    form.setText("MAJ_CAT", "typed by hand");
    EXPECT_EQ(form("MAJ_CAT").listIndex, -1);
    EXPECT_EQ(clicks, 1);  // only the selection by index
}

}  // namespace
}  // namespace tavrolin
