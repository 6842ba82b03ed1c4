#include "app/startup.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include "app/main_window.h"
#include "app/table_fixture.h"
#include "store/file_io.h"
#include "store/scripted_platform.h"
#include "templates/palette.h"
#include "templates/type_lists.h"

namespace tavrolin {
namespace {

using testing::allColorColumns;
using testing::readBytes;
using testing::tableBytes;
using testing::TempFolder;
using testing::templateFields;
using testing::writeBytes;

namespace fs = std::filesystem;

std::vector<std::vector<std::string>> someRows() {
    return {{"0", "0x28", "More", "Sea", "0", "34", "16", "0"},
            {"1", "0x15", "Bereg", "Shoreline", "0", "34", "1", "0"},
            {"2", "0x6616", "Vershina", "Summit", "0", "19", "160", "0"}};
}

void writeTemplate(const std::string& path) {
    writeBytes(path, tableBytes(templateFields(allColorColumns()), someRows()));
}

bool contains(const std::vector<std::string>& log, const std::string& text) {
    return std::find(log.begin(), log.end(), text) != log.end();
}

TEST(Startup, LanguageComesFromTheLocaleOnlyForRussia) {
    EXPECT_EQ(languageFromLocale("ru_RU.UTF-8"), 1049);
    EXPECT_EQ(languageFromLocale("ru"), 1049);
    EXPECT_EQ(languageFromLocale("ru_UA.UTF-8"), 1033);
    EXPECT_EQ(languageFromLocale("uk_UA"), 1033);
    EXPECT_EQ(languageFromLocale("C"), 1033);

    TempFolder home;
    writeTemplate(home / "Tavrolin.dbf");
    for (const auto& [locale, russian] : std::map<std::string, bool>{
             {"ru_RU.UTF-8", true}, {"ru_UA.UTF-8", false}, {"uk_UA", false}, {"C", false}}) {
        ScriptedPlatform platform(languageFromLocale(locale));
        MainWindow window(platform, StartOptions{home.folder(), "", std::nullopt, false});
        window.load();
        const Form& form = window.form();
        EXPECT_EQ(window.main().russian, russian) << locale;
        EXPECT_EQ(form("btnLang").caption, russian ? "EN" : "RU") << locale;
        EXPECT_EQ(form("TrnCase").visible, russian) << locale;
        EXPECT_EQ(form("Source").text,
                  russian ? " Укажите файл с исходными атрибутами шейпов в DBF-формате"
                          : " Select source shape file in DBF-format")
            << locale;
    }
    // The command line's --lang wins over the platform.
    ScriptedPlatform russianDesktop(1049);
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
    EXPECT_EQ(withTrailingSeparator(at("opt/tavrolin/")), at("opt/tavrolin/"));
    EXPECT_EQ(programFolderFor(StartOptions{root, "", std::nullopt, false}), root);
    EXPECT_EQ(programFolderFor(StartOptions{"", at("tavrolin"), std::nullopt, false}), root);
    EXPECT_EQ(programFolderFor(StartOptions{"", at("opt/t/tavrolin"), std::nullopt, false}),
              at("opt/t/"));
    EXPECT_EQ(
        programFolderFor(StartOptions{at("srv/maps/"), at("opt/t/tavrolin"), std::nullopt, false}),
        at("srv/maps/"));

    // Installed at the root: the missing-template message names "/Tavrolin.dbf", not "//...".
    ScriptedPlatform platform;
    MainWindow window(platform, StartOptions{root, at("tavrolin"), false, false});
    if (!fs::exists(at("Tavrolin.dbf")) && !fs::exists(at("tavrolin.dbf"))) {
        window.load();
        EXPECT_EQ(window.main().programFolder, root);
        EXPECT_TRUE(contains(window.main().attLog,
                             " ! list of types " + at("Tavrolin.dbf") + " not found"));
    }
}

TEST(Startup, TemplateIsFoundWhateverItsLetterCase) {
    TempFolder home;
    writeTemplate(home / "Tavrolin.dbf");
    EXPECT_EQ(findIgnoringCase(home.folder(), "tavrolin.dbf"), "Tavrolin.dbf");
    EXPECT_EQ(findIgnoringCase(home.folder(), "TAVROLIN.DBF"), "Tavrolin.dbf");
    EXPECT_EQ(findIgnoringCase(home.folder(), "Tavrolin.dbf.bak"), std::nullopt);
    EXPECT_EQ(findIgnoringCase(home / "missing", "Tavrolin.dbf"), std::nullopt);

    ScriptedPlatform platform;
    MainWindow window(platform, StartOptions{"", home / "tavrolin", false, false});
    // The binary lives in the home folder here: give the executable path inside it.
    window.load();
    Main& main = window.main();
    EXPECT_EQ(main.programFolder, home.folder());
    EXPECT_EQ(main.templateFileName, "Tavrolin.dbf");
    EXPECT_EQ(main.programName, "Tavrolin");
    EXPECT_TRUE(main.templateUsable);
    EXPECT_EQ(main.templateColumnCount, 13);
    EXPECT_TRUE(window.form()("MP_TYPE").enabled);

    // A program file of another name uses the same template.
    ScriptedPlatform other;
    MainWindow renamed(other, StartOptions{"", home / "charts", false, false});
    renamed.load();
    EXPECT_TRUE(renamed.main().templateUsable);
    EXPECT_EQ(renamed.main().templateFileName, "Tavrolin.dbf");
}

TEST(Startup, MissingTemplateDisablesWhatNeedsIt) {
    TempFolder home;
    ScriptedPlatform platform(1049);
    MainWindow window(platform, StartOptions{home.folder(), "", std::nullopt, true});
    window.load();
    Main& main = window.main();
    const Form& form = window.form();
    for (const char* name : {"MP_TYPE", "btnAtrSave", "btnMakeType", "btnMakeSkin"}) {
        EXPECT_FALSE(form(name).enabled) << name;
    }
    EXPECT_TRUE(
        contains(main.attLog, " ! список типов " + home.folder() + "Tavrolin.dbf не найден"));
    EXPECT_GE(platform.beeps, 1);
    EXPECT_EQ(form("STRT").interval, 0);
    EXPECT_FALSE(main.connection.isOpen());
    EXPECT_EQ(form("Source").text, " Укажите файл с исходными атрибутами шейпов в DBF-формате");

    // Operations that need the template say so instead of working on nothing.
    int beeps = platform.beeps;
    EXPECT_FALSE(main.templateReady());
    EXPECT_EQ(main.attLog.back().rfind(" ! список типов ", 0), 0u);
    EXPECT_EQ(platform.beeps, beeps + 1);
}

TEST(Startup, DamagedTemplateIsReportedAndNeverTouched) {
    auto good = tableBytes(templateFields({"CLRRGB"}), someRows());
    auto truncated = good;
    truncated.resize(truncated.size() - 20);
    auto noTerminator = good;
    const std::size_t headerLength = good[8] | (good[9] << 8);
    noTerminator[headerLength - 1] = 'X';
    auto wrongLength = good;
    wrongLength[10] = static_cast<std::uint8_t>(wrongLength[10] + 3);
    auto headerPastEnd = std::vector<std::uint8_t>(good.begin(), good.begin() + 100);

    for (const auto& [what, bytes] :
         std::map<std::string, std::vector<std::uint8_t>>{{"truncated", truncated},
                                                          {"no terminator", noTerminator},
                                                          {"record length", wrongLength},
                                                          {"header past end", headerPastEnd}}) {
        TempFolder home;
        writeBytes(home / "Tavrolin.dbf", bytes);
        EXPECT_FALSE(checkTableFile(home / "Tavrolin.dbf")) << what;

        ScriptedPlatform platform;
        MainWindow window(platform, StartOptions{home.folder(), "", false, true});
        window.load();  // headless: an upgrade would run right away
        Main& main = window.main();
        EXPECT_FALSE(main.templateUsable) << what;
        EXPECT_FALSE(window.form()("MP_TYPE").enabled) << what;
        EXPECT_EQ(window.form()("STRT").interval, 0) << what;
        bool reported = std::any_of(main.attLog.begin(), main.attLog.end(), [&](auto& line) {
            return line.rfind(" ! list of types " + home.folder() + "Tavrolin.dbf cannot be read: ",
                              0) == 0;
        });
        EXPECT_TRUE(reported) << what;
        EXPECT_EQ(readBytes(home / "Tavrolin.dbf"), bytes) << what;
        EXPECT_FALSE(fs::exists(home / "Tavrolin.dbf.bak")) << what;
        EXPECT_FALSE(fs::exists(home / "Migrova.dbf")) << what;
    }
    TempFolder home;
    writeBytes(home / "Tavrolin.dbf", good);
    EXPECT_TRUE(checkTableFile(home / "Tavrolin.dbf"));

    // A character column wider than 255 bytes is whole, not damaged.
    auto fields = templateFields(allColorColumns());
    fields.push_back({"INFO_BOX", 'C', 300});
    writeBytes(home / "Tavrolin.dbf", tableBytes(fields, someRows()));
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

TEST(Startup, UnloadClosesTheConnection) {
    TempFolder home;
    writeTemplate(home / "Tavrolin.dbf");
    ScriptedPlatform platform;
    MainWindow window(platform, StartOptions{home.folder(), "", false, false});
    window.load();
    EXPECT_TRUE(window.main().connection.isOpen());
    window.unload();
    EXPECT_FALSE(window.main().connection.isOpen());
    window.unload();  // a second close is harmless
}

// The build installs the generated template and icons beside the program: a new user starts
// with types of every kind, every icon the template names, and a drawable chart.
TEST(Startup, FreshInstallListsTheShippedTypes) {
    const std::string build = std::string(TAVROLIN_BINARY_DIR) + "/";
    if (!fs::exists(build + "Tavrolin.dbf")) GTEST_SKIP() << "the shipped data is not built";
    TempFolder home;
    fs::copy_file(build + "Tavrolin.dbf", home / "Tavrolin.dbf");
    fs::copy(build + "icons", home / "icons");

    ScriptedPlatform platform;
    MainWindow window(platform, StartOptions{"", home / "tavrolin", false, true});
    window.load();
    Main& main = window.main();
    ASSERT_TRUE(main.templateUsable);
    EXPECT_EQ(main.templateColumnCount, 35);
    EXPECT_EQ(window.form()("STRT").interval, 0);
    EXPECT_FALSE(fs::exists(home / "Tavrolin.dbf.bak"));
    const int atLeast[] = {60, 40, 120};
    for (int kind = 0; kind < 3; ++kind) {
        window.form().setValue("SVID", 1, kind);
        EXPECT_GE(window.form()("MP_TYPE").listCount(), atLeast[kind]) << kind;
    }

    // Every icon named by the template is in the icon list, and every row is drawable.
    const auto& icons = window.form()("AICON").items;
    std::set<std::string> iconNames(icons.begin(), icons.end());
    EXPECT_TRUE(fs::exists(home / "icons/NAME1.gif"));
    EXPECT_TRUE(fs::exists(home / "icons/HYDRO.gif"));
    auto rows = main.connection.openRecordSet("SELECT * FROM Tavrolin ORDER BY VID, MP_TYPE");
    ASSERT_TRUE(rows) << rows.status().toString();
    std::set<int> depths;
    int custom = 0;
    for (rows->moveFirst(); !rows->eof(); rows->moveNext()) {
        auto text = [&](const char* column) { return rows->value(column).value().toText(); };
        const std::string key = text("VID") + " " + text("MP_TYPE");
        EXPECT_FALSE(text("MP_NAME").empty()) << key;
        EXPECT_FALSE(text("MP_ENG").empty()) << key;
        EXPECT_LE(std::stoi(text("L_LIMIT")), std::stoi(text("U_LIMIT"))) << key;
        EXPECT_LE(std::stoi(text("U_LIMIT")), 34) << key;
        for (const char* column : {"COLOR", "BDR_COLOR", "BFR_COLOR", "RTP_COLOR", "HAL_COLOR"}) {
            if (!text(column).empty()) {
                EXPECT_TRUE(paletteHas(std::stoi(text(column)))) << key << " " << column;
            }
        }
        if (!text("ICON").empty()) {
            EXPECT_TRUE(iconNames.count(text("ICON"))) << key;
        }
        if (text("YN") == "1") ++custom;
        const std::string name = text("MP_ENG");
        if (text("VID") == "0" && name.rfind("Depth ", 0) == 0 && name.back() == 'm') {
            depths.insert(std::stoi(name.substr(6)));
            EXPECT_EQ(text("MP_NAME"), "Глубина " + name.substr(6, name.size() - 7) + "м");
        }
    }
    EXPECT_EQ(depths.size(), 25u) << "depth areas 0 to 24 m";
    EXPECT_GE(custom, 3);
}

}  // namespace
}  // namespace tavrolin
