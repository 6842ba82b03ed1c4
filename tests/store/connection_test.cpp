// The folder connection end to end: statements, record sets, changes and appends on real files.
#include "store/connection.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "store/dbf_table.h"
#include "store_test_util.h"

namespace tavrolin::store {
namespace {

using testing::buildTable;
using testing::readFile;
using testing::recordCountOf;
using testing::TempFolder;
using testing::writeFile;

class ConnectionTest : public ::testing::Test {
   protected:
    void SetUp() override { ASSERT_TRUE(connection.open(folder.path()).isOk()); }

    // A small template: VID, YN, MP_TYPE, MP_NAME, LVL, VALUE.
    void makeTemplate() {
        ASSERT_TRUE(connection
                        .execute("CREATE TABLE Tavrolin.dbf (VID numeric(1,0),YN numeric(1,0),"
                                 "MP_TYPE char(10),MP_NAME char(20),LVL char(1),[VALUE] char(10))")
                        .isOk());
        const char* rows[] = {
            "(0,0,'0x4b','Озеро',Null,'a')",    "(0,1,'0x4b','Моё озеро','1','b')",
            "(0,Null,'0x4b','Пусто',Null,'c')", "(1,0,'0x01','ДОРОГА',Null,Null)",
            "(0,0,'0x01','Город',Null,'d')",    "(2,0,'0x2c00','Точка','2',Null)",
        };
        for (const char* values : rows) {
            const std::string sql =
                std::string("INSERT INTO TAVROLIN (VID,YN,MP_TYPE,MP_NAME,LVL,[VALUE]) VALUES ") +
                values;
            ASSERT_TRUE(connection.execute(sql).isOk()) << sql;
        }
    }

    // The values of one column over the whole set, as text.
    static std::vector<std::string> column(RecordSet& set, const std::string& name) {
        std::vector<std::string> out;
        for (set.moveFirst(); !set.eof(); set.moveNext()) out.push_back(set.value(name)->toText());
        return out;
    }

    Result<RecordSet> select(const std::string& sql, LockType lock = LockType::ReadOnly) {
        return connection.openRecordSet(sql, lock);
    }

