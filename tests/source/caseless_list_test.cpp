// The caseless list: the first of each group of texts equal but for letter case, in order, also
// through growth and with queued adds.
#include "source/caseless_list.h"

#include <gtest/gtest.h>

#include <string>

namespace tavrolin::source {
namespace {

using Texts = std::vector<std::string>;

TEST(CaselessList, KeepsTheFirstOfEachCaselessGroupInOrder) {
    CaselessList list;
    for (const auto& [text, added] : {std::pair{"0x24  |  Lake", true},
                                      {"0x1", true},
                                      {"0X24  |  LAKE", false},
                                      {"0x1", false},
                                      {"\xD0\x9E", true},
                                      {"\xD0\xBE", false}}) {
        EXPECT_EQ(list.add(text), added) << text;
    }
    EXPECT_EQ(list.items(), (Texts{"0x24  |  Lake", "0x1", "\xD0\x9E"}));
    // Through growth.
    for (int i = 0; i < 50000; ++i) EXPECT_TRUE(list.add("name " + std::to_string(i)));
    for (int i = 0; i < 50000; i += 7) EXPECT_FALSE(list.add("NAME " + std::to_string(i)));
    EXPECT_EQ(list.size(), 50003u);
    EXPECT_TRUE(list.contains("Name 123"));
}

// Queued adds give the same list as direct ones: first of each caseless group, in order, also
// when equal texts meet inside the queue, across growth, and mixed with direct adds.
TEST(CaselessList, QueuedAddsMatchDirectOnes) {
    CaselessList direct;
    CaselessList queued;
    for (int i = 0; i < 20000; ++i) {
        // Repeats near and far, in other letter case now and then.
        const std::string text = (i % 3 == 0 ? "NAME \xD0\x9E" : "name \xD0\xBE") +
                                 std::to_string((i * 7919) % 3001 % 1500);
        direct.add(text);
        queued.addSoon(text);
        if (i % 4999 == 1) {  // a direct add takes its turn after the queued ones
            direct.add("direct " + std::to_string(i));
            queued.add("direct " + std::to_string(i));
        }
    }
    queued.addSoon("a");
    queued.addSoon("A");
    direct.add("a");
    queued.settle();
    EXPECT_EQ(queued.items(), direct.items());
    queued.addSoon("b");
    EXPECT_EQ(queued.takeItems().back(), "b");
}

}  // namespace
}  // namespace tavrolin::source
