// The window model: when a form raises its events, its rules for text boxes and option groups,
// the main window's control set, and the pauses that keep the window painted during file work.
#include "window/form.h"

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <thread>

#include "store/object_kind.h"
#include "store/scripted_platform.h"
#include "window/main_controls.h"
#include "window/main_state.h"

namespace tavrolin {
namespace {

struct FormTest : ::testing::Test {
    FormTest() { buildMainControls(form); }
    // Counts every Click and Change of the named controls, by "name event(index)".
    void count(std::initializer_list<const char*> names) {
        for (const char* name : names) {
            for (Event event : {Event::Click, Event::Change}) {
                form.on(name, event, [this, name, event](int index) {
                    ++raised[std::string(name) + (event == Event::Click ? " click" : " change") +
                             (index >= 0 ? std::to_string(index) : "")];
                });
            }
        }
    }
    Form form;
    std::map<std::string, int> raised;
};

TEST_F(FormTest, ListsRaiseClickOnSelectionChangesTypedTextChangeAndColourBoxesTakeEight) {
    count({"GM_TYPE", "AFONT", "MAJ_CAT", "SVID"});
    form.setItems("GM_TYPE", {"0x1", "0x2"});
    form.setListIndex("GM_TYPE", 1);
    form.setListIndex("GM_TYPE", 1);
    EXPECT_EQ(form("GM_TYPE").text, "0x2");
    form.chooseByUser("GM_TYPE", 1);  // the user's choice counts even when it is the same
    form.setText("AFONT", "12B");
    // An editable list's index follows its text.
    form.setItems("MAJ_CAT", {"", "Land", "Nautical"});
    form.setListIndex("MAJ_CAT", 1);
    form.setText("MAJ_CAT", "Nautical");
    EXPECT_EQ(form("MAJ_CAT").listIndex, 2);
    form.setText("MAJ_CAT", "typed by hand");
    EXPECT_EQ(form("MAJ_CAT").listIndex, -1);
    // An option group keeps one choice.
    form.setValue("SVID", 1, 0);
    form.setValue("SVID", 1, 2);
    EXPECT_EQ(form("SVID", 0).value, 0);
    EXPECT_EQ(form("SVID", 2).value, 1);
    EXPECT_EQ(raised, (std::map<std::string, int>{{"GM_TYPE click", 2},
                                                  {"AFONT change", 1},
                                                  {"MAJ_CAT click", 1},
                                                  {"MAJ_CAT change", 2},
                                                  {"SVID click0", 1},
                                                  {"SVID click2", 1}}));
    // Colour boxes take eight characters, not bytes.
    form.setText("CLRRGB", "0123456789");
    EXPECT_EQ(form("CLRRGB").text, "01234567");
    form.setText("CLRRGB", "ЖЖЖЖЖЖЖЖЖ");  // Cyrillic typed in the wrong layout stays whole
    EXPECT_EQ(form("CLRRGB").text, "ЖЖЖЖЖЖЖЖ");
}

TEST_F(FormTest, EveryControlSitsInTheWindowOrAFrameAndTheStartWaitsForAKind) {
    for (const Control* c : form.controls()) {
        if (c->container.empty()) continue;
        ASSERT_TRUE(form.has(c->container)) << c->name;
        EXPECT_EQ(form(c->container).kind, ControlKind::Frame) << c->name;
        EXPECT_NE(c->kind, ControlKind::Frame) << c->name;  // frames sit on the window
    }
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(form("SVID", i).tag, store::kindName(store::kindFromNumber(i)));
        EXPECT_EQ(form("SVID", i).value, 0);
    }
    for (const char* name : {"btnMakeType", "btnMakeSkin", "btnMakeName"}) {
        EXPECT_FALSE(form(name).enabled) << name;
    }
}

TEST(FormDeathTest, UnknownControlAbortsNamingIt) {
    Form form;
    buildMainControls(form);
    EXPECT_DEATH(form("GM_TYPO"), "unknown control GM_TYPO");
    EXPECT_DEATH(form.setText("GM_TYPE", "x", 7), "unknown control GM_TYPE\\(7\\)");
}

TEST(MainState, ASlowFileJobLetsTheWindowPaintAndHandsBackItsResult) {
    ScriptedPlatform platform;
    Main main{platform};
    const Status failed = main.whileWindowPaints([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(120));
        return Status::error(err::kDiskFull, "disk full");
    });
    EXPECT_EQ(failed.number(), err::kDiskFull);
    // The window painted in slices while the job ran, and took no input meanwhile.
    EXPECT_GE(platform.pauses.size(), 2u);
    EXPECT_EQ(platform.processEventsCalls, 0);
}

}  // namespace
}  // namespace tavrolin
