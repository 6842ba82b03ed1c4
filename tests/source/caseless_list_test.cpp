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

// Queued adds give the same list as direct ones: first of each caseless group, in order, also
// when equal texts meet inside the queue, across growth, and mixed with direct adds.
TEST(CaselessList, QueuedAddsMatchDirectOnes) {
    CaselessList direct;
    CaselessList queued;
    const auto text = [](int i) {
        // Repeats near and far, in other letter case now and then.
        const int n = (i * 7919) % 3001;
        return (i % 3 == 0 ? "NAME \xD0\x9E" : "name \xD0\xBE") + std::to_string(n % 1500);
    };
    for (int i = 0; i < 20000; ++i) {
        direct.add(text(i));
        queued.addSoon(text(i));
        if (i % 4999 == 1) {
            // A direct add takes its turn after the queued ones.
            direct.add("direct " + std::to_string(i));
            queued.add("direct " + std::to_string(i));
        }
    }
    queued.addSoon("a");
    queued.addSoon("A");
    direct.add("a");
    queued.settle();
    EXPECT_EQ(queued.items(), direct.items());
    EXPECT_TRUE(queued.contains("a"));
    queued.addSoon("b");
    std::vector<std::string> taken = queued.takeItems();
    ASSERT_FALSE(taken.empty());
    EXPECT_EQ(taken.back(), "b");
}

}  // namespace
}  // namespace tavrolin::source
