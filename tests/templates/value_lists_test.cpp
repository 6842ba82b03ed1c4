// The value lists: the display limits line, and the icon list from the program's icon folder.
#include "templates/value_lists.h"

#include <gtest/gtest.h>

#include "template_fixture.h"

namespace tavrolin {
namespace {

using Texts = std::vector<std::string>;

class ValueLists : public testing::PanelFixture {
   protected:
    std::string limits(int lower, int upper) {
        main.form.chooseByUser("L_LIMIT", lower);
        main.form.chooseByUser("U_LIMIT", upper);
        return c("Att").text;
    }
};

TEST_F(ValueLists, LimitLineShowsTheScaleAndTheBar) {
    EXPECT_EQ(limits(5, 20), " display limits of object from 50m   " + std::string(5, '.') +
                                 std::string(15, 'I') + std::string(14, '.') + "   to 5km");
    EXPECT_EQ(limits(0, 34),
              " display limits of object from 5m   " + std::string(34, 'I') + "   to 400km");
    // Equal or inverted limits give the error line, and nothing is blocked.
    const std::string error = " ! display limits error, U_LIMIT must be more then L_LIMIT";
    EXPECT_EQ(limits(20, 5), error);
    EXPECT_EQ(c("L_LIMIT").text, "20");
    main.russian = true;
    EXPECT_EQ(limits(7, 9), " уровни видимости объекта c 100m   " + std::string(7, '.') + "II" +
                                std::string(25, '.') + "   по 0.2km");
}

TEST_F(ValueLists, IconListTakesGifFilesOfAnyCase) {
    tavrolin::testing::ScratchFolder folder("tavrolin_icons_");
    std::filesystem::create_directories(folder.root() / "icons" / "sub.gif");
    for (const char* file : {"wreck.gif", "Anchor.GIF", "buoy.Gif", "readme.txt", "gif"}) {
        tavrolin::testing::writeFile(folder.root() / "icons" / file, "x");
    }
    main.programFolder = folder.str();
    fillIconList(main);
    EXPECT_EQ(c("AICON").items, (Texts{"", "Anchor", "buoy", "wreck"}));
    // A missing folder is reported and start-up goes on.
    main.programFolder = "/nonexistent/tavrolin/";
    fillIconList(main);
    EXPECT_EQ(c("AICON").items, Texts{""});
    EXPECT_EQ(c("Att").text, " ! place the folder with GIF icons next to the program");
}

}  // namespace
}  // namespace tavrolin
