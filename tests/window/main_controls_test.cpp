// Properties of the main window's control set that handlers and the view rely on.
#include "window/main_controls.h"

#include <gtest/gtest.h>

#include "store/object_kind.h"

namespace tavrolin {
namespace {

TEST(MainControls, EveryControlSitsInTheWindowOrAFrameThatExists) {
    Form form;
    buildMainControls(form);
    for (const Control* c : form.controls()) {
        if (c->container.empty()) continue;
        ASSERT_TRUE(form.has(c->container)) << c->name;
        EXPECT_EQ(form(c->container).kind, ControlKind::Frame) << c->name;
        EXPECT_NE(c->kind, ControlKind::Frame) << c->name;  // frames sit on the window
    }
    EXPECT_EQ(form("GM").container, "frmTYPE");
    EXPECT_EQ(form("POLY", 24).container, "frmNAME");
    EXPECT_EQ(form("BDR_COLOR").container, "frmALL");
    EXPECT_EQ(form("Att").container, "");
    int colourLists = 0;
    for (const Control* c : form.controls()) colourLists += c->colorCodeList ? 1 : 0;
    EXPECT_EQ(colourLists, 5);
    EXPECT_TRUE(form("HAL_COLOR").colorCodeList);
    EXPECT_FALSE(form("BDR_WIDTH").colorCodeList);
}

TEST(MainControls, StartStateWaitsForASourceAndAKind) {
    Form form;
    buildMainControls(form);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(form("SVID", i).tag, store::kindName(store::kindFromNumber(i)));
        EXPECT_EQ(form("SVID", i).value, 0);
    }
    for (const char* name : {"btnMakeType", "btnMakeSkin", "btnMakeName"}) {
        EXPECT_FALSE(form(name).enabled) << name;
    }
    EXPECT_EQ(form("STRT").interval, 0);
}

}  // namespace
}  // namespace tavrolin
