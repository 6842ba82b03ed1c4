// The map buttons end to end on files: the dialog, the opening checks, the output beside the
// source (never over it, deleted when nothing was made), the messages and the file shown at
// the end.
#include "polish/map_run.h"

#include <gtest/gtest.h>

#include "polish/polish_fixture.h"
#include "polish/polish_handlers.h"
#include "store/scripted_platform.h"
#include "window/main_controls.h"

namespace tavrolin {
namespace {

using testing::crlf;

// A header long enough for the opening check, and one named polygon.
const std::string kHeader = crlf(
    "[IMG ID]\nID=1\nName=Lake of a name long enough to fill the first hundred characters\n"
    "Levels=2\n[END-IMG ID]\n");
const std::string kNamed = crlf("[POLYGON]\nType=0x3c\nLabel=4\nData0=(1,2),(3,4)\n[END]\n");

class MapRun : public ::testing::Test {
   protected:
    MapRun() : main(platform) {
        main.programFolder = "/opt/tavrolin/";
        buildMainControls(main.form);
        registerPolishHandlers(main);
    }
    const std::string& last() const { return main.attLog.back(); }
    void click(const char* button, std::optional<std::string> answer) {
        platform.openFileReplies.push_back(std::move(answer));
        main.form.raise(button, Event::Click);
    }

    testing::MapFolder folder;
    ScriptedPlatform platform;
    Main main;
};

TEST(MapOutputPath, StaysBesideTheSource) {
    const std::pair<const char*, const char*> cases[] = {
        {"/maps/lake.mp", "/maps/lake-imc.mp"}, {"/maps/lake.txt", "/maps/lake.-imc.mp"},
        {"/maps/озеро", "/maps/оз-imc.mp"},     {"/maps/abcd", "/maps/a-imc.mp"},
        {"/maps/abc", "/maps/abc-imc.mp"},      {"ab", "ab-imc.mp"},
    };
    for (const auto& [source, output] : cases) EXPECT_EQ(mapOutputPath(source, "-imc.mp"), output);
}

TEST_F(MapRun, TheButtonsWritePointsAndRetypeOnTheSchemeInForceAndShowTheFile) {
    const std::string source = folder.write("lake.mp", kHeader + kNamed);
    click("btnReadShp", source);
    EXPECT_EQ(platform.fileQuestions.back().startPath, "/opt/tavrolin/*.mp");
    EXPECT_EQ(last(), " points from the original polygons created successfully");
    EXPECT_EQ(folder.read("lake-imc.mp"),
              kHeader + crlf("\n[POI]\nType=0x2800\nLabel=4\nData0=(2,3)\n[END]\n\n"));
    EXPECT_EQ(platform.shownFiles, std::vector<std::string>{folder.path("lake-imc.mp")});
    EXPECT_FALSE(folder.exists("lake-rm.mp"));

    // Without a file manager a box says where the map was written; the dialog starts in the
    // map's folder the next time.
    main.russian = true;
    main.drDepthScheme = true;
    platform.fileManagerPresent = false;
    click("btnReadRmp", source);
    EXPECT_EQ(platform.fileQuestions.back().startPath, folder.path("*.mp"));
    EXPECT_EQ(last(), " файл с типами полигонов по цветовой схеме успешно создан");
    EXPECT_EQ(folder.read("lake-rm.mp"),
              kHeader + crlf("[POLYGON]\nType=0x305\nLabel=4\nData0=(1,2),(3,4)\n[END]\n"));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].prompt.find(folder.path("lake-rm.mp")), std::string::npos);
    EXPECT_EQ(platform.messages[0].copyText, folder.path("lake-rm.mp"));

    click("btnReadShp", std::nullopt);  // cancelled
    EXPECT_EQ(platform.fileQuestions.back().filters.at(0),
              (std::pair<std::string, std::string>("Файл исходника карты .mp", "*.MP")));
    EXPECT_EQ(last(), " * для продолжения работы укажите исходный файл .MP");
    EXPECT_EQ(platform.beeps, 1);
}

TEST_F(MapRun, RefusalsAndFailures) {
    struct Case {
        const char* name;
        std::string bytes;
        std::string message;
        bool outputLeft;
    };
    const std::string head = " ! btnReadShp_Click: ";
    const Case cases[] = {
        {"LF only", testing::lf(kHeader + kNamed), " ! unix style of linefeed is not supported...",
         false},
        {"short", crlf("[POLYGON]\nLabel=A\nData0=(1,2)\n"),
         head + "62. input past end of file: " + folder.path("m.mp") +
             " holds 33 of the 100 characters checked first",
         false},
        {"empty", "",
         head + "62. input past end of file: " + folder.path("m.mp") +
             " holds 0 of the 100 characters checked first",
         false},
        {"no named polygon", kHeader + crlf("[POLYGON]\nData0=(1,2)\n"),
         " * polygons with names in the source file not found", false},
        {"bad point, nothing written", kHeader + crlf("[POLYGON]\nLabel=A\nData0=(1;2)\n"),
         head + "5. line 8: point without \",\": \"1;2\"", false},
        {"bad point after a record", kHeader + kNamed + crlf("[POLYGON]\nLabel=A\nData0=(x,2)\n"),
         head + "13. line 13: coordinate is not a number: \"x\"", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(folder.path("m-imc.mp"));
        const int beeps = platform.beeps;
        WriteName(main, folder.write("m.mp", c.bytes));
        EXPECT_EQ(last(), c.message);
        EXPECT_EQ(platform.beeps, beeps + 1);
        EXPECT_EQ(folder.exists("m-imc.mp"), c.outputLeft);
        EXPECT_FALSE(platform.busy);
    }
    for (const std::string& missing : {folder.path("missing.mp"), folder.root().string()}) {
        WriteName(main, missing);
        EXPECT_EQ(last(), " * specify the source file .MP to continue");
    }
}

TEST_F(MapRun, NeverWritesOverTheSource) {
    // The output's name is a link to the source: the run refuses, and the source stays. Where
    // symbolic links need a privilege (Windows), a second hard link does.
    const std::string source = folder.write("lake.mp", kHeader + kNamed);
    std::error_code noSymlinks;
    std::filesystem::create_symlink(source, folder.path("lake-imc.mp"), noSymlinks);
    if (noSymlinks) std::filesystem::create_hard_link(source, folder.path("lake-imc.mp"));
    WriteName(main, source);
    EXPECT_EQ(last(), " ! btnReadShp_Click: 58. the output " + folder.path("lake-imc.mp") +
                          " is the source itself");
    EXPECT_EQ(folder.read("lake.mp"), kHeader + kNamed);
}

}  // namespace
}  // namespace tavrolin
