#include "text/guide.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "store/codepage.h"
#include "store/scripted_platform.h"
#include "window/main_controls.h"

namespace tavrolin {
namespace {

namespace fs = std::filesystem;

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct GuideTest : ::testing::Test {
    fs::path folder = fs::temp_directory_path() /
                      ("tavrolin_guide_" + std::to_string(::getpid()) + "_" +
                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    ScriptedPlatform platform;
    Main main{platform};

    void SetUp() override {
        fs::remove_all(folder);
        fs::create_directories(folder);
        buildMainControls(main.form);
        main.programFolder = folder.string() + "/";
        main.programName = "Tavrolin";
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string guide() const { return folder.string() + "/Tavrolin.txt"; }
    // UTF-8 is the system's text encoding here; a Russian Windows reads code page 1251.
    static std::string inSystemEncoding(const std::string& utf8) {
#ifdef _WIN32
        return store::encodeCp1251(utf8);
#else
        return utf8;
#endif
    }
};

// UTF-8 is the system's text encoding here: a viewer shows the Russian text.
TEST_F(GuideTest, WritesTheLinesInUtf8WithCrLf) {
    btnHelp_Click(main);
    const std::string bytes = readFile(guide());
    std::string expected;
    const std::vector<std::string> lines = guideLines("README.md");
    for (const std::string& line : lines) expected += line + "\r\n";
    EXPECT_EQ(bytes, inSystemEncoding(expected));
    EXPECT_EQ(lines.size(), 74u);
    EXPECT_EQ(lines.front(), "Конвертер DBF данных для эхолотов Lowrance v15,");
    EXPECT_EQ(lines[3], "ветка обсуждения - README.md");
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& l) { return l.find("README.md") != l.npos; }),
              3);
    EXPECT_NE(bytes.find("Tavrolin.exe, \r\n"), std::string::npos);  // a kept trailing blank
    ASSERT_EQ(platform.openedDocuments, std::vector<std::string>{guide()});
}

// The link lines point at the README beside the guide when there is one, as a URL that works
// for any folder name, and are plain text otherwise.
TEST_F(GuideTest, LinksOnlyToAReadmeThatIsThere) {
    EXPECT_EQ(documentationAddress(folder.string() + "/"), "README.md");
    const fs::path odd = folder / "карты и план";
    fs::create_directories(odd);
    std::ofstream(odd / "README.md") << "# Tavrolin\n";
    // "/tmp/x" gives "file:///tmp/x", "C:\Temp\x" gives "file:///C:/Temp/x".
    std::string url = folder.generic_string();
    if (url.front() != '/') url.insert(0, "/");
    EXPECT_EQ(documentationAddress(odd.string() + "/"),
              "file://" + url +
                  "/%D0%BA%D0%B0%D1%80%D1%82%D1%8B%20%D0%B8%20%D0%BF%D0%BB%D0%B0%D0%BD/README.md");
    main.programFolder = odd.string() + "/";
    main.programName = "tavrolin";  // the template as found on disk; the guide keeps its name
    btnHelp_Click(main);
    EXPECT_NE(readFile((odd / "Tavrolin.txt").string())
                  .find(inSystemEncoding("ветка обсуждения - file://")),
              std::string::npos);
}

TEST_F(GuideTest, SecondPressRewritesAndEnglishWritesTheSameRussianText) {
    btnHelp_Click(main);
    const std::string first = readFile(guide());
    std::ofstream(guide()) << "old text that is longer than nothing";
    main.russian = !main.russian;
    btnHelp_Click(main);
    EXPECT_EQ(readFile(guide()), first);
    EXPECT_EQ(platform.openedDocuments.size(), 2u);
}

TEST_F(GuideTest, ReportsWhatWentWrong) {
    platform.documentsOpen = false;
    btnHelp_Click(main);
    EXPECT_EQ(main.attLog.back(), "неизвестный тип файла...");

    main.programFolder = folder.string() + "/missing/";
    platform.documentsOpen = true;
    btnHelp_Click(main);
    EXPECT_EQ(main.attLog.back().rfind(" ! btnHelp_Click: 76. ", 0), 0u) << main.attLog.back();
    EXPECT_GE(platform.beeps, 1);
    EXPECT_EQ(platform.openedDocuments.size(), 1u) << "nothing is opened after a failure";
}

}  // namespace
}  // namespace tavrolin
