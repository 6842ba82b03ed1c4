#include "app/drop_routing.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/main_window.h"
#include "app/table_fixture.h"
#include "store/scripted_platform.h"

namespace tavrolin {
namespace {

using testing::allColorColumns;
using testing::tableBytes;
using testing::TempFolder;
using testing::templateFields;
using testing::writeBytes;

namespace fs = std::filesystem;

TEST(DropRouting, ExtensionAndShiftChooseTheAction) {
    struct Case {
        const char* path;
        bool shift;
        DropAction action;
    } cases[] = {
        {"/m/a.dbf", false, DropAction::Source},    {"/m/a.DBF", true, DropAction::Source},
        {"/m/a.mp", false, DropAction::LabelMap},   {"/m/a.Mp", true, DropAction::RetypeMap},
        {"/m/a.mp.txt", false, DropAction::Refuse}, {"/m/dbf", false, DropAction::Refuse},
        {"/m/a.shp", false, DropAction::Refuse},    {"", false, DropAction::Refuse},
    };
    for (const Case& c : cases) EXPECT_EQ(dropActionFor(c.path, c.shift), c.action) << c.path;
}

class DropOnWindow : public ::testing::Test {
   protected:
    void SetUp() override {
        writeBytes(home / "Tavrolin.dbf",
                   tableBytes(templateFields(allColorColumns()),
                              {{"0", "0x28", "More", "Sea", "0", "34", "16", "0"}}));
        fs::copy_file(fs::path(TAVROLIN_SOURCE_DIR) / "examples/lake_areas.dbf",
                      maps / "lake_areas.dbf");
        window.load();
    }
    Main& main() { return window.main(); }

    TempFolder home, maps;
    ScriptedPlatform platform{1033};
    MainWindow window{platform, StartOptions{home.folder(), "", false, false}};
};

TEST_F(DropOnWindow, ADroppedTableIsTheSourceWithoutAskingAndNothingIsLeftForTheNextDialog) {
    dropFiles(main(), {maps / "lake_areas.dbf", maps / "other.dbf"}, false);
    EXPECT_TRUE(platform.fileQuestions.empty());
    EXPECT_EQ(main().form("Source").text, maps / "lake_areas.dbf");
    EXPECT_EQ(main().sourceFileName, "lake_areas.dbf");

    // A map dropped on a window whose map button asks nothing leaves no answer behind.
    dropFiles(main(), {maps / "lake.mp"}, true);
    EXPECT_FALSE(platform.takeOpenFileAnswer());
    main().form.raise("btnSource", Event::Click);
    EXPECT_EQ(platform.fileQuestions.size(), 1u);
}

TEST_F(DropOnWindow, OtherFilesAndDisabledButtonsAreRefused) {
    const std::size_t lines = main().attLog.size();
    const int beeps = platform.beeps;
    dropFiles(main(), {maps / "lake.shp"}, false);
    ASSERT_EQ(main().attLog.size(), lines + 1);
    EXPECT_EQ(main().attLog.back(), " * drop a .DBF or .MP file: " + (maps / "lake.shp"));
    EXPECT_EQ(platform.beeps, beeps + 1);

    main().form.setEnabled("btnSource", false);
    dropFiles(main(), {maps / "lake_areas.dbf"}, false);
    EXPECT_EQ(main().form("Source").text.find("lake_areas"), std::string::npos);
    EXPECT_EQ(platform.beeps, beeps + 2);
}

}  // namespace
}  // namespace tavrolin
