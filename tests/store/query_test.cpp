// ORDER BY as WHERE and Find compare: text by its code page 1251 bytes after case folding, also
// past the eight bytes a sort key keeps; nulls first ascending and last descending; equal keys
// in file order both ways.
#include "store/query.h"

#include <gtest/gtest.h>

#include "store/connection.h"
#include "store_test_util.h"
#include "support/record_rows.h"

namespace tavrolin::store {
namespace {

using Texts = std::vector<std::string>;

TEST(Query, OrderByFoldedBytesPastASharedPrefixWithNullsAtTheEnds) {
    testing::TempFolder folder;
    Connection connection;
    ASSERT_TRUE(connection.open(folder.path()).isOk());
    ASSERT_TRUE(connection.execute("CREATE TABLE t.dbf (N char(20), K numeric(1,0));").isOk());
    // In cp1251: 0 0x30, a 0x61, z 0x7A, ё 0xB8, а 0xE0, б 0xE1, я 0xFF.
    const std::pair<const char*, const char*> rows[] = {
        {"'б'", "0"},          {"'Я'", "0"},
        {"'ё'", "0"},          {"'Z'", "0"},
        {"'а'", "0"},          {"'a'", "0"},
        {"'0X28'", "0"},       {"'0x28'", "1"},
        {"'ABCDEFGHIJ'", "0"}, {"'abcdefghii'", "0"},
        {"'abcdefghiJ'", "1"}, {"'Ё'", "1"},
        {"Null", "Null"},      {"'Lighthouse B'", "Null"},
        {"'Lighthou'", "2"},   {"'Lighthouse A1'", "3"},
        {"'Lighthou'", "4"},   {"'Lighthouse A'", "Null"}};
    for (const auto& [text, key] : rows) {
        const std::string sql =
            std::string("INSERT INTO t (N,K) VALUES (") + text + "," + key + ")";
        ASSERT_TRUE(connection.execute(sql).isOk()) << sql;
    }
    const auto ordered = [&](const std::string& order) {
        Texts out;
        auto set = connection.openRecordSet("SELECT * FROM t ORDER BY " + order);
        EXPECT_TRUE(set.isOk()) << set.status().toString();
        for (; set && !set->eof(); tavrolin::testing::next(*set)) {
            out.push_back(set->value("N")->isNull() ? "<null>" : set->value("N")->toText());
        }
        return out;
    };
    const std::pair<const char*, Texts> cases[] = {
        {"N",
         {"<null>", "0X28", "0x28", "a", "abcdefghii", "ABCDEFGHIJ", "abcdefghiJ", "Lighthou",
          "Lighthou", "Lighthouse A", "Lighthouse A1", "Lighthouse B", "Z", "ё", "Ё", "а", "б",
          "Я"}},
        {"N DESC",
         {"Я", "б", "а", "ё", "Ё", "Z", "Lighthouse B", "Lighthouse A1", "Lighthouse A", "Lighthou",
          "Lighthou", "ABCDEFGHIJ", "abcdefghiJ", "abcdefghii", "a", "0X28", "0x28", "<null>"}},
        // A user's row (K 1) of a type beats the standard one (K 0) whatever the letter case.
        {"N, K DESC",
         {"<null>", "0x28", "0X28", "a", "abcdefghii", "abcdefghiJ", "ABCDEFGHIJ", "Lighthou",
          "Lighthou", "Lighthouse A", "Lighthouse A1", "Lighthouse B", "Z", "Ё", "ё", "а", "б",
          "Я"}},
        {"K",
         {"<null>", "Lighthouse B", "Lighthouse A", "б", "Я", "ё", "Z", "а", "a", "0X28",
          "ABCDEFGHIJ", "abcdefghii", "0x28", "abcdefghiJ", "Ё", "Lighthou", "Lighthouse A1",
          "Lighthou"}},
        {"K DESC",
         {"Lighthou", "Lighthouse A1", "Lighthou", "0x28", "abcdefghiJ", "Ё", "б", "Я", "ё", "Z",
          "а", "a", "0X28", "ABCDEFGHIJ", "abcdefghii", "<null>", "Lighthouse B", "Lighthouse A"}}};
    for (const auto& [order, expected] : cases) EXPECT_EQ(ordered(order), expected) << order;
}

}  // namespace
}  // namespace tavrolin::store
