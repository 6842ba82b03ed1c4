// The statement grammar: every shape the program issues, and what the parser makes of it.
#include "store/statement.h"

#include <gtest/gtest.h>

namespace tavrolin::store {
namespace {

TEST(Statement, ParsesTheSelectShapes) {
    auto plain = parseSelect("SELECT * FROM Tavrolin");
    ASSERT_TRUE(plain.isOk());
    EXPECT_EQ(plain->table, "Tavrolin");
    EXPECT_TRUE(plain->where.empty());

    auto ordered = parseSelect(
        "SELECT * FROM Tavrolin WHERE VID=2 AND MP_TYPE='0x4b  ' "
        "ORDER BY MP_TYPE, YN DESC");
    ASSERT_TRUE(ordered.isOk()) << ordered.status().toString();
    ASSERT_EQ(ordered->where.size(), 2u);
    EXPECT_EQ(ordered->where[0].column, "VID");
    EXPECT_EQ(ordered->where[0].literalKind, LiteralKind::Number);
    EXPECT_EQ(ordered->where[0].literal, "2");
    EXPECT_EQ(ordered->where[1].literalKind, LiteralKind::Text);
    EXPECT_EQ(ordered->where[1].literal, "0x4b  ");
    ASSERT_EQ(ordered->orderBy.size(), 2u);
    EXPECT_FALSE(ordered->orderBy[0].descending);
    EXPECT_EQ(ordered->orderBy[1].column, "YN");
    EXPECT_TRUE(ordered->orderBy[1].descending);

    auto nulls = parseSelect("select * from MIGROVA where lvl is null and not [value] Is Null");
    ASSERT_TRUE(nulls.isOk()) << nulls.status().toString();
    EXPECT_EQ(nulls->where[0].kind, ConditionKind::IsNull);
    EXPECT_EQ(nulls->where[1].column, "VALUE");
    EXPECT_EQ(nulls->where[1].kind, ConditionKind::IsNotNull);

    // A keyword only counts as a whole word; quotes may hold anything but their own quote.
    auto text = parseSelect("SELECT * FROM t WHERE ORDERX=\"a 'b' AND c\" ORDER BY ORDERX ASC");
    ASSERT_TRUE(text.isOk()) << text.status().toString();
    EXPECT_EQ(text->where[0].column, "ORDERX");
    EXPECT_EQ(text->where[0].literal, "a 'b' AND c");
    EXPECT_EQ(text->where.size(), 1u);
}

TEST(Statement, ParsesCreateTable) {
    auto create = parseCreate(
        "CREATE TABLE polygon.dbf (LVL char(1),TYPE char(7),"
        "L_LIMIT numeric(2,0),[VALUE] char(254),HGT_DP numeric(4,0));");
    ASSERT_TRUE(create.isOk()) << create.status().toString();
    EXPECT_EQ(create->fileName, "polygon.dbf");
    ASSERT_EQ(create->columns.size(), 5u);
    EXPECT_EQ(create->columns[2].name, "L_LIMIT");
    EXPECT_EQ(create->columns[2].type, 'N');
    EXPECT_EQ(create->columns[2].length, 2);
    EXPECT_EQ(create->columns[3].name, "VALUE");
    EXPECT_EQ(create->columns[3].length, 254);
    auto lower = parseCreate("create table line (a Char ( 3 ) , b NUMERIC(6,2))");
    ASSERT_TRUE(lower.isOk()) << lower.status().toString();
    EXPECT_EQ(lower->fileName, "line.dbf");
    EXPECT_EQ(lower->columns[0].name, "A");
    EXPECT_EQ(lower->columns[1].decimals, 2);
    EXPECT_EQ(parseCreate("CREATE TABLE t.dbf (A char(3));;").status().number(), err::kSyntax);
    EXPECT_EQ(parseCreate("CREATE TABLE t.dbf (A numeric(2,2))").status().number(),
              err::kInvalidArgument);
}

TEST(Statement, ParsesInsertIntoWithoutCopying) {
    const std::string sql =
        "INSERT INTO polygon (LVL,TYPE,[VALUE],L_LIMIT) VALUES (\"1\",'0x4b',Null, -25 );";
    InsertStatement insert;
    ASSERT_TRUE(parseInsert(sql, insert).isOk());
    EXPECT_EQ(insert.table, "polygon");
    EXPECT_EQ(insert.columnList, "LVL,TYPE,[VALUE],L_LIMIT");
    ASSERT_EQ(insert.values.size(), 4u);
    EXPECT_EQ(insert.values[0].kind, LiteralKind::Text);
    EXPECT_EQ(insert.values[0].text, "1");
    EXPECT_EQ(insert.values[1].text, "0x4b");
    EXPECT_EQ(insert.values[2].kind, LiteralKind::Null);
    EXPECT_EQ(insert.values[3].kind, LiteralKind::Number);
    EXPECT_EQ(insert.values[3].text, "-25");
    auto names = parseColumnList(insert.columnList);
    ASSERT_TRUE(names.isOk());
    EXPECT_EQ(*names, (std::vector<std::string>{"LVL", "TYPE", "VALUE", "L_LIMIT"}));

    ASSERT_TRUE(parseInsert("insert into t (A) values ('')", insert).isOk());
    EXPECT_EQ(insert.values[0].kind, LiteralKind::Text);
    EXPECT_TRUE(insert.values[0].text.empty());
    for (const char* bad : {"INSERT INTO t (A) VALUES ('x)", "INSERT INTO t (A) VALUES (0x4b)",
                            "INSERT INTO t (A) VALUES (x)", "INSERT INTO t (A) VALUES ()",
                            "INSERT INTO t (A VALUES (1)", "INSERT INTO t (A) VALUES (1) x"}) {
        EXPECT_EQ(parseInsert(bad, insert).number(), err::kSyntax) << bad;
    }
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

TEST(Statement, ParsesFindCriteria) {
    auto criterion = parseCriterion("MP_TYPE='0x4b'");
    ASSERT_TRUE(criterion.isOk());
    EXPECT_EQ(criterion->column, "MP_TYPE");
    EXPECT_EQ(criterion->literal, "0x4b");
    EXPECT_FALSE(parseCriterion("MP_TYPE Is Null").isOk());
    EXPECT_FALSE(parseCriterion("MP_TYPE='a' AND X=1").isOk());
}

}  // namespace
}  // namespace tavrolin::store
