#include "app/program_home.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>

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

std::string readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeText(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

TEST(ProgramHome, ChoiceFollowsWhereTheTemplateIsAndWhoMayWriteThere) {
    const std::string exe = "/opt/t/bin/", share = "/opt/t/share/tavrolin/", user = "/u/tavrolin/";
    struct Case {
        bool writable, beside;
        std::string installed, user, home, seed;
    } cases[] = {
        // Portable: a writable folder with its template, even when an installed copy exists.
        {true, true, "", user, exe, ""},
        {true, true, share, user, exe, ""},
        // Read-only beside the template (a system-wide or read-only portable copy).
        {false, true, "", user, user, exe},
        // Installed: the template in share/tavrolin; run by root the bin folder is writable.
        {false, false, share, user, user, share},
        {true, false, share, user, user, share},
        // No template anywhere: the executable's folder when writable, as before.
        {true, false, "", user, exe, ""},
        {false, false, "", user, user, ""},
        {false, false, "", "", exe, ""},
    };
    for (const Case& c : cases) {
        HomeFacts facts{exe, c.writable, c.beside, c.installed, c.user};
        const ProgramHome home = chooseProgramHome(facts);
        EXPECT_EQ(home.folder, c.home) << c.writable << c.beside << c.installed << c.user;
        EXPECT_EQ(home.seedFrom, c.seed) << c.writable << c.beside << c.installed << c.user;
    }
}

#ifndef _WIN32  // the XDG data folder and PREFIX/share are the Unix layout
TEST(ProgramHome, UserDataFolderTakesOnlyAbsoluteVariables) {
    EXPECT_EQ(userDataFolder("/x/data", "/home/a"), "/x/data/tavrolin/");
    EXPECT_EQ(userDataFolder("/x/data/", "/home/a"), "/x/data/tavrolin/");
    EXPECT_EQ(userDataFolder("relative", "/home/a"), "/home/a/.local/share/tavrolin/");
    EXPECT_EQ(userDataFolder("", "/home/a"), "/home/a/.local/share/tavrolin/");
    EXPECT_EQ(userDataFolder(nullptr, "/home/a/"), "/home/a/.local/share/tavrolin/");
    EXPECT_EQ(userDataFolder(nullptr, nullptr), "");
    EXPECT_EQ(userDataFolder(nullptr, "home"), "");
    EXPECT_EQ(installedDataFolderFor("/usr/bin/"), "/usr/share/tavrolin/");
    EXPECT_EQ(installedDataFolderFor("/usr/local/bin"), "/usr/local/share/tavrolin/");
}
#endif

TEST(ProgramHome, SeedingCopiesOnlyWhatIsMissingAndLeavesTheInstalledCopyAlone) {
    TempFolder root;
    const fs::path installed = root / "share", home = root / "home/tavrolin";
    writeText(installed / "Tavrolin.dbf", "installed template");
    writeText(installed / "icons/a.gif", "a");
    writeText(installed / "README.md", "guide");
    writeText(home / "Tavrolin.dbf", "user's template");

    ASSERT_TRUE(seedHome(installed.string() + "/", home.string() + "/").isOk());
    EXPECT_EQ(readText(home / "Tavrolin.dbf"), "user's template");
    EXPECT_EQ(readText(home / "icons/a.gif"), "a");
    EXPECT_EQ(readText(home / "README.md"), "guide");
    EXPECT_EQ(readText(installed / "Tavrolin.dbf"), "installed template");

    // A second start keeps the user's files and brings an icon added to the installed folder.
    writeText(home / "icons/a.gif", "edited");
    writeText(installed / "icons/b.gif", "b");
    ASSERT_TRUE(seedHome(installed.string() + "/", home.string() + "/").isOk());
    EXPECT_EQ(readText(home / "icons/a.gif"), "edited");
    EXPECT_EQ(readText(home / "icons/b.gif"), "b");
    EXPECT_FALSE(seedHome(root / "nowhere/", home.string() + "/").isOk());

    // Read-only installed folders and files give folders and files the user may change.
    const fs::path fresh = root / "fresh";
    fs::permissions(installed / "icons/a.gif", fs::perms::owner_read | fs::perms::group_read);
    fs::permissions(installed / "icons", fs::perms::owner_read | fs::perms::owner_exec);
    ASSERT_TRUE(seedHome(installed.string() + "/", fresh.string() + "/").isOk());
    fs::permissions(installed / "icons", fs::perms::owner_all);  // for the clean-up
    EXPECT_NE(fs::status(fresh / "icons").permissions() & fs::perms::owner_write, fs::perms::none);
    EXPECT_NE(fs::status(fresh / "icons/a.gif").permissions() & fs::perms::owner_write,
              fs::perms::none);
}

#ifndef _WIN32  // PREFIX/bin and PREFIX/share, and the XDG data folder, are the Unix layout
TEST(ProgramHome, AnInstalledProgramStartsInTheSeededUserFolder) {
    TempFolder root;
    const std::string prefix = root / "usr";
    fs::create_directories(prefix + "/bin");
    fs::create_directories(prefix + "/share/tavrolin");
    writeBytes(prefix + "/share/tavrolin/Tavrolin.dbf",
               tableBytes(templateFields(allColorColumns()),
                          {{"0", "0x28", "More", "Sea", "0", "34", "16", "0"}}));
    const std::string data = root / "data";
    ::setenv("XDG_DATA_HOME", data.c_str(), 1);

    ScriptedPlatform platform(1033);
    MainWindow window(platform, StartOptions{"", prefix + "/bin/tavrolin", false, false});
    window.load();
    ::unsetenv("XDG_DATA_HOME");

    EXPECT_EQ(window.main().programFolder, data + "/tavrolin/");
    EXPECT_TRUE(window.main().templateUsable);
    EXPECT_TRUE(fs::exists(data + "/tavrolin/Tavrolin.dbf"));
    window.unload();
}
#endif

}  // namespace
}  // namespace tavrolin
