#include "source/caseless_list.h"

#include <gtest/gtest.h>

#include <string>

namespace tavrolin::source {
namespace {

TEST(CaselessList, KeepsTheFirstOfEachCaselessGroupInOrder) {
    CaselessList list;
    EXPECT_TRUE(list.add("0x24  |  Lake"));
    EXPECT_TRUE(list.add("0x1"));
    EXPECT_FALSE(list.add("0X24  |  LAKE"));
    EXPECT_FALSE(list.add("0x1"));
    EXPECT_TRUE(list.add("\xD0\x9E"));
    EXPECT_FALSE(list.add("\xD0\xBE"));
    EXPECT_EQ(list.items(), (std::vector<std::string>{"0x24  |  Lake", "0x1", "\xD0\x9E"}));
}

TEST(CaselessList, StaysExactThroughGrowth) {
    CaselessList list;
    for (int i = 0; i < 50000; ++i) EXPECT_TRUE(list.add("name " + std::to_string(i)));
    for (int i = 0; i < 50000; i += 7) EXPECT_FALSE(list.add("NAME " + std::to_string(i)));
    EXPECT_EQ(list.size(), 50000u);
    EXPECT_EQ(list.items()[49999], "name 49999");
    EXPECT_TRUE(list.contains("Name 123"));
    std::vector<std::string> taken = list.takeItems();
    EXPECT_EQ(taken.size(), 50000u);
    EXPECT_TRUE(list.empty());
    EXPECT_TRUE(list.add("name 1"));
}

}  // namespace
}  // namespace tavrolin::source
