// The folder connection end to end: statements, record sets, changes and appends on real files.
#include "store/connection.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/resource.h>
#endif

#include <csignal>
#include <cstdlib>
#include <filesystem>

#include "store/dbf_table.h"
#include "store_test_util.h"
#include "support/record_rows.h"

namespace tavrolin::store {
namespace {

using testing::buildTable;
using testing::readFile;
using testing::recordCountOf;
using testing::TempFolder;
using testing::writeFile;
using Texts = std::vector<std::string>;

class ConnectionTest : public ::testing::Test {
   protected:
    void SetUp() override { ASSERT_TRUE(connection.open(folder.path()).isOk()); }

    void execute(const std::string& sql) {
        const Status status = connection.execute(sql);
        ASSERT_TRUE(status.isOk()) << sql << ": " << status.toString();
    }

    // A small template: VID, YN, MP_TYPE, MP_NAME, LVL, VALUE.
    void makeTemplate() {
        execute(
            "CREATE TABLE Tavrolin.dbf (VID numeric(1,0),YN numeric(1,0),MP_TYPE char(10),"
            "MP_NAME char(20),LVL char(1),[VALUE] char(10))");
        for (const char* values :
             {"(0,0,'0x4b','Озеро',Null,'a')", "(0,1,'0x4b','Моё озеро','1','b')",
              "(0,Null,'0x4b','Пусто',Null,'c')", "(1,0,'0x01','ДОРОГА',Null,Null)",
              "(0,0,'0x01','Город',Null,'d')", "(2,0,'0x2c00','Точка','2',Null)"}) {
            execute(std::string("INSERT INTO TAVROLIN (VID,YN,MP_TYPE,MP_NAME,LVL,[VALUE]) ") +
                    "VALUES " + values);
        }
    }

    // The values of one column over the whole set, as text.
    Texts column(const std::string& sql, const std::string& name) {
        auto set = connection.openRecordSet(sql);
        EXPECT_TRUE(set.isOk()) << sql << ": " << set.status().toString();
        Texts out;
        for (; set && !set->eof(); tavrolin::testing::next(*set))
            out.push_back(set->value(name)->toText());
        return out;
    }

    Result<RecordSet> change(const std::string& sql) {
        return connection.openRecordSet(sql, LockType::Optimistic);
    }