    TempFolder folder;
    Connection connection;
};

TEST_F(ConnectionTest, ResolvesTableNamesIgnoringCase) {
    writeFile(folder.file("Tavrolin.dbf"), buildTable({{"A", 'C', 3, 0}}, {" abc"}));
    for (const char* name : {"TAVROLIN", "tavrolin", "Tavrolin"}) {
        auto set = select(std::string("SELECT * FROM ") + name);
        ASSERT_TRUE(set.isOk()) << set.status().toString();
        EXPECT_EQ(set->recordCount(), 1);
    }
    auto missing = select("SELECT * FROM nothere");
    ASSERT_FALSE(missing.isOk());
    EXPECT_EQ(missing.status().number(), err::kTableNotFound);
    // Creating over an existing table, in any letter case, fails.
    EXPECT_EQ(connection.execute("CREATE TABLE TAVROLIN.DBF (A char(1))").number(),
              err::kFileAlreadyExists);

    // A name with its extension (as the migration utility gives it) is the same table, also
    // for changes: appends through either name follow each other.
    ASSERT_TRUE(connection.execute("INSERT INTO Tavrolin (A) VALUES ('def')").isOk());
    {
        auto set = select("SELECT * FROM tavrolin.DBF", LockType::Optimistic);
        ASSERT_TRUE(set.isOk()) << set.status().toString();
        EXPECT_EQ(set->recordCount(), 2);
        ASSERT_TRUE(set->addNew().isOk());
        ASSERT_TRUE(set->setValue("A", Value::text("ghi")).isOk());
        ASSERT_TRUE(set->update().isOk());
    }
    ASSERT_TRUE(connection.execute("INSERT INTO TAVROLIN (A) VALUES ('jkl')").isOk());
    auto all = select("SELECT * FROM Tavrolin.dbf");
    ASSERT_TRUE(all.isOk()) << all.status().toString();
    EXPECT_EQ(column(*all, "A"), (std::vector<std::string>{"abc", "def", "ghi", "jkl"}));
    EXPECT_EQ(select("SELECT * FROM Tavrolin.dbf.dbf").status().number(), err::kTableNotFound);

    // Beside a name that differs in letter case only, the file named exactly is the table. A
    // file system that ignores letter case (Windows) cannot hold both names.
    if (std::filesystem::exists(folder.file("TAVROLIN.DBF"))) return;
    writeFile(folder.file("TAVROLIN.DBF"), buildTable({{"B", 'C', 3, 0}}, {" xyz"}));
    for (const char* name : {"TAVROLIN.DBF", "Tavrolin.dbf"}) {
        auto set = select(std::string("SELECT * FROM ") + name, LockType::Optimistic);
        ASSERT_TRUE(set.isOk()) << set.status().toString();
        EXPECT_EQ(set->field(0).name, name[1] == 'A' ? "B" : "A") << name;
    }
}

TEST_F(ConnectionTest, SelectShapesFilterAndOrder) {
    makeTemplate();
    auto all = select("SELECT * FROM Tavrolin ORDER BY VID, MP_TYPE");
    ASSERT_TRUE(all.isOk()) << all.status().toString();
    EXPECT_EQ(all->recordCount(), 6);
    EXPECT_EQ(column(*all, "MP_NAME"), (std::vector<std::string>{"Город", "Озеро", "Моё озеро",
                                                                 "Пусто", "ДОРОГА", "Точка"}));

    // YN 1 before YN 0 within a type; an empty YN last.
    auto kind = select("SELECT * FROM Tavrolin WHERE VID=0 ORDER BY MP_TYPE, YN DESC");
    ASSERT_TRUE(kind.isOk()) << kind.status().toString();
    EXPECT_EQ(column(*kind, "MP_NAME"),
              (std::vector<std::string>{"Город", "Моё озеро", "Озеро", "Пусто"}));

    // Text equality ignores letter case and trailing blanks.
    auto one = select(
        "select * from tavrolin where VID=0 and MP_TYPE='0X4B  ' "
        "order by MP_TYPE, YN desc");
    ASSERT_TRUE(one.isOk()) << one.status().toString();
    EXPECT_EQ(column(*one, "YN"), (std::vector<std::string>{"1", "0", ""}));
    auto noOrder = select("SELECT * FROM Tavrolin WHERE VID=0 AND MP_TYPE='0x4b'");
    EXPECT_EQ(noOrder->recordCount(), 3);
    auto cyrillic = select("SELECT * FROM Tavrolin WHERE MP_NAME='дорога'");
    EXPECT_EQ(cyrillic->recordCount(), 1);

    auto nulls = select("SELECT * FROM Tavrolin WHERE LVL Is Null AND Not [VALUE] Is Null");
    ASSERT_TRUE(nulls.isOk()) << nulls.status().toString();
    EXPECT_EQ(column(*nulls, "VALUE"), (std::vector<std::string>{"a", "c", "d"}));

    // Ascending puts empty values first.
    auto ascending = select("SELECT * FROM Tavrolin WHERE VID=0 ORDER BY YN, MP_TYPE");
    EXPECT_EQ(column(*ascending, "YN"), (std::vector<std::string>{"", "0", "0", "1"}));
}

// Text orders as WHERE and Find compare it: by the code page 1251 bytes after case folding, ties
// in file order - also past the first eight bytes.
TEST_F(ConnectionTest, TextOrdersByFoldedCp1251Bytes) {
    ASSERT_TRUE(connection.execute("CREATE TABLE t.dbf (N char(12), K numeric(1,0));").isOk());
    const std::pair<const char*, int> rows[] = {
        {"б", 0},    {"Я", 0},    {"ё", 0},          {"Z", 0},          {"а", 0},          {"a", 0},
        {"0X28", 0}, {"0x28", 1}, {"ABCDEFGHIJ", 0}, {"abcdefghii", 0}, {"abcdefghiJ", 1}, {"Ё", 1},
    };
    for (const auto& [text, key] : rows) {
        ASSERT_TRUE(connection
                        .execute(std::string("INSERT INTO t (N,K) VALUES ('") + text + "'," +
                                 std::to_string(key) + ")")
                        .isOk());
    }
    // 0 0x30, a 0x61, z 0x7A, ё 0xB8, а 0xE0, б 0xE1, я 0xFF.
    auto set = select("SELECT * FROM t ORDER BY N");
    EXPECT_EQ(column(*set, "N"),
              (std::vector<std::string>{"0X28", "0x28", "a", "abcdefghii", "ABCDEFGHIJ",
                                        "abcdefghiJ", "Z", "ё", "Ё", "а", "б", "Я"}));
    // A user's row (K 1) of a type beats the standard one (K 0) whatever the letter case.
    auto byKey = select("SELECT * FROM t ORDER BY N, K DESC");
    const std::vector<std::string> keys = column(*byKey, "N");
    EXPECT_EQ(std::vector<std::string>(keys.begin(), keys.begin() + 2),
              (std::vector<std::string>{"0x28", "0X28"}));
    auto descending = select("SELECT * FROM t ORDER BY N DESC");
    EXPECT_EQ(column(*descending, "N"),
              (std::vector<std::string>{"Я", "б", "а", "ё", "Ё", "Z", "ABCDEFGHIJ", "abcdefghiJ",
                                        "abcdefghii", "a", "0X28", "0x28"}));
}

TEST_F(ConnectionTest, MovesFindsAndReportsMissingItems) {
    makeTemplate();
    auto empty = select("SELECT * FROM Tavrolin WHERE VID=7");
    ASSERT_TRUE(empty.isOk());
    EXPECT_TRUE(empty->bof());
    EXPECT_TRUE(empty->eof());
    EXPECT_EQ(empty->value("VID").status().number(), err::kNoCurrentRecord);

    auto set = select("SELECT * FROM Tavrolin WHERE VID=0 ORDER BY MP_TYPE, YN DESC");
    ASSERT_TRUE(set.isOk());
    EXPECT_FALSE(set->bof());
    EXPECT_EQ(set->fieldCount(), 6);
    EXPECT_EQ(set->field(5).name, "VALUE");
    EXPECT_EQ(*set->fieldIndex("mp_type"), 2);
    EXPECT_EQ(set->fieldIndex("MP_ENG").status().number(), err::kItemNotFound);
    EXPECT_EQ(set->value("MP_ENG").status().number(), err::kItemNotFound);

    ASSERT_TRUE(set->find("MP_TYPE='0X4B'").isOk());
    ASSERT_FALSE(set->eof());
    EXPECT_EQ(set->value("MP_NAME")->asText(), "Моё озеро");
    set->moveNext();
    ASSERT_TRUE(set->find("MP_TYPE='0x4b'").isOk());  // from the current row forward
    EXPECT_EQ(set->value("MP_NAME")->asText(), "Озеро");
    ASSERT_TRUE(set->find("MP_TYPE='0x01'").isOk());  // behind us: not found
    EXPECT_TRUE(set->eof());
    set->moveFirst();
    ASSERT_TRUE(set->find("MP_TYPE='0x01'").isOk());
    EXPECT_EQ(set->value("MP_NAME")->asText(), "Город");
    ASSERT_TRUE(set->find("MP_TYPE='0x99'").isOk());
    EXPECT_TRUE(set->eof());
    set->moveNext();  // stays at EOF
    EXPECT_TRUE(set->eof());
    EXPECT_FALSE(set->find("MP_TYPE=").isOk());
}

TEST_F(ConnectionTest, ReadOnlySetsRefuseChanges) {
    makeTemplate();
    auto set = select("SELECT * FROM Tavrolin");
    EXPECT_EQ(set->setValue("LVL", Value::text("1")).number(), err::kReadOnly);
    EXPECT_EQ(set->addNew().number(), err::kReadOnly);
}

TEST_F(ConnectionTest, UpdatesRowsInPlace) {
    makeTemplate();
    ASSERT_TRUE(connection.flush().isOk());
    const std::string before = readFile(folder.file("Tavrolin.dbf"));
    {
        auto set =
            select("SELECT * FROM Tavrolin WHERE VID=0 AND MP_TYPE='0x01'", LockType::Optimistic);
        ASSERT_TRUE(set.isOk()) << set.status().toString();
        ASSERT_EQ(set->recordCount(), 1);
        ASSERT_TRUE(set->setValue("MP_NAME", Value::text("Столица")).isOk());
        ASSERT_TRUE(set->setValue("YN", Value::number(1)).isOk());
        ASSERT_TRUE(set->setValue("VALUE", Value()).isOk());
        // A refused value leaves the row as it was.
        EXPECT_EQ(set->setValue("YN", Value::number(12)).number(), err::kOverflow);
        EXPECT_EQ(set->setValue("YN", Value::text("x")).number(), err::kTypeMismatch);
        EXPECT_EQ(set->setValue("NOPE", Value::text("x")).number(), err::kItemNotFound);
        ASSERT_TRUE(set->update().isOk());
        EXPECT_EQ(set->value("MP_NAME")->asText(), "Столица");
    }
    const std::string after = readFile(folder.file("Tavrolin.dbf"));
    EXPECT_EQ(after.size(), before.size());
    auto check = select("SELECT * FROM Tavrolin WHERE MP_NAME='столица'");
    ASSERT_EQ(check->recordCount(), 1);
    EXPECT_EQ(check->value("YN")->asNumber(), 1);
    EXPECT_TRUE(check->value("VALUE")->isNull());
    EXPECT_EQ(check->value("VID")->asNumber(), 0);
}

TEST_F(ConnectionTest, ChangesByFieldNumberAndCancelledChanges) {
    makeTemplate();
    {
        auto set = select("SELECT * FROM Tavrolin WHERE MP_TYPE='0x01'", LockType::Optimistic);
        ASSERT_TRUE(set.isOk()) << set.status().toString();
        const int name = *set->fieldIndex("MP_NAME");
        EXPECT_EQ(set->setValue(set->fieldCount(), Value::text("x")).number(), err::kItemNotFound);
        ASSERT_TRUE(set->setValue(name, Value::text("Брошено")).isOk());
        set->cancelUpdate();  // neither stored by update() nor by closing
        ASSERT_TRUE(set->update().isOk());
        ASSERT_TRUE(set->setValue(name, Value::text("Оставлено")).isOk());
        set->cancelUpdate();
    }
    {
        // A value encoded once and set on every row; refusals come from encode().
        auto set = select("SELECT * FROM Tavrolin", LockType::Optimistic);
        const int yn = *set->fieldIndex("YN");
        EXPECT_EQ(set->encode(yn, Value::number(12)).status().number(), err::kOverflow);
        Result<RecordSet::EncodedValue> one = set->encode(yn, Value::number(1));
        ASSERT_TRUE(one.isOk());
        EXPECT_EQ(set->setEncoded({yn, "12"}).number(), err::kInvalidArgument);
        for (; !set->eof(); set->moveNext()) ASSERT_TRUE(set->setEncoded(*one).isOk());
    }
    for (auto all = select("SELECT * FROM Tavrolin"); !all->eof(); all->moveNext()) {
        EXPECT_EQ(all->value("YN")->asNumber(), 1);
    }
    EXPECT_EQ(select("SELECT * FROM Tavrolin WHERE MP_NAME='брошено'")->recordCount(), 0);
    EXPECT_EQ(select("SELECT * FROM Tavrolin WHERE MP_NAME='оставлено'")->recordCount(), 0);
    EXPECT_EQ(select("SELECT * FROM Tavrolin WHERE MP_TYPE='0x01'", LockType::ReadOnly)
                  ->setValue(0, Value::number(1))
                  .number(),
              err::kReadOnly);
}

TEST_F(ConnectionTest, AppendsThroughAddNewAndInsertKeepTheFileExact) {
    makeTemplate();
    {
        auto set = select("SELECT * FROM Tavrolin", LockType::Optimistic);
        ASSERT_TRUE(set.isOk());
        ASSERT_TRUE(set->addNew().isOk());
        EXPECT_FALSE(set->eof());
        ASSERT_TRUE(set->setValue("VID", Value::number(1)).isOk());
        ASSERT_TRUE(set->setValue("MP_TYPE", Value::text("0x02")).isOk());
        ASSERT_TRUE(set->update().isOk());
        EXPECT_EQ(set->recordCount(), 7);
        EXPECT_EQ(set->value("MP_TYPE")->asText(), "0x02");
        // An INSERT while the set is open shares the table's append buffer.
        ASSERT_TRUE(
            connection.execute("INSERT INTO tavrolin (VID,MP_TYPE) VALUES (2,\"0x03\")").isOk());
        ASSERT_TRUE(set->addNew().isOk());
        ASSERT_TRUE(set->setValue("MP_TYPE", Value::text("0x05")).isOk());
        set->cancelUpdate();  // a row given up halfway never reaches the file
        ASSERT_TRUE(set->addNew().isOk());
        ASSERT_TRUE(set->setValue("MP_TYPE", Value::text("0x04")).isOk());
        EXPECT_TRUE(set->close().isOk());  // stores the added row
    }
    ASSERT_TRUE(connection.close().isOk());
    const std::string bytes = readFile(folder.file("Tavrolin.dbf"));
    const std::size_t headerLength = 32 * 7 + 1;
    const std::size_t recordLength = 1 + 1 + 1 + 10 + 20 + 1 + 10;
    EXPECT_EQ(recordCountOf(bytes), 9u);
    ASSERT_EQ(bytes.size(), headerLength + 9 * recordLength + 1);
    EXPECT_EQ(bytes.back(), '\x1A');

    ASSERT_TRUE(connection.open(folder.path()).isOk());
    auto set = select("SELECT * FROM Tavrolin WHERE VID=2 ORDER BY MP_TYPE");
    EXPECT_EQ(column(*set, "MP_TYPE"), (std::vector<std::string>{"0x03", "0x2c00"}));
}

TEST_F(ConnectionTest, InsertEncodesValuesAndRefusesBadOnes) {
    ASSERT_TRUE(connection
                    .execute("CREATE TABLE polygon.dbf (LVL char(1),TYPE char(7),"
                             "L_LIMIT numeric(2,0),DEPTH numeric(6,2),[VALUE] char(254),"
                             "SHORT char(5))")
                    .isOk());
    ASSERT_TRUE(connection
                    .execute("INSERT INTO polygon (LVL,TYPE,[VALUE],L_LIMIT,DEPTH,SHORT) VALUES "
                             "(\"1\",\"0x4b\",\"Озеро 'Глубокое', (5м)\",25,-2.5,"
                             "'Длинный текст')")
                    .isOk());
    ASSERT_TRUE(
        connection.execute("INSERT INTO polygon (LVL,L_LIMIT,[VALUE]) VALUES (Null,Null,'€™')")
            .isOk());
    // Errors leave no row behind.
    EXPECT_EQ(connection.execute("INSERT INTO polygon (L_LIMIT) VALUES (123)").number(),
              err::kOverflow);
    EXPECT_EQ(connection.execute("INSERT INTO polygon (DEPTH) VALUES (1000.5)").number(),
              err::kOverflow);
    EXPECT_EQ(connection.execute("INSERT INTO polygon (L_LIMIT) VALUES ('abc')").number(),
              err::kTypeMismatch);
    EXPECT_EQ(connection.execute("INSERT INTO polygon (NOPE) VALUES (1)").number(),
              err::kItemNotFound);
    EXPECT_EQ(connection.execute("INSERT INTO polygon (LVL,TYPE) VALUES (1)").number(),
              err::kSyntax);
    EXPECT_EQ(connection.execute("INSERT INTO nothere (LVL) VALUES (1)").number(),
              err::kTableNotFound);

    auto set = select("SELECT * FROM polygon");
    ASSERT_EQ(set->recordCount(), 2);
    EXPECT_EQ(set->value("VALUE")->asText(), "Озеро 'Глубокое', (5м)");
    EXPECT_EQ(set->value("L_LIMIT")->asNumber(), 25);
    EXPECT_EQ(set->value("DEPTH")->asNumber(), -2.5);
    EXPECT_EQ(set->value("SHORT")->asText(), "Длинн");
    set->moveNext();
    EXPECT_TRUE(set->value("LVL")->isNull());
    EXPECT_TRUE(set->value("L_LIMIT")->isNull());
    EXPECT_TRUE(set->value("TYPE")->isNull());  // not named: blank
    EXPECT_EQ(set->value("VALUE")->asText(), "€™");

    ASSERT_TRUE(connection.flush().isOk());
    const std::string bytes = readFile(folder.file("polygon.dbf"));
    const std::size_t headerLength = 32 * 7 + 1;
    const std::string first = bytes.substr(headerLength, 1 + 1 + 7 + 2 + 6);
    EXPECT_EQ(first, " 10x4b   25 -2.50");

    // A char(254) column holds all 254 letters of a label.
    std::string label;
    for (int i = 0; i < 254; ++i) label += "ж";
    ASSERT_TRUE(
        connection.execute("INSERT INTO polygon (LVL,[VALUE]) VALUES ('2',\"" + label + "\")")
            .isOk());
    auto full = select("SELECT * FROM polygon WHERE LVL='2'");
    ASSERT_EQ(full->recordCount(), 1);
    EXPECT_EQ(full->value("VALUE")->asText(), label);
}

// A column named twice keeps its later value, whole, also when it is the shorter one; rows of
// other column lists that follow start blank.
TEST_F(ConnectionTest, InsertOfARepeatedColumnKeepsTheLaterValue) {
    ASSERT_TRUE(
        connection.execute("CREATE TABLE t.dbf (NAME char(6),N numeric(4,0),TAIL char(2))").isOk());
    ASSERT_TRUE(
        connection.execute("INSERT INTO t (NAME,N,NAME,N) VALUES ('Озеро',1234,'ab',7)").isOk());
    ASSERT_TRUE(connection.execute("INSERT INTO t (TAIL) VALUES ('zz')").isOk());
    ASSERT_TRUE(connection.flush().isOk());
    const std::string bytes = readFile(folder.file("t.dbf"));
    const std::size_t headerLength = 32 * 4 + 1;
    EXPECT_EQ(bytes.substr(headerLength, 2 * 13), std::string(" ab       7  ") + "           zz");
}

// Rows whose column lists take turns, more lists than the store keeps resolved, each land in
// their own columns.
TEST_F(ConnectionTest, InsertsOfAlternatingColumnListsKeepTheirColumns) {
    ASSERT_TRUE(
        connection.execute("CREATE TABLE t.dbf (A char(2),B char(2),N numeric(2,0))").isOk());
    std::string expected;
    for (int i = 0; i < 60; ++i) {
        const int shape = (i * 7) % 20;  // 20 lists, in a changing order
        const std::string blanks(static_cast<std::size_t>(shape % 5), ' ');
        std::string sql;
        if (shape % 2 == 0) {
            sql = "INSERT INTO t (A," + blanks + "N) VALUES ('a', " + std::to_string(shape) + ")";
            expected += " a   " + std::string(shape < 10 ? " " : "") + std::to_string(shape);
        } else {
            sql = "INSERT INTO t (N," + blanks + "B) VALUES (" + std::to_string(shape) + ",'b')";
            expected += "   b " + std::string(shape < 10 ? " " : "") + std::to_string(shape);
        }
        ASSERT_TRUE(connection.execute(sql).isOk()) << sql;
    }
    ASSERT_TRUE(connection.flush().isOk());
    EXPECT_EQ(readFile(folder.file("t.dbf")).substr(32 * 4 + 1, expected.size()), expected);
}

// An appender stores what the matching INSERT stores, byte for byte, and fails as it fails.
TEST_F(ConnectionTest, AppenderRowsAreTheRowsOfTheMatchingInserts) {
    for (const char* table : {"byInsert", "byAppender"}) {
        ASSERT_TRUE(connection
                        .execute(std::string("CREATE TABLE ") + table +
                                 ".dbf (LVL char(1),TYPE char(7),N numeric(5,2),M numeric(2,0),"
                                 "[VALUE] char(8))")
                        .isOk());
    }
    struct Row {
        const char* columns;  // after LVL,TYPE,[VALUE]
        const char* values;
        const char* level;
        const char* label;
    };
    const Row rows[] = {
        {"", "", "", ""},
        {"N,M", "2.5,-7", "1", "Щука длинная"},
        {"M,M,N", "3,Null,1e1", "2", "a'b"},
        {"N,M", "-0.001,'7'", "", "Ёж"},
        {"N", "'12'", "", "x"},
    };
    Result<RowAppender> appender = connection.appender("byAppender");
    ASSERT_TRUE(appender.isOk()) << appender.status().toString();
    const int level = *appender->column("LVL");
    const int type = *appender->column("type");
    const int value = *appender->column("[VALUE]");
    for (const Row& row : rows) {
        const std::string columns = std::string(row.columns);
        ASSERT_TRUE(connection
                        .execute("INSERT INTO byInsert (LVL,TYPE,[VALUE]" +
                                 (columns.empty() ? "" : "," + columns) + ") VALUES (\"" +
                                 row.level + "\",\"0x4b\",\"" + row.label + "\"" +
                                 (columns.empty() ? "" : std::string(",") + row.values) + ")")
                        .isOk());
        std::vector<char> image;
        ASSERT_TRUE(appender->prepare(row.columns, row.values, image).isOk()) << row.columns;
        ASSERT_TRUE(
            appender->append(image, {{level, row.level}, {type, "0x4b"}, {value, row.label}})
                .isOk());
    }
    ASSERT_TRUE(connection.flush().isOk());
    const std::string expected = readFile(folder.file("byInsert.dbf"));
    const std::string written = readFile(folder.file("byAppender.dbf"));
    ASSERT_EQ(expected.size(), written.size());
    EXPECT_EQ(expected.substr(32), written.substr(32));  // all but the date and count prefix

    // Failures carry the statement's number and words.
    struct Bad {
        const char* columns;
        const char* values;
    };
    for (const Bad& bad :
         {Bad{"NOPE", "1"}, Bad{"M", "123"}, Bad{"N", "'1.2.3'"}, Bad{"M,N", "1"}, Bad{"M", "x"}}) {
        const Status statement = connection.execute(std::string("INSERT INTO byAppender (") +
                                                    bad.columns + ") VALUES (" + bad.values + ")");
        std::vector<char> image;
        const Status prepared = appender->prepare(bad.columns, bad.values, image);
        ASSERT_FALSE(statement.isOk()) << bad.columns;
        EXPECT_EQ(prepared.number(), statement.number()) << bad.columns;
        if (statement.number() != err::kSyntax) {
            EXPECT_EQ(prepared.description(), statement.description());
        }
    }
    EXPECT_EQ(appender->column("NOPE").status().number(), err::kItemNotFound);
    EXPECT_TRUE(appender->stillOpen());
    ASSERT_TRUE(connection.close().isOk());
    EXPECT_FALSE(appender->stillOpen());
}

TEST_F(ConnectionTest, RejectsMalformedStatements) {
    makeTemplate();
    for (const char* sql : {"SELECT FROM Tavrolin", "SELECT * Tavrolin",
                            "SELECT * FROM Tavrolin WHERE", "SELECT * FROM Tavrolin WHERE VID=",
                            "SELECT * FROM Tavrolin WHERE VID Is", "SELECT * FROM Tavrolin ORDER",
                            "SELECT * FROM Tavrolin WHERE MP_TYPE='0x4b", "SELECT * FROM T x"}) {
        auto set = select(sql);
        ASSERT_FALSE(set.isOk()) << sql;
        EXPECT_EQ(set.status().number(), err::kSyntax) << sql;
    }
    EXPECT_EQ(select("SELECT * FROM Tavrolin ORDER BY NOPE").status().number(), err::kItemNotFound);
    EXPECT_EQ(select("SELECT * FROM Tavrolin WHERE VID='x'").status().number(), err::kTypeMismatch);
    for (const char* sql : {"DROP TABLE x", "CREATE TABLE x.dbf (A text(3))",
                            "CREATE TABLE x.dbf (A char(3)", "INSERT INTO Tavrolin VALUES (1)",
                            "INSERT INTO Tavrolin (VID) VALUES (1", "CREATE TABLE x.dbf ()"}) {
        EXPECT_EQ(connection.execute(sql).number(), err::kSyntax) << sql;
    }
    EXPECT_EQ(connection.execute("CREATE TABLE x.dbf (A char(0))").number(), err::kInvalidArgument);
    EXPECT_EQ(connection.execute("CREATE TABLE x.dbf (ELEVENCHARS char(3))").number(),
              err::kInvalidArgument);
    EXPECT_EQ(connection.execute("CREATE TABLE x.dbf (A char(3), a char(2))").number(),
              err::kInvalidArgument);
}

TEST_F(ConnectionTest, ReadsWhatOtherWritersLeave) {
    // Deleted records, '*'-filled numbers, a blank C and N, a 300-byte C field.
    const std::vector<FieldInfo> fields = {{"NAME", 'C', 300, 0}, {"NUM", 'N', 5, 1}};
    const std::string name300 = std::string(299, 'x') + "y";
    writeFile(folder.file("other.dbf"),
              buildTable(fields, {" " + name300 + "  2.5", "*" + std::string(300, 'd') + "  1.0",
                                  " " + std::string(300, ' ') + "*****",
                                  " " + std::string(300, ' ') + "     "}));
    auto set = select("SELECT * FROM other");
    ASSERT_TRUE(set.isOk()) << set.status().toString();
    EXPECT_EQ(set->field(0).length, 300);
    ASSERT_EQ(set->recordCount(), 3);
    EXPECT_EQ(set->value("NAME")->asText(), name300);
    auto nulls = select("SELECT * FROM other WHERE NAME Is Null AND NUM Is Null");
    EXPECT_EQ(nulls->recordCount(), 2);
    auto deleted = select("SELECT * FROM other WHERE NUM=1");
    EXPECT_EQ(deleted->recordCount(), 0);
}

TEST_F(ConnectionTest, FindsLowerCaseFieldNamesOfOtherWriters) {
    writeFile(folder.file("other.dbf"),
              buildTable({{"mp_type", 'C', 6, 0}, {"vid", 'N', 1, 0}}, {" 0x4b  0"}));
    ASSERT_TRUE(connection.execute("INSERT INTO other (MP_TYPE,VID) VALUES ('0x01',1)").isOk());
    auto set = select("SELECT * FROM other WHERE VID=1 ORDER BY MP_TYPE", LockType::Optimistic);
    ASSERT_TRUE(set.isOk()) << set.status().toString();
    ASSERT_EQ(set->recordCount(), 1);
    EXPECT_EQ(set->value("MP_TYPE")->asText(), "0x01");
    ASSERT_TRUE(set->setValue("Mp_Type", Value::text("0x02")).isOk());
    ASSERT_TRUE(set->update().isOk());
    EXPECT_TRUE(set->close().isOk());
    EXPECT_EQ(select("SELECT * FROM other WHERE mp_type='0x02'")->recordCount(), 1);
}

TEST_F(ConnectionTest, PendingAppendsReachTheFileBeforeItIsMoved) {
    ASSERT_TRUE(connection.execute("CREATE TABLE line.dbf (A char(2))").isOk());
    ASSERT_TRUE(connection.execute("INSERT INTO line (A) VALUES ('x')").isOk());
    // Until flushed, the file on disk is still a complete (empty) table.
    EXPECT_EQ(recordCountOf(readFile(folder.file("line.dbf"))), 0u);
    ASSERT_TRUE(releaseTableFile(folder.file("line.dbf")).isOk());
    const std::string bytes = readFile(folder.file("line.dbf"));
    EXPECT_EQ(recordCountOf(bytes), 1u);
    EXPECT_EQ(bytes.substr(bytes.size() - 4), " x \x1A");

    // Deleted and created anew: rows go to the new file, not the old handle.
    std::filesystem::remove(folder.file("line.dbf"));
    ASSERT_TRUE(connection.execute("CREATE TABLE line.dbf (A char(2))").isOk());
    ASSERT_TRUE(connection.execute("INSERT INTO line (A) VALUES ('y')").isOk());
    auto set = select("SELECT * FROM line");
    ASSERT_EQ(set->recordCount(), 1);
    EXPECT_EQ(set->value("A")->asText(), "y");
}

TEST(Connection, OpensOnlyReadableFolders) {
    Connection connection;
    EXPECT_FALSE(connection.isOpen());
    EXPECT_EQ(connection.open("/nonexistent/folder").number(), err::kPathNotFound);
    EXPECT_FALSE(connection.openRecordSet("SELECT * FROM x").isOk());
    EXPECT_FALSE(connection.execute("CREATE TABLE x.dbf (A char(1))").isOk());
    TempFolder folder;
    ASSERT_TRUE(connection.open(folder.path()).isOk());
    EXPECT_EQ(connection.folder(), folder.path());
    EXPECT_TRUE(connection.close().isOk());
    EXPECT_TRUE(connection.close().isOk());
}

}  // namespace
}  // namespace tavrolin::store
