// Migrova's window end to end on real tables: choosing and checking both tables, the transfer,
// its log, its progress and its failures; and the rules a transfer compares values by.
#include "migrova/migrova_window.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>

#include "migrova/migrova_controls.h"
#include "migrova/template_transfer.h"
#include "migrova_fixture.h"
#include "store/file_io.h"
#include "store/scripted_platform.h"
#include "window/control.h"

namespace tavrolin::migrova {
namespace {

using store::Value;
using testing::Column;
using testing::makeTable;
using testing::tableRows;

const std::vector<Column> kOldColumns = {{"VID", "numeric(1,0)"},
                                         {"MP_TYPE", "char(10)"},
                                         {"MP_NAME", "char(20)"},
                                         {"COLOR", "numeric(3,0)"}};
const std::vector<Column> kNewColumns = {{"VID", "numeric(1,0)"}, {"YN", "numeric(1,0)"},
                                         {"MP_TYPE", "char(10)"}, {"MP_NAME", "char(20)"},
                                         {"MP_ENG", "char(20)"},  {"COLOR", "numeric(3,0)"}};

TEST(TemplateTransfer, ValuesDifferByValueOrAcrossKindsByTextAndOddNamesAreBracketed) {
    const std::tuple<Value, Value, bool> cases[] = {
        {Value::number(5), Value::number(5.0), false},
        {Value::number(5), Value::number(6), true},
        {Value::text("Озеро"), Value::text("озеро"), true},  // letter case counts
        {Value::number(12), Value::text("12"), false},       // N in one table, C in the other
        {Value::number(12), Value::text("12.0"), true},
        {Value::logical(true), Value::logical(false), true},
    };
    for (const auto& [a, b, differ] : cases) {
        EXPECT_EQ(valuesDiffer(a, b), differ) << a.toText() << " / " << b.toText();
    }
    for (const char* plain : {"Tavrolin_v11-backup.DBF", "Тавролин.dbf"}) {
        EXPECT_EQ(tableReference(plain), plain);
    }
    EXPECT_EQ(tableReference("my table.dbf"), "[my table.dbf]");
    EXPECT_EQ(tableReference("a(1).dbf"), "[a(1).dbf]");
}

class MigrovaWindowTest : public ::testing::Test {
   protected:
    std::string path(const std::string& name) const { return folder / name; }
    std::string root() const { return folder.root().string(); }

    // Both tables chosen through the dialog; true when RunJoin got enabled.
    bool choose(const std::string& oldName, const std::string& newName) {
        platform.openFileReplies.push_back(path(oldName));
        window.OpenOld_Click();
        platform.openFileReplies.push_back(path(newName));
        window.OpenNew_Click();
        return window.form()("RunJoin").enabled;
    }
    std::string label(const char* name) const { return window.form()(name).caption; }
    bool highlighted(const char* name) const {
        return window.form()(name).foreColor == color::kHighlight;
    }
    std::string log() const { return window.form()("Att").text; }

