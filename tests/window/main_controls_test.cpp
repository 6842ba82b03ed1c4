// The main window's control set: every control a handler names exists with its kind, the
// captions it is designed with, and the state it starts in.
#include "window/main_controls.h"

#include <gtest/gtest.h>

namespace tavrolin {
namespace {

struct Expected {
    const char* name;
    ControlKind kind;
    const char* caption;  // nullptr: not checked (set by language)
};

TEST(MainControls, EveryControlExistsWithItsKindAndDesignCaption) {
    Form form;
    buildMainControls(form);
    using K = ControlKind;
    const Expected single[] = {
        {"btnSource", K::Button, "..."},
        {"Source", K::TextBox, nullptr},
        {"btnHelp", K::Button, "???"},
        {"btnLang", K::Button, nullptr},
        {"Att", K::TextBox, nullptr},
        {"STRT", K::Timer, nullptr},
        {"frmTYPE", K::Frame, nullptr},
        {"GM", K::ComboBox, nullptr},
        {"GM_TYPE", K::ComboBox, nullptr},
        {"MP_TYPE", K::ComboBox, nullptr},
        {"TrnCase", K::CheckBox, nullptr},
        {"LowCase", K::CheckBox, nullptr},
        {"NoName", K::CheckBox, nullptr},
        {"LvlNull", K::CheckBox, nullptr},
        {"TagMPC", K::CheckBox, nullptr},
        {"btnAtrSave", K::Button, nullptr},
        {"btnMakeType", K::Button, "!!!"},
        {"btnMakeSkin", K::Button, "##"},
        {"frmNAME", K::Frame, nullptr},
        {"fillDD", K::Button, nullptr},
        {"fillTOPO", K::Button, "TOPO"},
        {"fillUSER", K::Button, "USER"},
        {"btnSetSave", K::Button, "SN"},
        {"btnMakeName", K::Button, "!!!"},
        {"frmALL", K::Frame, nullptr},
        {"HTML", K::TextBox, nullptr},
        {"ICONS", K::Image, nullptr},
        {"lblALL", K::Label, nullptr},
        {"lblY", K::Label, "<- mandatory attributes"},
        {"lblX", K::Label, "<- color selection"},
        {"SAMPOI", K::Label, "Poi"},
        {"HALPOI", K::Label, "Poi"},
        {"SAMPLE", K::Shape, nullptr},
        {"shpALL", K::Shape, nullptr},
        {"shpPOI", K::Shape, nullptr},
        {"shpLINE", K::Shape, nullptr},
        {"shpAREA", K::Shape, nullptr},
        {"SAMPLINE", K::Line, nullptr},
        {"BORDLINE", K::Line, nullptr},
        {"btnReadShp", K::Button, "MP"},
        {"btnReadRmp", K::Button, "RM"},
    };
    for (const Expected& e : single) {
        ASSERT_TRUE(form.has(e.name)) << e.name;
        EXPECT_EQ(form(e.name).kind, e.kind) << e.name;
        if (e.caption != nullptr) EXPECT_EQ(form(e.name).caption, e.caption) << e.name;
    }

    // The attribute panel: drop-down lists, the five colour text boxes, a caption label each.
    for (const char* name :
         {"L_LIMIT",   "U_LIMIT",   "P_LIMIT",    "LAYER",    "COLOR",     "AWIDTH",
          "BDR_COLOR", "BDR_WIDTH", "BDR_PATTER", "AFONT",    "MODE",      "AICON",
          "PATTERN",   "BFR_WIDTH", "BFR_COLOR",  "INFO_BOX", "HAL_COLOR", "RTP_LIMIT",
          "RTP_COLOR", "MAJ_CAT",   "MIN_CAT",    "P_ICON"}) {
        ASSERT_TRUE(form.has(name)) << name;
        EXPECT_EQ(form(name).kind, K::ComboBox) << name;
        EXPECT_EQ(form(name).listIndex, -1) << name;
        ASSERT_TRUE(form.has(std::string("lbl") + name)) << name;
        EXPECT_EQ(form(std::string("lbl") + name).kind, K::Label) << name;
    }
    for (const char* name : {"CLRRGB", "BDF_CLRRGB", "BDR_CLRRGB", "RTP_CLRRGB", "HAL_CLRRGB"}) {
        ASSERT_TRUE(form.has(name)) << name;
        EXPECT_EQ(form(name).kind, K::TextBox) << name;
        EXPECT_EQ(form(name).tag, name) << name;
    }

    // Control arrays, indexed from 0.
    const char* kindTags[] = {"polygon", "line", "point"};
    ASSERT_EQ(form.array("SVID").size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(form("SVID", i).kind, K::OptionButton);
        EXPECT_EQ(form("SVID", i).tag, kindTags[i]);
        EXPECT_EQ(form("SVID", i).value, 0);  // no kind chosen at start
    }
    ASSERT_EQ(form.array("POLY").size(), 25u);
    ASSERT_EQ(form.array("POLYS").size(), 25u);
    for (int depth = 0; depth < 25; ++depth) {
        EXPECT_EQ(form("POLY", depth).kind, K::Label);
        EXPECT_EQ(form("POLYS", depth).kind, K::Shape);
    }
    const char* headings[] = {">0M", ">5M", ">10M", ">15M", ">20M"};
    ASSERT_EQ(form.array("lblM").size(), 5u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(form("lblM", i).kind, K::Label);
        EXPECT_EQ(form("lblM", i).caption, headings[i]);
    }

    // The three make buttons wait for a source; the timer is silent until start-up needs it.
    for (const char* name : {"btnMakeType", "btnMakeSkin", "btnMakeName"}) {
        EXPECT_FALSE(form(name).enabled) << name;
    }
    EXPECT_EQ(form("STRT").interval, 0);
}

}  // namespace
}  // namespace tavrolin
