// Start-up: the language, the program's folder and home (portable or installed, seeded from the
// installed files), the template found in any letter case and checked before it is trusted; and
// files dropped on the started window.
#include "app/startup.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "app/drop_routing.h"
#include "app/main_window.h"
#include "app/program_home.h"
#include "app/table_fixture.h"
#include "store/file_io.h"
#include "store/scripted_platform.h"

namespace tavrolin {
namespace {

using testing::allColorColumns;
using testing::readBytes;
using testing::tableBytes;
using testing::TempFolder;
using testing::templateFields;
using testing::writeBytes;

namespace fs = std::filesystem;

const std::vector<std::vector<std::string>> kRows = {
    {"0", "0x28", "More", "Sea", "0", "34", "16", "0"},
    {"1", "0x15", "Bereg", "Shoreline", "0", "34", "1", "0"},
    {"2", "0x6616", "Vershina", "Summit", "0", "19", "160", "0"}};

void writeTemplate(const std::string& path) {
    writeBytes(path, tableBytes(templateFields(allColorColumns()), kRows));
}

bool logHas(const Main& main, const std::string& start) {
    return std::any_of(main.attLog.begin(), main.attLog.end(),
                       [&](const std::string& line) { return line.rfind(start, 0) == 0; });
}

// A window started on a home folder (or an executable's path) with a scripted platform.
struct Started {
    ScriptedPlatform platform;
    MainWindow window;
    Started(const StartOptions& options, int language = 1033)
        : platform(language), window(platform, options) {
        window.load();
    }
    Main& main() { return window.main(); }
    const Form& form() { return window.form(); }
};

// The locale's reading is the command line's test; here the option wins over the platform.
TEST(Startup, TheLanguageOptionWinsOverThePlatform) {
    ScriptedPlatform russianDesktop(1049);
    EXPECT_TRUE(startsInRussian(russianDesktop, StartOptions{}));
    EXPECT_FALSE(startsInRussian(russianDesktop, StartOptions{"", "", false, false}));
}

TEST(Startup, ProgramFolderEndsWithOneSeparator) {
    // Folders as the system writes them: "/opt/t/" here, "C:\opt\t\" where a drive is the root.
    const char separator = store::io::kPathSeparator;
    const std::string root = separator == '/' ? "/" : std::string("C:") + separator;
    const auto at = [&](std::string path) {
        std::replace(path.begin(), path.end(), '/', separator);
        return root + path;
    };
    EXPECT_EQ(withTrailingSeparator(root), root);
    EXPECT_EQ(withTrailingSeparator(at("opt/tavrolin")), at("opt/tavrolin/"));
    EXPECT_EQ(programFolderFor(StartOptions{"", at("tavrolin"), std::nullopt, false}), root);
    EXPECT_EQ(
        programFolderFor(StartOptions{at("srv/maps/"), at("opt/t/tavrolin"), std::nullopt, false}),
        at("srv/maps/"));
}

TEST(Startup, TemplateIsFoundWhateverItsLetterCaseAndWhateverTheProgramIsCalled) {
    TempFolder home;
    writeTemplate(home / "Tavrolin.dbf");
    EXPECT_EQ(findIgnoringCase(home.folder(), "TAVROLIN.DBF"), "Tavrolin.dbf");
    EXPECT_EQ(findIgnoringCase(home.folder(), "Tavrolin.dbf.bak"), std::nullopt);
    EXPECT_EQ(findIgnoringCase(home / "missing", "Tavrolin.dbf"), std::nullopt);
    for (const char* program : {"tavrolin", "charts"}) {
        Started started(StartOptions{"", home / program, false, false});
        Main& main = started.main();
        EXPECT_EQ(main.programFolder, home.folder());
        EXPECT_EQ(main.templateFileName, "Tavrolin.dbf");
        EXPECT_EQ(main.templateColumnCount, 13);
        EXPECT_TRUE(started.form()("MP_TYPE").enabled);
        started.window.unload();
        EXPECT_FALSE(main.connection.isOpen());
        started.window.unload();  // a second close is harmless
    }
}

TEST(Startup, MissingTemplateDisablesWhatNeedsIt) {
    TempFolder home;
    Started started(StartOptions{home.folder(), "", std::nullopt, true}, 1049);
    Main& main = started.main();
    for (const char* name : {"MP_TYPE", "btnAtrSave", "btnMakeType", "btnMakeSkin"}) {
        EXPECT_FALSE(started.form()(name).enabled) << name;
    }
    EXPECT_TRUE(logHas(main, " ! список типов " + home.folder() + "Tavrolin.dbf не найден"));
    EXPECT_EQ(started.form()("STRT").interval, 0);
    // Operations that need the template say so instead of working on nothing.
    const int beeps = started.platform.beeps;
    EXPECT_FALSE(main.templateReady());
    EXPECT_EQ(main.attLog.back().rfind(" ! список типов ", 0), 0u);
    EXPECT_EQ(started.platform.beeps, beeps + 1);
}

TEST(Startup, DamagedTemplateIsReportedAndNeverTouched) {
    const auto good = tableBytes(templateFields({"CLRRGB"}), kRows);
    auto truncated = good;
    truncated.resize(truncated.size() - 20);
    auto noTerminator = good;
    noTerminator[(good[8] | (good[9] << 8)) - 1] = 'X';
    auto wrongLength = good;
    wrongLength[10] = static_cast<std::uint8_t>(wrongLength[10] + 3);
    const std::vector<std::uint8_t> headerPastEnd(good.begin(), good.begin() + 100);
    for (const auto& [what, bytes] : {std::pair{"truncated", truncated},
                                      {"no terminator", noTerminator},
                                      {"record length", wrongLength},
                                      {"header past end", headerPastEnd}}) {
        SCOPED_TRACE(what);
        TempFolder home;
        writeBytes(home / "Tavrolin.dbf", bytes);
        EXPECT_FALSE(checkTableFile(home / "Tavrolin.dbf"));
        Started started(StartOptions{home.folder(), "", false, true});  // an upgrade runs at once
        EXPECT_FALSE(started.main().templateUsable);
        EXPECT_FALSE(started.form()("MP_TYPE").enabled);
        EXPECT_EQ(started.form()("STRT").interval, 0);
        EXPECT_TRUE(logHas(started.main(),
                           " ! list of types " + home.folder() + "Tavrolin.dbf cannot be read: "));
        EXPECT_EQ(readBytes(home / "Tavrolin.dbf"), bytes);
        EXPECT_FALSE(fs::exists(home / "Tavrolin.dbf.bak"));
        EXPECT_FALSE(fs::exists(home / "Migrova.dbf"));
    }
    TempFolder home;
    writeBytes(home / "Tavrolin.dbf", good);
    EXPECT_TRUE(checkTableFile(home / "Tavrolin.dbf"));
    // A character column wider than 255 bytes is whole, not damaged.
    auto fields = templateFields(allColorColumns());
    fields.push_back({"INFO_BOX", 'C', 300});
    writeBytes(home / "Tavrolin.dbf", tableBytes(fields, kRows));
    EXPECT_TRUE(checkTableFile(home / "Tavrolin.dbf"));
}

#ifndef _WIN32  // permissions and user ids of POSIX
// A template this user may not read is a permission failure (70), not a missing file (53). As
// root, who reads anything, the check runs in a child that has given up root.
TEST(Startup, ATemplateThisUserMayNotReadIsError70) {
    TempFolder home;
    writeTemplate(home / "Tavrolin.dbf");
    fs::permissions(home / "Tavrolin.dbf", fs::perms::none);
    const auto check = [&] { return checkTableFile(home / "Tavrolin.dbf").number(); };
    int number = 0;
    if (::geteuid() != 0) {
        number = check();
    } else {
        int pipeEnds[2];
        ASSERT_EQ(::pipe(pipeEnds), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(pipeEnds[0]);
            if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(3);
            const int got = check();
            (void)!::write(pipeEnds[1], &got, sizeof got);
            ::_exit(0);
        }
        ::close(pipeEnds[1]);
        ASSERT_EQ(::read(pipeEnds[0], &number, sizeof number), static_cast<ssize_t>(sizeof number));
        ::close(pipeEnds[0]);
        int status = 0;
        ::waitpid(child, &status, 0);
    }
    EXPECT_EQ(number, err::kPermissionDenied);
    EXPECT_EQ(checkTableFile(home / "Missing.dbf").number(), err::kFileNotFound);
}
#endif

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
        const ProgramHome home =
            chooseProgramHome(HomeFacts{exe, c.writable, c.beside, c.installed, c.user});
        SCOPED_TRACE(std::to_string(c.writable) + std::to_string(c.beside) + c.installed + c.user);
        EXPECT_EQ(home.folder, c.home);
        EXPECT_EQ(home.seedFrom, c.seed);
    }
}

