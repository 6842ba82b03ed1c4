// Migrova's window end to end on real tables: choosing and checking both tables, the transfer,
// its log, its progress and its failures.
#include "migrova/migrova_window.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>

#include "migrova/migrova_controls.h"
#include "migrova_fixture.h"
#include "store/file_io.h"
#include "store/scripted_platform.h"
#include "window/control.h"

namespace tavrolin::migrova {
namespace {

using testing::Column;
using testing::makeTable;
using testing::tableRows;
using testing::TempFolder;

const std::vector<Column> kOldColumns = {{"VID", "numeric(1,0)"},
                                         {"MP_TYPE", "char(10)"},
                                         {"MP_NAME", "char(20)"},
                                         {"COLOR", "numeric(3,0)"}};
const std::vector<Column> kNewColumns = {{"VID", "numeric(1,0)"}, {"YN", "numeric(1,0)"},
                                         {"MP_TYPE", "char(10)"}, {"MP_NAME", "char(20)"},
                                         {"MP_ENG", "char(20)"},  {"COLOR", "numeric(3,0)"}};

class MigrovaWindowTest : public ::testing::Test {
   protected:
    std::string path(const std::string& name) const { return folder / name; }
    std::string folderPath() const { return folder.root().string(); }

    // Both tables chosen through the dialog; true when RunJoin got enabled.
    bool choose(const std::string& oldPath, const std::string& newPath) {
        platform.openFileReplies.push_back(oldPath);
        window.OpenOld_Click();
        platform.openFileReplies.push_back(newPath);
        window.OpenNew_Click();
        return window.form()("RunJoin").enabled;
    }
    std::string label(const char* name) const { return window.form()(name).caption; }
    bool highlighted(const char* name) const {
        return window.form()(name).foreColor == color::kHighlight;
    }
    std::string log() const { return window.form()("Att").text; }

