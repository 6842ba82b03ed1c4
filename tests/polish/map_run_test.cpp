#include "polish/map_run.h"

#include <gtest/gtest.h>

#include "polish/polish_fixture.h"
#include "store/scripted_platform.h"
#include "window/main_controls.h"

namespace tavrolin {
namespace {

using testing::crlf;
using testing::lf;
using testing::MapFolder;

// A header long enough for the opening check, and one named polygon.
const std::string kHeader = crlf(
    "[IMG ID]\nID=1\nName=Lake of a name long enough to fill the first hundred characters\n"
    "Levels=2\n[END-IMG ID]\n");
const std::string kNamed = crlf("[POLYGON]\nType=0x3c\nLabel=4\nData0=(1,2),(3,4)\n[END]\n");

class MapRun : public ::testing::Test {
   protected:
    MapRun() : main(platform) { buildMainControls(main.form); }
    const std::string& last() const { return main.attLog.back(); }

    MapFolder folder;
    ScriptedPlatform platform;
    Main main;
};

TEST(MapOutputPath, StaysBesideTheSource) {
    const std::pair<const char*, const char*> cases[] = {
        {"/maps/lake.mp", "/maps/lake-imc.mp"},
        {"/maps/lake.txt", "/maps/lake.-imc.mp"},
        {"/maps/озеро", "/maps/оз-imc.mp"},
        {"/maps/abcd", "/maps/a-imc.mp"},
        {"/maps/abc", "/maps/abc-imc.mp"},
        {"/maps/ab", "/maps/ab-imc.mp"},
        {"ab", "ab-imc.mp"},
        {"lake.mp", "lake-imc.mp"},
    };
    for (const auto& [source, output] : cases) EXPECT_EQ(mapOutputPath(source, "-imc.mp"), output);
}

TEST_F(MapRun, WritesLabelPointsAndShowsTheFile) {
    const std::string source = folder.write("lake.mp", kHeader + kNamed);
    WriteName(main, source);
    EXPECT_EQ(main.attLog.front(), " check source file...");
    EXPECT_EQ(last(), " points from the original polygons created successfully");
    EXPECT_EQ(folder.read("lake-imc.mp"),
              kHeader + crlf("\n[POI]\nType=0x2800\nLabel=4\nData0=(2,3)\n[END]\n\n"));
    EXPECT_EQ(platform.shownFiles, std::vector<std::string>{folder.path("lake-imc.mp")});
    EXPECT_FALSE(platform.busy);
}

TEST_F(MapRun, RetypesOnTheSchemeInForce) {
    const std::string source = folder.write("lake.mp", kHeader + kNamed);
    main.russian = true;
    main.drDepthScheme = true;
    WriteRmmp(main, source);
    EXPECT_EQ(last(), " файл с типами полигонов по цветовой схеме успешно создан");
    EXPECT_EQ(lf(folder.read("lake-rm.mp")),
              lf(kHeader) + "[POLYGON]\nType=0x305\nLabel=4\nData0=(1,2),(3,4)\n[END]\n");
}

TEST_F(MapRun, RefusalsAndFailures) {
    const std::string lfOnly = lf(kHeader + kNamed);
    struct Case {
        const char* name;
        std::string bytes;  // nothing: no file
        std::string message;
        bool outputLeft;
    };
    const std::string bad = kHeader + crlf("[POLYGON]\nLabel=A\nData0=(1;2)\n");
    const Case cases[] = {
        {"LF only", lfOnly, " ! unix style of linefeed is not supported...", false},
        {"short", crlf("[POLYGON]\nLabel=A\nData0=(1,2)\n"),
         " ! btnReadShp_Click: 62. input past end of file: " + folder.path("m.mp") +
             " holds 33 of the 100 characters checked first",
         false},
        {"empty", "",
         " ! btnReadShp_Click: 62. input past end of file: " + folder.path("m.mp") +
             " holds 0 of the 100 characters checked first",
         false},
        {"no named polygon", kHeader + crlf("[POLYGON]\nData0=(1,2)\n"),
         " * polygons with names in the source file not found", false},
        {"bad point, nothing written", bad,
         " ! btnReadShp_Click: 5. line 8: point without \",\": \"1;2\"", false},
        {"bad point after a record", kHeader + kNamed + crlf("[POLYGON]\nLabel=A\nData0=(x,2)\n"),
         " ! btnReadShp_Click: 13. line 13: coordinate is not a number: \"x\"", true},
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
    WriteName(main, folder.path("missing.mp"));
    EXPECT_EQ(last(), " * specify the source file .MP to continue");
    WriteName(main, folder.root().string());
    EXPECT_EQ(last(), " * specify the source file .MP to continue");
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

TEST_F(MapRun, ShowsProgressOncePerHundredthOfTheLines) {
    std::string body;
    for (int i = 0; i < 99; ++i) body += kNamed;  // 495 lines, 500 with the header
    WriteRmmp(main, folder.write("big.mp", kHeader + body));
    int bars = 0;
    for (const std::string& text : main.attLog) {
        if (text.rfind(" processing polygons: ", 0) == 0) {
            ++bars;
            EXPECT_EQ(text.size(), std::string(" processing polygons: ").size() + 100);
        }
    }
    EXPECT_EQ(bars, 100);
    EXPECT_EQ(main.attLog[main.attLog.size() - 2],
              " processing polygons: " + std::string(100, 'I'));
}

}  // namespace
}  // namespace tavrolin