    TempFolder folder;
    Connection connection;
};

// A name in another letter case, with or without its extension, is the same table.
TEST_F(ConnectionTest, ResolvesTableNamesIgnoringCase) {
    writeFile(folder.file("Tavrolin.dbf"), buildTable({{"A", 'C', 3, 0}}, {" abc"}));
    execute("INSERT INTO TAVROLIN (A) VALUES ('def')");
    EXPECT_EQ(column("SELECT * FROM tavrolin.DBF", "A"), (Texts{"abc", "def"}));
}

TEST_F(ConnectionTest, SelectFiltersAndOrders) {
    makeTemplate();
    const std::tuple<const char*, const char*, Texts> cases[] = {
        {"SELECT * FROM Tavrolin ORDER BY VID, MP_TYPE",
         "MP_NAME",
         {"Город", "Озеро", "Моё озеро", "Пусто", "ДОРОГА", "Точка"}},
        // YN 1 before YN 0 within a type; an empty YN last.
        {"SELECT * FROM Tavrolin WHERE VID=0 ORDER BY MP_TYPE, YN DESC",
         "MP_NAME",
         {"Город", "Моё озеро", "Озеро", "Пусто"}},
        // Text equality ignores letter case and trailing blanks; keywords any letter case.
        {"select * from tavrolin where VID=0 and MP_TYPE='0X4B  ' order by MP_TYPE, YN desc",
         "YN",
         {"1", "0", ""}},
        {"SELECT * FROM Tavrolin WHERE MP_NAME='дорога'", "MP_NAME", {"ДОРОГА"}},
        {"SELECT * FROM Tavrolin WHERE LVL Is Null AND Not [VALUE] Is Null",
         "VALUE",
         {"a", "c", "d"}},
        {"SELECT * FROM Tavrolin WHERE VID=7", "VID", {}}};
    for (const auto& [sql, name, expected] : cases) EXPECT_EQ(column(sql, name), expected) << sql;
}

TEST_F(ConnectionTest, MovesFindsAndReportsMissingItems) {
    makeTemplate();
    auto empty = connection.openRecordSet("SELECT * FROM Tavrolin WHERE VID=7");
    ASSERT_TRUE(empty.isOk());
    EXPECT_TRUE(empty->bof() && empty->eof());
    EXPECT_EQ(empty->value("VID").status().number(), err::kNoCurrentRecord);
    auto set =
        connection.openRecordSet("SELECT * FROM Tavrolin WHERE VID=0 ORDER BY MP_TYPE, YN DESC");
    ASSERT_TRUE(set.isOk());
    EXPECT_EQ(*set->fieldIndex("mp_type"), 2);
    EXPECT_EQ(set->value("MP_ENG").status().number(), err::kItemNotFound);
    // Find goes from the current row forward: a row behind is not found; EOF stays.
    const std::pair<const char*, const char*> finds[] = {{"MP_TYPE='0X4B'", "Моё озеро"},
                                                         {"MP_TYPE=\"0x01\"", "<eof>"},
                                                         {"MP_TYPE='0x99'", "<eof>"}};
    for (const auto& [criterion, name] : finds) {
        ASSERT_TRUE(set->find(criterion).isOk()) << criterion;
        EXPECT_EQ(set->eof() ? "<eof>" : set->value("MP_NAME")->asText(), name) << criterion;
    }
    EXPECT_TRUE(set->moveNext().isOk());
    EXPECT_TRUE(set->eof());
    EXPECT_TRUE(set->moveFirst().isOk());
    ASSERT_TRUE(set->find("MP_TYPE='0x01'").isOk());
    EXPECT_EQ(set->value("MP_NAME")->asText(), "Город");
    EXPECT_FALSE(set->find("MP_TYPE=").isOk());
}

// Changes rewrite rows in place; refused values, cancelled changes and read-only sets leave
// them as they were; a value encoded once is set on many rows.
TEST_F(ConnectionTest, ChangesRowsInPlace) {
    makeTemplate();
    ASSERT_TRUE(connection.flush().isOk());
    const std::size_t size = readFile(folder.file("Tavrolin.dbf")).size();
    auto readOnly = connection.openRecordSet("SELECT * FROM Tavrolin");
    EXPECT_EQ(readOnly->setValue("LVL", Value::text("1")).number(), err::kReadOnly);
    EXPECT_EQ(readOnly->addNew().number(), err::kReadOnly);
    {
        auto set = change("SELECT * FROM Tavrolin WHERE VID=0 AND MP_TYPE='0x01'");
        ASSERT_EQ(set->recordCount(), 1);
        const int name = *set->fieldIndex("MP_NAME");
        ASSERT_TRUE(set->setValue(name, Value::text("Брошено")).isOk());
        set->cancelUpdate();  // neither stored by update() nor by closing
        ASSERT_TRUE(set->setValue("MP_NAME", Value::text("Столица")).isOk());
        ASSERT_TRUE(set->setValue("VALUE", Value()).isOk());
        EXPECT_EQ(set->setValue("YN", Value::number(12)).number(), err::kOverflow);
        EXPECT_EQ(set->setValue("YN", Value::text("x")).number(), err::kTypeMismatch);
        EXPECT_EQ(set->setValue(6, Value::text("x")).number(), err::kItemNotFound);
        ASSERT_TRUE(set->update().isOk());
        EXPECT_EQ(set->value("MP_NAME")->asText(), "Столица");
        ASSERT_TRUE(set->setValue(name, Value::text("Оставлено")).isOk());
        set->cancelUpdate();
    }
    {
        auto set = change("SELECT * FROM Tavrolin");
        const int yn = *set->fieldIndex("YN");
        EXPECT_EQ(set->encode(yn, Value::number(12)).status().number(), err::kOverflow);
        Result<RecordSet::EncodedValue> one = set->encode(yn, Value::number(1));
        ASSERT_TRUE(one.isOk());
        EXPECT_EQ(set->setEncoded({yn, "12"}).number(), err::kInvalidArgument);
        for (; !set->eof(); tavrolin::testing::next(*set))
            ASSERT_TRUE(set->setEncoded(*one).isOk());
    }
    EXPECT_EQ(readFile(folder.file("Tavrolin.dbf")).size(), size);
    EXPECT_EQ(column("SELECT * FROM Tavrolin", "YN"), Texts(6, "1"));
    EXPECT_EQ(column("SELECT * FROM Tavrolin", "MP_NAME"),
              (Texts{"Озеро", "Моё озеро", "Пусто", "ДОРОГА", "Столица", "Точка"}));
    EXPECT_EQ(column("SELECT * FROM Tavrolin WHERE MP_NAME='столица'", "VALUE"), Texts{""});
}

TEST_F(ConnectionTest, AppendsThroughAddNewAndInsertKeepTheFileExact) {
    makeTemplate();
    {
        auto set = change("SELECT * FROM Tavrolin");
        ASSERT_TRUE(set->addNew().isOk());
        EXPECT_FALSE(set->eof());
        ASSERT_TRUE(set->setValue("VID", Value::number(1)).isOk());
        ASSERT_TRUE(set->setValue("MP_TYPE", Value::text("0x02")).isOk());
        ASSERT_TRUE(set->update().isOk());
        EXPECT_EQ(set->recordCount(), 7);
        EXPECT_EQ(set->value("MP_TYPE")->asText(), "0x02");
        // An INSERT while the set is open shares the table's append buffer.
        execute("INSERT INTO tavrolin (VID,MP_TYPE) VALUES (2,\"0x03\")");
        ASSERT_TRUE(set->addNew().isOk());
        ASSERT_TRUE(set->setValue("MP_TYPE", Value::text("0x05")).isOk());
        set->cancelUpdate();  // a row given up halfway never reaches the file
        ASSERT_TRUE(set->addNew().isOk());
        ASSERT_TRUE(set->setValue("MP_TYPE", Value::text("0x04")).isOk());
        EXPECT_TRUE(set->close().isOk());  // stores the added row
    }
    ASSERT_TRUE(connection.close().isOk());
    const std::string bytes = readFile(folder.file("Tavrolin.dbf"));
    EXPECT_EQ(recordCountOf(bytes), 9u);
    ASSERT_EQ(bytes.size(), (32 * 7 + 1) + 9 * (1 + 1 + 1 + 10 + 20 + 1 + 10) + 1);
    EXPECT_EQ(bytes.back(), '\x1A');
    ASSERT_TRUE(connection.open(folder.path()).isOk());
    EXPECT_EQ(column("SELECT * FROM Tavrolin ORDER BY MP_TYPE", "MP_TYPE"),
              (Texts{"0x01", "0x01", "0x02", "0x03", "0x04", "0x2c00", "0x4b", "0x4b", "0x4b"}));
}

// Values are encoded byte for byte: numbers right-aligned, text cut to its width in code page
// 1251, a repeated column's later value whole, columns not named blank, also when the column
// lists of the rows take turns (more lists than the store keeps resolved).
TEST_F(ConnectionTest, InsertEncodesValuesByteForByte) {
    execute(
        "CREATE TABLE polygon.dbf (LVL char(1),TYPE char(7),L_LIMIT numeric(2,0),"
        "DEPTH numeric(6,2),[VALUE] char(254),SHORT char(5))");
    execute(
        "INSERT INTO polygon (LVL,TYPE,[VALUE],L_LIMIT,DEPTH,SHORT) VALUES "
        "(\"1\",\"0x4b\",\"Озеро 'Глубокое', (5м)\",25,-2.5,'Длинный текст')");
    execute("INSERT INTO polygon (LVL,L_LIMIT,[VALUE]) VALUES (Null,Null,'€™')");
    std::string label;  // a char(254) column holds all 254 letters of a label
    for (int i = 0; i < 254; ++i) label += "ж";
    execute("INSERT INTO polygon (LVL,[VALUE]) VALUES ('2',\"" + label + "\")");
    EXPECT_EQ(column("SELECT * FROM polygon", "VALUE"),
              (Texts{"Озеро 'Глубокое', (5м)", "€™", label}));
    EXPECT_EQ(column("SELECT * FROM polygon", "SHORT"), (Texts{"Длинн", "", ""}));
    ASSERT_TRUE(connection.flush().isOk());
    EXPECT_EQ(readFile(folder.file("polygon.dbf")).substr(32 * 7 + 1, 17), " 10x4b   25 -2.50");

    execute("CREATE TABLE t.dbf (A char(6),N numeric(4,0),B char(2))");
    execute("INSERT INTO t (A,N,A,N) VALUES ('Озеро',1234,'ab',7)");
    std::string expected = " ab       7  ";
    for (int i = 0; i < 40; ++i) {
        const int shape = (i * 7) % 20;  // 20 lists, in a changing order
        const std::string blanks(static_cast<std::size_t>(shape % 5), ' ');
        const std::string number = (shape < 10 ? "   " : "  ") + std::to_string(shape);
        if (shape % 2 == 0) {
            execute("INSERT INTO t (A," + blanks + "N) VALUES ('a', " + number + ")");
            expected += " a     " + number + "  ";
        } else {
            execute("INSERT INTO t (N," + blanks + "B) VALUES (" + number + ",'b')");
            expected += "       " + number + "b ";
        }
    }
    ASSERT_TRUE(connection.flush().isOk());
    EXPECT_EQ(readFile(folder.file("t.dbf")).substr(32 * 4 + 1), expected + "\x1A");
}

// An appender fails as the matching INSERT fails (its rows are compared byte for byte with the
// statements' in the conversion tests), and lives as long as the connection.
TEST_F(ConnectionTest, AppenderFailsAsTheMatchingInsertFails) {
    execute("CREATE TABLE t.dbf (LVL char(1),N numeric(5,2),M numeric(2,0))");
    Result<RowAppender> appender = connection.appender("t");
    ASSERT_TRUE(appender.isOk()) << appender.status().toString();
    const std::pair<const char*, const char*> bad[] = {
        {"NOPE", "1"}, {"M", "123"}, {"N", "'1.2.3'"}, {"M,N", "1"}, {"M", "x"}};
    for (const auto& [columns, values] : bad) {
        const Status statement = connection.execute(std::string("INSERT INTO t (") + columns +
                                                    ") VALUES (" + values + ")");
        std::vector<char> image;
        const Status prepared = appender->prepare(columns, values, image);
        ASSERT_FALSE(statement.isOk()) << columns;
        EXPECT_EQ(prepared.number(), statement.number()) << columns;
        if (statement.number() != err::kSyntax) {
            EXPECT_EQ(prepared.description(), statement.description());
        }
    }
    EXPECT_EQ(appender->column("NOPE").status().number(), err::kItemNotFound);
    EXPECT_TRUE(appender->stillOpen());
    ASSERT_TRUE(connection.close().isOk());
    EXPECT_FALSE(appender->stillOpen());
}

// The refusals that need the table (the parser's own are the parser's tests); a refused INSERT
// leaves no row behind.
TEST_F(ConnectionTest, RefusesWhatTheTableCannotTake) {
    makeTemplate();
    const std::pair<const char*, int> cases[] = {
        {"SELECT * FROM nothere", err::kTableNotFound},
        {"SELECT * FROM Tavrolin ORDER BY NOPE", err::kItemNotFound},
        {"SELECT * FROM Tavrolin WHERE VID='x'", err::kTypeMismatch},
        {"CREATE TABLE x.dbf (ELEVENCHARS char(3))", err::kInvalidArgument},
        {"INSERT INTO Tavrolin (VID) VALUES (12)", err::kOverflow},
        {"INSERT INTO Tavrolin (NOPE) VALUES (1)", err::kItemNotFound},
        {"INSERT INTO nothere (LVL) VALUES (1)", err::kTableNotFound}};
    for (const auto& [sql, number] : cases) {
        const std::string text = sql;
        const Status status = text.rfind("SELECT", 0) == 0 ? connection.openRecordSet(text).status()
                                                           : connection.execute(text);
        EXPECT_EQ(status.number(), number) << sql;
    }
    EXPECT_EQ(column("SELECT * FROM Tavrolin", "VID").size(), 6u);
    EXPECT_FALSE(std::filesystem::exists(folder.file("x.dbf")));
}

TEST_F(ConnectionTest, ReadsWhatOtherWritersLeave) {
    // Deleted records, '*'-filled numbers, a blank C and N, a 300-byte C field, lower-case
    // field names.
    const std::string name300 = std::string(299, 'x') + "y";
    const std::string blank(300, ' ');
    writeFile(folder.file("other.dbf"),
              buildTable({{"name", 'C', 300, 0}, {"NUM", 'N', 5, 1}},
                         {" " + name300 + "  2.5", "*" + std::string(300, 'd') + "  1.0",
                          " " + blank + "*****", " " + blank + "     "}));
    EXPECT_EQ(column("SELECT * FROM other", "NAME"), (Texts{name300, "", ""}));
    EXPECT_EQ(column("SELECT * FROM other WHERE NAME Is Null AND NUM Is Null", "NUM").size(), 2u);
    EXPECT_EQ(column("SELECT * FROM other WHERE NUM=1", "NUM").size(), 0u);
    execute("INSERT INTO other (NAME,NUM) VALUES ('z',1)");
    auto changed = change("SELECT * FROM other WHERE NUM=1");
    ASSERT_TRUE(changed->setValue("Name", Value::text("w")).isOk());
    ASSERT_TRUE(changed->update().isOk());
    EXPECT_TRUE(changed->close().isOk());
    EXPECT_EQ(column("SELECT * FROM other WHERE name='W'", "NUM"), Texts{"1"});
}

TEST_F(ConnectionTest, PendingAppendsReachTheFileBeforeItIsMoved) {
    execute("CREATE TABLE line.dbf (A char(2))");
    execute("INSERT INTO line (A) VALUES ('x')");
    // Until flushed, the file on disk is still a complete (empty) table.
    EXPECT_EQ(recordCountOf(readFile(folder.file("line.dbf"))), 0u);
    ASSERT_TRUE(releaseTableFile(folder.file("line.dbf")).isOk());
    const std::string bytes = readFile(folder.file("line.dbf"));
    EXPECT_EQ(recordCountOf(bytes), 1u);
    EXPECT_EQ(bytes.substr(bytes.size() - 4), " x \x1A");
    // Deleted and created anew: rows go to the new file, not the old handle.
    std::filesystem::remove(folder.file("line.dbf"));
    execute("CREATE TABLE line.dbf (A char(2))");
    execute("INSERT INTO line (A) VALUES ('y')");
    EXPECT_EQ(column("SELECT * FROM line", "A"), Texts{"y"});
}

#ifndef _WIN32  // a file-size limit of POSIX stands for the full disk
using ConnectionDeathTest = ConnectionTest;

// Moving off a changed row stores it; a row that cannot be stored fails the move instead of
// being lost quietly.
TEST_F(ConnectionDeathTest, AMoveReportsTheRowItCouldNotStore) {
    makeTemplate();
    ASSERT_TRUE(connection.close().isOk());
    const rlim_t size = readFile(folder.file("Tavrolin.dbf")).size() + 64 * 1024;
    // In a child: adds rows until a move fails; exits 0 when that is a full disk.
    const auto addUnderALimit = [&] {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{size, size};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        Connection writer;
        Status status = writer.open(folder.path());
        auto set = writer.openRecordSet("SELECT * FROM Tavrolin", LockType::Optimistic);
        for (int i = 0; set && status && i < 60000; ++i) {
            status = set->addNew();
            if (status) status = set->setValue("MP_TYPE", Value::text("0x4b"));
            if (status) status = set->moveNext();
        }
        std::_Exit(status.number() == err::kDiskFull ? 0 : 1);
    };
    EXPECT_EXIT(addUnderALimit(), ::testing::ExitedWithCode(0), "");
}
#endif

TEST(Connection, OpensOnlyReadableFolders) {
    Connection connection;
    EXPECT_EQ(connection.open("/nonexistent/folder").number(), err::kPathNotFound);
    EXPECT_FALSE(connection.isOpen());
    EXPECT_FALSE(connection.execute("CREATE TABLE x.dbf (A char(1))").isOk());
}

}  // namespace
}  // namespace tavrolin::store