    TempFolder folder;
    ScriptedPlatform platform{1049};
    MigrovaWindow window{platform, "/opt/migrova/"};
};

TEST_F(MigrovaWindowTest, StartsWithStartTextsAndRunJoinDisabled) {
    EXPECT_EQ(label("AttOld"), kOldStartText);
    EXPECT_EQ(label("AttNew"), kNewStartText);
    EXPECT_FALSE(window.form()("RunJoin").enabled);
    EXPECT_TRUE(window.form()("Att").multiLine);
    EXPECT_EQ(window.form()("OpenOld").toolTip, "Выбрать исходный файл");
}

TEST_F(MigrovaWindowTest, ChoosingAsksUnderItsOwnTitleStartingFromSrcOld) {
    makeTable(folderPath(), "old.dbf", kOldColumns, {"(0,'0x01','a',1)"});
    makeTable(folderPath(), "new.dbf", kNewColumns, {});
    EXPECT_TRUE(choose(path("old.dbf"), path("new.dbf")));
    EXPECT_EQ(window.form().focused(), "RunJoin");
    EXPECT_EQ(label("AttOld"), "Старый файл атрибутов выбран корректно (записей #1)");
    EXPECT_EQ(label("AttNew"), "Новый файл атрибутов выбран корректно (записей #0)");
    EXPECT_EQ(platform.beeps, 0);

    ASSERT_EQ(platform.fileQuestions.size(), 2u);
    EXPECT_EQ(platform.fileQuestions[0].title, "Выберите файл:");
    EXPECT_EQ(platform.fileQuestions[0].startPath, "/opt/migrova/*.dbf");  // SrcOld still empty
    EXPECT_EQ(platform.fileQuestions[0].filters.front().first,
              "Старый файл атрибутов dBASE v4 .dbf");
    EXPECT_EQ(platform.fileQuestions[1].startPath,
              folderPath() + store::io::kPathSeparator + "*.dbf");  // from SrcOld
    EXPECT_EQ(platform.fileQuestions[1].filters.front().first,
              "Новый файл атрибутов dBASE v4 .dbf");
}

TEST_F(MigrovaWindowTest, AFailedChoiceSaysWhyHighlightsAndBeeps) {
    makeTable(folderPath(), "old.dbf", kOldColumns, {});
    makeTable(folderPath(), "v11.dbf", kOldColumns, {});  // no YN: not a new template
    makeTable(folderPath(), "novid.dbf", {{"MP_TYPE", "char(10)"}}, {});
    {
        std::ofstream junk(path("junk.dbf"));
        junk << "not a table";
    }
    struct Case {
        std::string newPath;  // empty: the dialog is cancelled
        std::string message;
    };
    const Case cases[] = {
        {"", " * для продолжения работы укажите новый файл Tavrolin.dbf"},
        {path("missing.dbf"), " * для продолжения работы укажите новый файл Tavrolin.dbf"},
        {path("gone/new.dbf"), " * для продолжения работы укажите новый файл Tavrolin.dbf"},
        {path("v11.dbf"), " ! в новом файле должны быть поля атрибутов YN и MP_ENG"},
        {path("junk.dbf"), " ! невозможно проверить файл по выбранному пути"},
    };
    platform.openFileReplies.push_back(path("old.dbf"));
    window.OpenOld_Click();
    ASSERT_TRUE(window.oldReady());
    for (const Case& c : cases) {
        platform.beeps = 0;
        platform.openFileReplies.push_back(c.newPath.empty() ? std::nullopt
                                                             : std::optional(c.newPath));
        window.OpenNew_Click();
        EXPECT_EQ(label("AttNew"), c.message) << c.newPath;
        EXPECT_TRUE(highlighted("AttNew")) << c.newPath;
        EXPECT_EQ(platform.beeps, 1) << c.newPath;
        EXPECT_FALSE(window.newReady());
        EXPECT_FALSE(window.form()("RunJoin").enabled);
    }
    // An old table without VID is quietly not taken: the start text stays.
    platform.beeps = 0;
    platform.openFileReplies.push_back(path("novid.dbf"));
    window.OpenOld_Click();
    EXPECT_FALSE(window.oldReady());
    EXPECT_EQ(label("AttOld"), kOldStartText);
    EXPECT_FALSE(highlighted("AttOld"));
    EXPECT_EQ(platform.beeps, 0);
}

#ifndef _WIN32  // symbolic and hard links as POSIX makes them
TEST_F(MigrovaWindowTest, OneFileUnderAnyNameIsRefusedWithoutABeep) {
    makeTable(folderPath(), "Tavrolin.dbf", kNewColumns, {"(0,1,'0x01','a','b',1)"});
    std::filesystem::create_directory(path("sub"));
    ASSERT_EQ(::symlink(path("Tavrolin.dbf").c_str(), path("sub/Tavrolin.dbf").c_str()), 0);
    ASSERT_EQ(::link(path("Tavrolin.dbf").c_str(), path("copy.dbf").c_str()), 0);
    const std::vector<std::string> before = tableRows(folderPath(), "Tavrolin.dbf");
    for (const std::string& other : {path("Tavrolin.dbf"), folderPath() + "/./Tavrolin.dbf",
                                     path("sub/Tavrolin.dbf"), path("copy.dbf")}) {
        MigrovaWindow fresh(platform, "/opt/migrova/");
        platform.openFileReplies.push_back(path("Tavrolin.dbf"));
        fresh.OpenOld_Click();
        platform.openFileReplies.push_back(other);
        fresh.OpenNew_Click();
        ASSERT_TRUE(fresh.form()("RunJoin").enabled) << other;
        platform.beeps = 0;
        fresh.RunJoin_Click();
        EXPECT_EQ(fresh.form()("AttNew").caption,
                  " ! для переноса выбран один и тот же файл атрибутов")
            << other;
        EXPECT_EQ(fresh.form()("AttNew").foreColor, color::kHighlight);
        EXPECT_EQ(platform.beeps, 0);
        EXPECT_EQ(fresh.form()("Att").text, "");
        EXPECT_FALSE(fresh.transferSucceeded());
    }
    EXPECT_EQ(tableRows(folderPath(), "Tavrolin.dbf"), before);
}
#endif

TEST_F(MigrovaWindowTest, TransferAddsChangesAndLeavesNullsAlone) {
    // Old rows come in VID, MP_TYPE order: 0x01, 0x02, 0x03 of kind 0, then 0x01 of kind 1.
    makeTable(folderPath(), "old.dbf", kOldColumns,
              {"(1,'0x01','road',7)", "(0,'0x03','mine',Null)", "(0,'0x01','same',5)",
               "(0,'0x02',Null,9)"});
    makeTable(folderPath(), "new.dbf", kNewColumns,
              {"(0,1,'0x01','same','Same',5)", "(0,1,'0x02','x','X',Null)",
               "(0,1,'0x03','theirs','T',4)", "(2,1,'0x01','point','P',3)"});
    ASSERT_TRUE(choose(path("old.dbf"), path("new.dbf")));
    window.RunJoin_Click();
    EXPECT_EQ(log(),
              " обновление атрибутов...\n"
              "2: MP_NAME=theirs >> mine\n"  // the old COLOR is null: the new 4 stays
              "3 >> 0x01\n"
              " атрибуты обновлены успешно");
    EXPECT_TRUE(window.transferSucceeded());
    EXPECT_FALSE(window.form()("RunJoin").enabled);
    EXPECT_EQ(label("AttNew"), "Новый файл атрибутов выбран корректно (записей #4)");  // no bar
    EXPECT_EQ(platform.beeps, 0);
    EXPECT_EQ(tableRows(folderPath(), "new.dbf"),
              (std::vector<std::string>{
                  "0|1|0x01|same|Same|5",
                  "0|1|0x02|x|X|",  // a null new value is not filled from the old one
                  "0|1|0x03|mine|T|4", "2|1|0x01|point|P|3",
                  "1||0x01|road||7",  // added: the old columns, the new-only ones empty
              }));
}

TEST_F(MigrovaWindowTest, ProgressBarAdvancesEveryHundredthRow) {
    std::vector<std::string> rows;
    for (int i = 0; i < 250; ++i) rows.push_back("(0,'t" + std::to_string(1000 + i) + "',Null,1)");
    makeTable(folderPath(), "old.dbf", kOldColumns, rows);
    makeTable(folderPath(), "new.dbf", kNewColumns, {});
    ASSERT_TRUE(choose(path("old.dbf"), path("new.dbf")));
    std::vector<std::string> bars;
    platform.onProcessEvents = [&] {
        const std::string& text = window.form()("AttNew").caption;
        if (bars.empty() || bars.back() != text) bars.push_back(text);
    };
    window.RunJoin_Click();
    ASSERT_TRUE(window.transferSucceeded());
    EXPECT_EQ(tableRows(folderPath(), "new.dbf").size(), 250u);
    const std::string prefix = " обновление атрибутов: ";
    // step 2: rows 0, 2, 4, ... show 0, 1, 2, ... letters; the last is row 248.
    EXPECT_EQ(bars.back(), prefix + std::string(100, 'I'));
    EXPECT_EQ(bars[1], prefix + std::string(100, '.'));
}

TEST_F(MigrovaWindowTest, ClicksWhileTheTransferLetsEventsInAreIgnored) {
    makeTable(folderPath(), "old.dbf", kOldColumns, {"(0,'0x01','a',1)", "(0,'0x02','b',2)"});
    makeTable(folderPath(), "new.dbf", kNewColumns, {});
    ASSERT_TRUE(choose(path("old.dbf"), path("new.dbf")));
    platform.onProcessEvents = [&] {
        window.form().raise("OpenOld", Event::Click);  // would close the tables under way
        window.form().raise("OpenNew", Event::Click);
        window.form().raise("RunJoin", Event::Click);
    };
    window.RunJoin_Click();
    EXPECT_TRUE(window.transferSucceeded()) << log();
    EXPECT_EQ(platform.fileQuestions.size(), 2u);  // only the two choices before
    EXPECT_EQ(tableRows(folderPath(), "new.dbf"),
              (std::vector<std::string>{"0||0x01|a||1", "0||0x02|b||2"}));
}

TEST_F(MigrovaWindowTest, AFailureKeepsTheRowsSavedBeforeIt) {
    // COLOR is wider in the old table: 999 does not fit the new numeric(2,0).
    makeTable(folderPath(), "old.dbf", kOldColumns,
              {"(0,'0x01','a',1)", "(0,'0x02','b',2)", "(0,'0x03','c',999)", "(0,'0x04','d',4)"});
    makeTable(folderPath(), "new.dbf",
              {{"VID", "numeric(1,0)"},
               {"YN", "numeric(1,0)"},
               {"MP_TYPE", "char(10)"},
               {"MP_NAME", "char(20)"},
               {"COLOR", "numeric(2,0)"}},
              {"(0,1,'0x02','old b',2)"});
    ASSERT_TRUE(choose(path("old.dbf"), path("new.dbf")));
    window.RunJoin_Click();
    EXPECT_FALSE(window.transferSucceeded());
    EXPECT_TRUE(window.form()("RunJoin").enabled);
    EXPECT_EQ(platform.beeps, 1);
    const std::string text = log();
    EXPECT_NE(text.find("2 >> 0x03\n ошибка #6. "), std::string::npos) << text;
    // The readable table holds the two rows saved before, and nothing of the failed one.
    EXPECT_EQ(tableRows(folderPath(), "new.dbf"),
              (std::vector<std::string>{"0|1|0x02|b|2", "0||0x01|a|1"}));
}

TEST_F(MigrovaWindowTest, AnOldColumnTheNewTableLacksFailsTheFirstRow) {
    makeTable(folderPath(), "old.dbf", kOldColumns, {"(0,'0x01','a',1)", "(0,'0x02','b',2)"});
    makeTable(folderPath(), "new.dbf",
              {{"VID", "numeric(1,0)"}, {"YN", "numeric(1,0)"}, {"MP_TYPE", "char(10)"}},
              {"(0,1,'0x02')"});
    ASSERT_TRUE(choose(path("old.dbf"), path("new.dbf")));
    window.RunJoin_Click();
    EXPECT_FALSE(window.transferSucceeded());
    EXPECT_NE(log().find("\n ошибка #3265. "), std::string::npos) << log();
    EXPECT_EQ(tableRows(folderPath(), "new.dbf"), (std::vector<std::string>{"0|1|0x02"}));
}

TEST_F(MigrovaWindowTest, LongFileNamesWithBlanksAreTaken) {
    makeTable(folderPath(), "Tavrolin v11 backup.dbf", kOldColumns, {"(0,'0x01','a',1)"});
    makeTable(folderPath(), "Tavrolin-v12-new.dbf", kNewColumns, {});
    ASSERT_TRUE(choose(path("Tavrolin v11 backup.dbf"), path("Tavrolin-v12-new.dbf")));
    window.RunJoin_Click();
    EXPECT_TRUE(window.transferSucceeded()) << log();
    EXPECT_EQ(tableRows(folderPath(), "Tavrolin-v12-new.dbf"),
              (std::vector<std::string>{"0||0x01|a||1"}));
}

}  // namespace
}  // namespace tavrolin::migrova
