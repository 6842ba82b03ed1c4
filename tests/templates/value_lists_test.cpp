#include "templates/value_lists.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "store/scripted_platform.h"
#include "templates/templates_handlers.h"
#include "window/main_controls.h"

namespace tavrolin {
namespace {

namespace fs = std::filesystem;

class ValueLists : public ::testing::Test {
   protected:
    ValueLists() : main(platform) {
        buildMainControls(main.form);
        registerTemplateHandlers(main);
        fillValueLists(main);
    }
    void limits(const std::string& lower, const std::string& upper) {
        main.form.chooseByUser("L_LIMIT", std::stoi(lower));
        main.form.chooseByUser("U_LIMIT", std::stoi(upper));
    }
    ScriptedPlatform platform;
    Main main;
};

TEST_F(ValueLists, LimitLineShowsTheScaleAndTheBar) {
    limits("5", "20");
    EXPECT_EQ(main.form("Att").text, " display limits of object from 50m   " + std::string(5, '.') +
                                         std::string(15, 'I') + std::string(14, '.') + "   to 5km");
    limits("0", "34");
    EXPECT_EQ(main.form("Att").text,
              " display limits of object from 5m   " + std::string(34, 'I') + "   to 400km");
    main.russian = true;
    limits("7", "9");
    EXPECT_EQ(main.form("Att").text, " уровни видимости объекта c 100m   " + std::string(7, '.') +
                                         "II" + std::string(25, '.') + "   по 0.2km");
}

TEST_F(ValueLists, EqualOrInvertedLimitsGiveTheErrorLine) {
    limits("12", "12");
    EXPECT_EQ(main.form("Att").text, " ! display limits error, U_LIMIT must be more then L_LIMIT");
    limits("20", "5");
    EXPECT_EQ(main.form("Att").text, " ! display limits error, U_LIMIT must be more then L_LIMIT");
    EXPECT_EQ(main.form("L_LIMIT").text, "20");  // nothing is blocked
}

TEST_F(ValueLists, IconListTakesGifFilesOfAnyCase) {
    fs::path folder = fs::temp_directory_path() / ("tavrolin_icons_" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder / "icons");
    for (const char* file : {"wreck.gif", "Anchor.GIF", "buoy.Gif", "readme.txt", "gif"}) {
        std::ofstream(folder / "icons" / file) << "x";
    }
    fs::create_directories(folder / "icons" / "sub.gif");
    main.programFolder = folder.string() + "/";
    fillIconList(main);
    EXPECT_EQ(main.form("AICON").items, (std::vector<std::string>{"", "Anchor", "buoy", "wreck"}));
    EXPECT_EQ(main.form("AICON").text, "");
    EXPECT_EQ(main.form("P_ICON").items, (std::vector<std::string>{"NAME1", "HYDRO"}));
    EXPECT_EQ(platform.beeps, 0);
    fs::remove_all(folder);
}

TEST_F(ValueLists, MissingIconFolderIsReportedAndStartUpGoesOn) {
    main.programFolder = "/nonexistent/tavrolin/";
    fillIconList(main);
    EXPECT_EQ(main.form("AICON").items, (std::vector<std::string>{""}));
    EXPECT_EQ(main.form("Att").text, " ! place the folder with GIF icons next to the program");
    EXPECT_EQ(platform.beeps, 1);
    EXPECT_EQ(platform.pauses, (std::vector<int>{500}));
}

}  // namespace
}  // namespace tavrolin
