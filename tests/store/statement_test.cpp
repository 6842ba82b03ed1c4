// The statement grammar: every shape the program issues, and what the parser makes of it.
#include "store/statement.h"

#include <gtest/gtest.h>

namespace tavrolin::store {
namespace {

// The shapes of SELECT are tested through the connection; here what only the parser shows.
TEST(Statement, KeywordsAreWholeWordsAndQuotesHoldTheOtherQuote) {
    auto select = parseSelect("SELECT * FROM t WHERE ORDERX=\"a 'b' AND c\" ORDER BY ORDERX ASC");
    ASSERT_TRUE(select.isOk()) << select.status().toString();
    ASSERT_EQ(select->where.size(), 1u);
    EXPECT_EQ(select->where[0].column, "ORDERX");
    EXPECT_EQ(select->where[0].literal, "a 'b' AND c");
    ASSERT_EQ(select->orderBy.size(), 1u);
    EXPECT_FALSE(select->orderBy[0].descending);
    auto criterion = parseCriterion("MP_TYPE='0x4b'");
    ASSERT_TRUE(criterion.isOk());
    EXPECT_EQ(criterion->column + "=" + criterion->literal, "MP_TYPE=0x4b");
    EXPECT_FALSE(parseCriterion("MP_TYPE Is Null").isOk());
    EXPECT_FALSE(parseCriterion("MP_TYPE='a' AND X=1").isOk());
}

// Tables made through the connection cover the usual CREATE; here its other spellings.
TEST(Statement, ParsesCreateTable) {
    auto lower = parseCreate("create table line (a Char ( 3 ) , b NUMERIC(6,2));");
    ASSERT_TRUE(lower.isOk()) << lower.status().toString();
    EXPECT_EQ(lower->fileName, "line.dbf");
    EXPECT_EQ(lower->columns[0].name, "A");
    EXPECT_EQ(lower->columns[1].decimals, 2);
}

TEST(Statement, ParsesInsertIntoWithoutCopying) {
    const std::string sql =
        "INSERT INTO polygon (LVL,TYPE,[VALUE],L_LIMIT) VALUES (\"1\",'0x4b',Null, -25 );";
    InsertStatement insert;
    ASSERT_TRUE(parseInsert(sql, insert).isOk());
    EXPECT_EQ(insert.table, "polygon");
    EXPECT_EQ(insert.columnList, "LVL,TYPE,[VALUE],L_LIMIT");
    std::string values;  // kind and text of each: T text, N number, 0 null
    for (const Literal& v : insert.values) {
        values += (v.kind == LiteralKind::Text     ? "T"
                   : v.kind == LiteralKind::Number ? "N"
                                                   : "0") +
                  std::string(v.kind == LiteralKind::Null ? "" : v.text) + ";";
    }
    EXPECT_EQ(values, "T1;T0x4b;0;N-25;");
    EXPECT_EQ(*parseColumnList(insert.columnList),
              (std::vector<std::string>{"LVL", "TYPE", "VALUE", "L_LIMIT"}));
}

TEST(Statement, RefusesMalformedStatements) {
    const char* const bad[] = {"SELECT FROM Tavrolin",
                               "SELECT * FROM Tavrolin WHERE VID=",
                               "SELECT * FROM Tavrolin WHERE MP_TYPE='0x4b",
                               "SELECT * FROM T x",
                               "CREATE TABLE x.dbf (A text(3))",
                               "CREATE TABLE t.dbf (A char(3));;",
                               "INSERT INTO t VALUES (1)",
                               "INSERT INTO t (A) VALUES (0x4b)",
                               "INSERT INTO t (A) VALUES (1) x"};
    InsertStatement insert;
    for (const std::string sql : bad) {
        const StatementKind kind = statementKind(sql);
        const Status status = kind == StatementKind::Select   ? parseSelect(sql).status()
                              : kind == StatementKind::Create ? parseCreate(sql).status()
                                                              : parseInsert(sql, insert);
        EXPECT_EQ(status.number(), err::kSyntax) << sql;
    }
    EXPECT_EQ(parseCreate("CREATE TABLE t.dbf (A numeric(2,2))").status().number(),
              err::kInvalidArgument);
}

// A text literal ends at its own closing quote wherever that falls: texts of every length up to
// past a few eight-byte words, holding the other quote and Cyrillic letters; an unclosed text
// is an error at any length, also when the statement ends right after it.
TEST(Statement, TextLiteralsEndAtTheirClosingQuote) {
    InsertStatement insert;
    for (const char quote : {'\'', '"'}) {
        const char other = quote == '"' ? '\'' : '"';
        for (std::size_t length = 0; length < 40; ++length) {
            std::string text;
            // Also the bytes next to the quote's ('#' and '&' differ from it in one bit).
            while (text.size() < length) {
                text += text.size() % 5 == 2 ? other : text.size() % 3 == 0 ? '#' : '&';
            }
            if (length > 6) text.replace(3, 2, "ж");
            const std::string q(1, quote);
            const std::string sql = "INSERT INTO t (A,B) VALUES (" + q + text + q + "," + q +
                                    std::string(length % 9, 'y') + q + ")";
            ASSERT_TRUE(parseInsert(sql, insert).isOk()) << sql;
            ASSERT_EQ(insert.values.size(), 2u);
            EXPECT_EQ(insert.values[0].text, text) << sql;
            EXPECT_EQ(insert.values[1].text, std::string(length % 9, 'y')) << sql;
            EXPECT_EQ(parseInsert("INSERT INTO t (A) VALUES (" + q + text, insert).number(),
                      err::kSyntax);
            EXPECT_EQ(parseInsert("INSERT INTO t (A) VALUES (" + q + text + ")", insert).number(),
                      err::kSyntax);
        }
    }
}

}  // namespace
}  // namespace tavrolin::store
