// The interface language (captions, tooltips, the language button) and the short user guide.
#include "text/guide.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "store/codepage.h"
#include "store/file_io.h"
#include "store/scripted_platform.h"
#include "support/temp_folder.h"
#include "text/captions.h"
#include "window/main_controls.h"

namespace tavrolin {
namespace {

namespace fs = std::filesystem;

struct Window {
    ScriptedPlatform platform;
    Main main{platform};
    Form& form = main.form;
    Window() { buildMainControls(main.form); }
};

TEST(Captions, EveryEntryReachesItsControlInBothLanguagesAndOnlyThoseTextsChange) {
    Window w;
    for (bool russian : {true, false}) {
        w.main.russian = russian;
        SetCaptions(w.main);
        for (const CaptionEntry& entry : captionTable()) {
            SCOPED_TRACE(std::string(entry.control) + " " + std::to_string(entry.index));
            ASSERT_TRUE(w.form.has(entry.control, entry.index));
            const Control& c = w.form(entry.control, entry.index);
            EXPECT_EQ(entry.property == CaptionProperty::Caption ? c.caption : c.toolTip,
                      russian ? entry.russian : entry.english);
            EXPECT_STRNE(russian ? entry.russian : entry.english, "");
        }
        EXPECT_EQ(w.form("btnLang").caption, russian ? "EN" : "RU");
        EXPECT_EQ(w.form("TrnCase").visible, russian);
        // Texts outside the table keep their design state in both languages.
        EXPECT_EQ(w.form("btnMakeSkin").toolTip, "Создать скин к ГМЕ с типами карты");
    }
}

TEST(Captions, TheButtonSwitchesTwiceBackClearsTransliterationAndKeepsAChosenSource) {
    Window w;
    w.main.russian = true;
    SetCaptions(w.main);
    w.form.setValue("TrnCase", 1);
    w.form.setText("Source", sourcePrompt(true));
    btnLang_Click(w.main);
    EXPECT_FALSE(w.main.russian);
    EXPECT_EQ(w.form("TrnCase").value, 0);
    EXPECT_EQ(w.main.attLog.back(), " * button ??? display only russian help, sorry...");
    EXPECT_EQ(w.form("Source").text, " Select source shape file in DBF-format");
    w.form.setText("Source", "/maps/lake.dbf");
    btnLang_Click(w.main);
    EXPECT_TRUE(w.main.russian);
    EXPECT_EQ(w.form("Source").text, "/maps/lake.dbf");
    EXPECT_EQ(w.form("TrnCase").value, 0) << "the check stays cleared after switching back";
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// UTF-8 is the system's text encoding here; a Russian Windows reads code page 1251.
std::string inSystemEncoding(const std::string& utf8) {
#ifdef _WIN32
    return store::encodeCp1251(utf8);
#else
    return utf8;
#endif
}

struct GuideTest : ::testing::Test, Window {
    GuideTest() {
        main.programFolder = folder.root().string() + "/";
        main.programName = "Tavrolin";
    }
    std::string guide() const { return folder.root().string() + "/Tavrolin.txt"; }
    testing::ScratchFolder folder{"tavrolin_guide_"};
};

TEST_F(GuideTest, WritesItsRussianLinesWithCrLfAndRewritesThemOnEveryPress) {
    std::ofstream(guide()) << "an old guide that is longer than nothing at all, and then some";
    main.russian = false;  // the guide is Russian in both languages
    btnHelp_Click(main);
    const std::vector<std::string> lines = guideLines("README.md");
    std::string expected;
    for (const std::string& line : lines) expected += line + "\r\n";
    EXPECT_EQ(readFile(guide()), inSystemEncoding(expected));
    EXPECT_NE(expected.find("Tavrolin.exe, \r\n"), std::string::npos);  // a kept trailing blank
    EXPECT_EQ(platform.openedDocuments, std::vector<std::string>{guide()});
}

// The link lines point at the README beside the guide when there is one, as a URL that works
// for any folder name, and are plain text otherwise.
TEST_F(GuideTest, LinksOnlyToAReadmeThatIsThere) {
    EXPECT_EQ(documentationAddress(folder.root().string() + "/"), "README.md");
    const fs::path odd = folder.root() / store::io::pathFromUtf8("карты и план");
    const std::string oddText = store::io::utf8FromPath(odd);
    fs::create_directories(odd);
    std::ofstream(odd / "README.md") << "# Tavrolin\n";
    // "/tmp/x" gives "file:///tmp/x", "C:\Temp\x" gives "file:///C:/Temp/x".
    std::string url = folder.root().generic_string();
    if (url.front() != '/') url.insert(0, "/");
    EXPECT_EQ(documentationAddress(oddText + "/"),
              "file://" + url +
                  "/%D0%BA%D0%B0%D1%80%D1%82%D1%8B%20%D0%B8%20%D0%BF%D0%BB%D0%B0%D0%BD/README.md");
    main.programFolder = oddText + "/";
    main.programName = "tavrolin";  // the template as found on disk; the guide keeps its name
    btnHelp_Click(main);
    EXPECT_NE(readFile(odd / "Tavrolin.txt").find(inSystemEncoding("ветка обсуждения - file://")),
              std::string::npos);
}

TEST_F(GuideTest, ReportsWhatWentWrong) {
    main.programFolder = (folder.root() / "missing").string() + "/";
    btnHelp_Click(main);
    EXPECT_EQ(main.attLog.back().rfind(" ! btnHelp_Click: 76. ", 0), 0u) << main.attLog.back();
    EXPECT_TRUE(platform.openedDocuments.empty()) << "nothing is opened after a failure";
}

}  // namespace
}  // namespace tavrolin
