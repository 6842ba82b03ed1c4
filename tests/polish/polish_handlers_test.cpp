#include "polish/polish_handlers.h"

#include <gtest/gtest.h>

#include "polish/polish_fixture.h"
#include "store/scripted_platform.h"
#include "window/main_controls.h"

namespace tavrolin {
namespace {

using testing::crlf;
using testing::MapFolder;

class PolishHandlers : public ::testing::Test {
   protected:
    PolishHandlers() : main(platform) {
        main.programFolder = "/opt/tavrolin/";
        buildMainControls(main.form);
        registerPolishHandlers(main);
    }
    void click(const char* button, std::optional<std::string> answer) {
        platform.openFileReplies.push_back(std::move(answer));
        main.form.raise(button, Event::Click);
    }

    MapFolder folder;
    ScriptedPlatform platform;
    Main main;
};

TEST_F(PolishHandlers, CancelAsksForAMap) {
    main.russian = true;
    click("btnReadShp", std::nullopt);
    ASSERT_EQ(platform.fileQuestions.size(), 1u);
    EXPECT_EQ(platform.fileQuestions[0].startPath, "/opt/tavrolin/*.mp");
    EXPECT_EQ(platform.fileQuestions[0].filters.at(0),
              (std::pair<std::string, std::string>("Файл исходника карты .mp", "*.MP")));
    EXPECT_EQ(main.attLog.back(), " * для продолжения работы укажите исходный файл .MP");
    EXPECT_EQ(platform.beeps, 1);
}

TEST_F(PolishHandlers, MpWritesPointsAndRmRetypes) {
    const std::string map = crlf(
        "[IMG ID]\nName=A lake with a name long enough for the check of the first line "
        "ends\n[END-IMG ID]\n[POLYGON]\nType=0x3c\nLabel=7\nData0=(1,2)\n[END]\n");
    const std::string source = folder.write("lake.mp", map);
    click("btnReadShp", source);
    EXPECT_TRUE(folder.exists("lake-imc.mp"));
    EXPECT_FALSE(folder.exists("lake-rm.mp"));
    EXPECT_EQ(main.form("Source").text, source);

    // Without a file manager a box says where the map was written.
    platform.fileManagerPresent = false;
    click("btnReadRmp", source);
    EXPECT_NE(folder.read("lake-rm.mp").find("Type=0x403\r\nLabel=7\r\n"), std::string::npos);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].prompt.find(folder.path("lake-rm.mp")), std::string::npos);
    EXPECT_EQ(platform.messages[0].copyText, folder.path("lake-rm.mp"));
    EXPECT_FALSE(main.retypeRequested);
    // The dialog starts in the map's folder the next time.
    EXPECT_EQ(platform.fileQuestions.back().startPath, folder.path("*.mp"));
}

}  // namespace
}  // namespace tavrolin