    testing::TempFolder folder;
    ScriptedPlatform platform{1049};
    MigrovaWindow window{platform, "/opt/migrova/"};
};

TEST_F(MigrovaWindowTest, ChoosingAsksUnderItsOwnTitleStartingFromSrcOld) {
    EXPECT_FALSE(window.form()("RunJoin").enabled);
    makeTable(root(), "old.dbf", kOldColumns, {"(0,'0x01','a',1)"});
    makeTable(root(), "new.dbf", kNewColumns, {});
    EXPECT_TRUE(choose("old.dbf", "new.dbf"));
    EXPECT_EQ(window.form().focused(), "RunJoin");
    EXPECT_EQ(label("AttOld"), "Старый файл атрибутов выбран корректно (записей #1)");
    ASSERT_EQ(platform.fileQuestions.size(), 2u);
    EXPECT_EQ(platform.fileQuestions[0].startPath, "/opt/migrova/*.dbf");  // SrcOld still empty
    EXPECT_EQ(platform.fileQuestions[1].startPath,
              root() + store::io::kPathSeparator + "*.dbf");  // from SrcOld
}

TEST_F(MigrovaWindowTest, AFailedChoiceSaysWhyHighlightsAndBeeps) {
    makeTable(root(), "old.dbf", kOldColumns, {});
    makeTable(root(), "v11.dbf", kOldColumns, {});  // no YN: not a new template
    makeTable(root(), "novid.dbf", {{"MP_TYPE", "char(10)"}}, {});
    std::ofstream(path("junk.dbf")) << "not a table";
    const std::string missing = " * для продолжения работы укажите новый файл Tavrolin.dbf";
    const std::pair<std::string, std::string> cases[] = {
        {"", missing},  // the dialog is cancelled
        {path("gone/new.dbf"), missing},
        {path("v11.dbf"), " ! в новом файле должны быть поля атрибутов YN и MP_ENG"},
        {path("junk.dbf"), " ! невозможно проверить файл по выбранному пути"},
    };
    platform.openFileReplies.push_back(path("old.dbf"));
    window.OpenOld_Click();
    ASSERT_TRUE(window.oldReady());
    for (const auto& [chosen, message] : cases) {
        SCOPED_TRACE(chosen);
        platform.beeps = 0;
        platform.openFileReplies.push_back(chosen.empty() ? std::nullopt : std::optional(chosen));
        window.OpenNew_Click();
        EXPECT_EQ(label("AttNew"), message);
        EXPECT_TRUE(highlighted("AttNew"));
        EXPECT_EQ(platform.beeps, 1);
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
    makeTable(root(), "Tavrolin.dbf", kNewColumns, {"(0,1,'0x01','a','b',1)"});
    std::filesystem::create_directory(path("sub"));
    ASSERT_EQ(::symlink(path("Tavrolin.dbf").c_str(), path("sub/Tavrolin.dbf").c_str()), 0);
    ASSERT_EQ(::link(path("Tavrolin.dbf").c_str(), path("copy.dbf").c_str()), 0);
    const std::vector<std::string> before = tableRows(root(), "Tavrolin.dbf");
    for (const std::string other :
         {"Tavrolin.dbf", "./Tavrolin.dbf", "sub/Tavrolin.dbf", "copy.dbf"}) {
        MigrovaWindow fresh(platform, "/opt/migrova/");
        platform.openFileReplies.push_back(path("Tavrolin.dbf"));
        fresh.OpenOld_Click();
        platform.openFileReplies.push_back(path(other));
        fresh.OpenNew_Click();
        ASSERT_TRUE(fresh.form()("RunJoin").enabled) << other;
        platform.beeps = 0;
        fresh.RunJoin_Click();
        EXPECT_EQ(fresh.form()("AttNew").caption,
                  " ! для переноса выбран один и тот же файл атрибутов")
            << other;
        EXPECT_EQ(platform.beeps, 0);
        EXPECT_FALSE(fresh.transferSucceeded());
    }
    EXPECT_EQ(tableRows(root(), "Tavrolin.dbf"), before);
}
#endif

TEST_F(MigrovaWindowTest, TransferAddsChangesAndLeavesNullsAlone) {
    // Old rows come in VID, MP_TYPE order: 0x01, 0x02, 0x03 of kind 0, then 0x01 of kind 1.
    // Long names with blanks are taken.
    makeTable(root(), "Tavrolin v11 backup.dbf", kOldColumns,
              {"(1,'0x01','road',7)", "(0,'0x03','mine',Null)", "(0,'0x01','same',5)",
               "(0,'0x02',Null,9)"});
    makeTable(root(), "Tavrolin-v12-new.dbf", kNewColumns,
              {"(0,1,'0x01','same','Same',5)", "(0,1,'0x02','x','X',Null)",
               "(0,1,'0x03','theirs','T',4)", "(2,1,'0x01','point','P',3)"});
    ASSERT_TRUE(choose("Tavrolin v11 backup.dbf", "Tavrolin-v12-new.dbf"));
    window.RunJoin_Click();
    EXPECT_EQ(log(),
              " обновление атрибутов...\n"
              "2: MP_NAME=theirs >> mine\n"  // the old COLOR is null: the new 4 stays
              "3 >> 0x01\n"
              " атрибуты обновлены успешно");
    EXPECT_TRUE(window.transferSucceeded());
    EXPECT_FALSE(window.form()("RunJoin").enabled);
    EXPECT_EQ(tableRows(root(), "Tavrolin-v12-new.dbf"),
              (std::vector<std::string>{
                  "0|1|0x01|same|Same|5",
                  "0|1|0x02|x|X|",  // a null new value is not filled from the old one
                  "0|1|0x03|mine|T|4", "2|1|0x01|point|P|3",
                  "1||0x01|road||7",  // added: the old columns, the new-only ones empty
              }));
}

// A row that cannot be saved ends the transfer: the rows saved before it stay, nothing of it.
TEST_F(MigrovaWindowTest, AFailureKeepsTheRowsSavedBeforeIt) {
    struct Case {
        std::vector<Column> newColumns;
        std::string newRow;
        std::string logged;
        std::vector<std::string> kept;
    };
    const Case cases[] = {
        // COLOR is wider in the old table: 999 does not fit the new numeric(2,0).
        {{{"VID", "numeric(1,0)"},
          {"YN", "numeric(1,0)"},
          {"MP_TYPE", "char(10)"},
          {"MP_NAME", "char(20)"},
          {"COLOR", "numeric(2,0)"}},
         "(0,1,'0x02','old b',2)",
         "2 >> 0x03\n ошибка #6. ",
         {"0|1|0x02|b|2", "0||0x01|a|1"}},
        // An old column the new table lacks fails the first row.
        {{{"VID", "numeric(1,0)"}, {"YN", "numeric(1,0)"}, {"MP_TYPE", "char(10)"}},
         "(0,1,'0x02')",
         "\n ошибка #3265. ",
         {"0|1|0x02"}},
    };
    for (const Case& c : cases) {
        testing::TempFolder scratch;
        makeTable(
            scratch.root().string(), "old.dbf", kOldColumns,
            {"(0,'0x01','a',1)", "(0,'0x02','b',2)", "(0,'0x03','c',999)", "(0,'0x04','d',4)"});
        makeTable(scratch.root().string(), "new.dbf", c.newColumns, {c.newRow});
        MigrovaWindow fresh(platform, "/opt/migrova/");
        platform.beeps = 0;
        platform.openFileReplies.push_back(scratch / "old.dbf");
        fresh.OpenOld_Click();
        platform.openFileReplies.push_back(scratch / "new.dbf");
        fresh.OpenNew_Click();
        fresh.RunJoin_Click();
        EXPECT_FALSE(fresh.transferSucceeded());
        EXPECT_EQ(platform.beeps, 1);
        EXPECT_NE(fresh.form()("Att").text.find(c.logged), std::string::npos)
            << fresh.form()("Att").text;
        EXPECT_EQ(tableRows(scratch.root().string(), "new.dbf"), c.kept);
    }
}

}  // namespace
}  // namespace tavrolin::migrova
