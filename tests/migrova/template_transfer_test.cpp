// Comparing values across two tables and naming a table in a statement.
#include "migrova/template_transfer.h"

#include <gtest/gtest.h>

namespace tavrolin::migrova {
namespace {

using store::Value;

TEST(TemplateTransfer, ValuesDifferByValueOrAcrossKindsByText) {
    struct Case {
        Value a;
        Value b;
        bool differ;
    };
    const Case cases[] = {
        {Value::number(5), Value::number(5.0), false},
        {Value::number(5), Value::number(6), true},
        {Value::text("0x01"), Value::text("0x01"), false},
        {Value::text("Озеро"), Value::text("озеро"), true},  // letter case counts
        {Value::number(12), Value::text("12"), false},       // N in one table, C in the other
        {Value::number(12), Value::text("12.0"), true},
        {Value::logical(true), Value::logical(false), true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(valuesDiffer(c.a, c.b), c.differ) << c.a.toText() << " / " << c.b.toText();
    }
}

TEST(TemplateTransfer, TableReferenceBracketsOnlyNamesAStatementWouldCut) {
    EXPECT_EQ(tableReference("Tavrolin.dbf"), "Tavrolin.dbf");
    EXPECT_EQ(tableReference("Tavrolin_v11-backup.DBF"), "Tavrolin_v11-backup.DBF");
    EXPECT_EQ(tableReference("Тавролин.dbf"), "Тавролин.dbf");
    EXPECT_EQ(tableReference("my table.dbf"), "[my table.dbf]");
    EXPECT_EQ(tableReference("a(1).dbf"), "[a(1).dbf]");
}

}  // namespace
}  // namespace tavrolin::migrova
