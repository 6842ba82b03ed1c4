// ORDER BY where its shortcuts end: texts alike past the eight bytes a key keeps, and nulls.
#include "store/query.h"

#include <gtest/gtest.h>

#include "store/connection.h"
#include "store_test_util.h"

namespace tavrolin::store {
namespace {

using testing::TempFolder;

std::vector<std::string> ordered(Connection& connection, const std::string& order) {
    std::vector<std::string> out;
    auto set = connection.openRecordSet("SELECT * FROM t ORDER BY " + order);
    EXPECT_TRUE(set.isOk()) << set.status().toString();
    if (!set) return out;
    for (set->moveFirst(); !set->eof(); set->moveNext()) {
        Result<Value> name = set->value("NAME");
        out.push_back(name->isNull() ? "<null>" : name->toText());
    }
    return out;
}

TEST(Query, OrderByComparesTextsPastASharedPrefixAndPlacesNulls) {
    TempFolder folder;
    Connection connection;
    ASSERT_TRUE(connection.open(folder.path()).isOk());
    ASSERT_TRUE(connection.execute("CREATE TABLE t.dbf (NAME char(20), N numeric(3,0))").isOk());
    // Equal in their first eight (and ten) bytes; one of exactly eight bytes.
    for (const char* row : {"'Lighthouse B',1", "Null,Null", "'Lighthouse A2',2", "'Lighthou',3",
                            "'Lighthouse A1',Null", "'Lighthou',4", "'Lighthouse A',5"}) {
        ASSERT_TRUE(
            connection.execute(std::string("INSERT INTO t (NAME,N) VALUES (") + row + ")").isOk())
            << row;
    }
    const std::vector<std::string> ascending = {"<null>",       "Lighthou",      "Lighthou",
                                                "Lighthouse A", "Lighthouse A1", "Lighthouse A2",
                                                "Lighthouse B"};
    EXPECT_EQ(ordered(connection, "NAME"), ascending);
    EXPECT_EQ(ordered(connection, "NAME DESC"),
              std::vector<std::string>(ascending.rbegin(), ascending.rend()));
    // Nulls first ascending, last descending, for numbers too; equal keys keep file order.
    EXPECT_EQ(ordered(connection, "N"),
              (std::vector<std::string>{"<null>", "Lighthouse A1", "Lighthouse B", "Lighthouse A2",
                                        "Lighthou", "Lighthou", "Lighthouse A"}));
    EXPECT_EQ(ordered(connection, "N DESC"),
              (std::vector<std::string>{"Lighthouse A", "Lighthou", "Lighthou", "Lighthouse A2",
                                        "Lighthouse B", "<null>", "Lighthouse A1"}));
}

}  // namespace
}  // namespace tavrolin::store