std::string readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeText(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

TEST(ProgramHome, SeedingCopiesOnlyWhatIsMissingAndLeavesTheInstalledCopyAlone) {
    TempFolder root;
    const fs::path installed = root / "share", home = root / "home/tavrolin";
    writeText(installed / "Tavrolin.dbf", "installed template");
    writeText(installed / "icons/a.gif", "a");
    writeText(home / "Tavrolin.dbf", "user's template");
    ASSERT_TRUE(seedHome(installed.string() + "/", home.string() + "/").isOk());
    EXPECT_EQ(readText(home / "Tavrolin.dbf"), "user's template");
    EXPECT_EQ(readText(home / "icons/a.gif"), "a");
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
    for (const fs::path& made : {fresh / "icons", fresh / "icons/a.gif"}) {
        EXPECT_NE(fs::status(made).permissions() & fs::perms::owner_write, fs::perms::none);
    }
}

#ifndef _WIN32  // PREFIX/bin and PREFIX/share, and the XDG data folder, are the Unix layout
TEST(ProgramHome, AnInstalledProgramStartsInTheSeededUserFolder) {
    EXPECT_EQ(userDataFolder("relative", "/home/a"), "/home/a/.local/share/tavrolin/");
    EXPECT_EQ(userDataFolder(nullptr, "home"), "");
    EXPECT_EQ(installedDataFolderFor("/usr/local/bin"), "/usr/local/share/tavrolin/");

    TempFolder root;
    const std::string prefix = root / "usr";
    fs::create_directories(prefix + "/bin");
    fs::create_directories(prefix + "/share/tavrolin");
    writeTemplate(prefix + "/share/tavrolin/Tavrolin.dbf");
    const std::string data = root / "data";
    ::setenv("XDG_DATA_HOME", data.c_str(), 1);
    Started started(StartOptions{"", prefix + "/bin/tavrolin", false, false});
    ::unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(started.main().programFolder, data + "/tavrolin/");
    EXPECT_TRUE(started.main().templateUsable);
    EXPECT_TRUE(fs::exists(data + "/tavrolin/Tavrolin.dbf"));
}
#endif

TEST(DropRouting, ExtensionAndShiftChooseTheAction) {
    const std::tuple<const char*, bool, DropAction> cases[] = {
        {"/m/a.dbf", false, DropAction::Source},    {"/m/a.DBF", true, DropAction::Source},
        {"/m/a.mp", false, DropAction::LabelMap},   {"/m/a.Mp", true, DropAction::RetypeMap},
        {"/m/a.mp.txt", false, DropAction::Refuse}, {"/m/dbf", false, DropAction::Refuse},
        {"/m/a.shp", false, DropAction::Refuse},    {"", false, DropAction::Refuse},
    };
    for (const auto& [path, shift, action] : cases) EXPECT_EQ(dropActionFor(path, shift), action);
}

// A table dropped on the window is read without a question (the workflow test drops one); a
// drop whose button asks nothing leaves no answer for the next dialog, and a disabled button
// takes no drop.
TEST(DropRouting, LeavesNoAnswerBehindAndADisabledButtonOnlyBeeps) {
    TempFolder home;
    writeTemplate(home / "Tavrolin.dbf");
    Started started(StartOptions{home.folder(), "", false, false});
    Main& main = started.main();
    ScriptedPlatform& platform = started.platform;
    dropFiles(main, {home / "lake.mp"}, true);
    EXPECT_FALSE(platform.takeOpenFileAnswer());
    main.form.raise("btnSource", Event::Click);
    EXPECT_EQ(platform.fileQuestions.size(), 1u);

    const int beeps = platform.beeps;
    const std::size_t lines = main.attLog.size();
    const std::string shown = main.form("Source").text;
    main.form.setEnabled("btnSource", false);
    dropFiles(main, {home / "Tavrolin.dbf"}, false);
    EXPECT_EQ(main.form("Source").text, shown);
    EXPECT_FALSE(platform.takeOpenFileAnswer());
    EXPECT_EQ(main.attLog.size(), lines);
    EXPECT_EQ(platform.beeps, beeps + 1);
}

}  // namespace
}  // namespace tavrolin
