// The found lists: each type code and each "type code  |  label" once, ignoring letter case,
// the first met kept, in the order met.
#include "source/found_lists.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavrolin::source {
namespace {

struct Case {
    const char* name;
    std::vector<std::pair<std::string, std::string>> records;  // type code, label
    std::vector<std::string> types;
    std::vector<std::string> names;
};

TEST(FoundLists, EachItemOnceIgnoringCaseInTheOrderMet) {
    const Case cases[] = {
        {"repeats and runs",
         {{"0x4b", "Озеро"},
          {"0x4b", "Озеро"},
          {"0x4c", ""},
          {"0x4b", "Мель"},
          {"0x4c", ""},
          {"0x4b", "Озеро"}},
         {"0x4b", "0x4c"},
         {"0x4b  |  Озеро", "0x4c  |  ", "0x4b  |  Мель"}},
        {"letter case",
         {{"0x4b", "ОЗЕРО Ёж"}, {"0X4B", "озеро ёж"}, {"0x4B", "Озеро ЁЖ"}, {"0x4b", "ozero"}},
         {"0x4b"},
         {"0x4b  |  ОЗЕРО Ёж", "0x4b  |  ozero"}},
        {"one entry text from two pairs",
         {{"a", "|  b"}, {"a  |", "b"}, {"A", "|  B"}, {"c", "d"}, {"C", "D"}},
         {"a", "a  |", "c"},
         {"a  |  |  b", "c  |  d"}},
        {"a bar after the first entries",
         {{"x", "y"}, {"x  |", "b"}, {"x", "|  b"}, {"X", "Y"}},
         {"x", "x  |"},
         {"x  |  y", "x  |  |  b"}},
    };
    for (const Case& c : cases) {
        for (bool listNames : {true, false}) {
            SourceRecords records;
            FoundLists found(records, listNames);
            for (const auto& [type, label] : c.records) {
                found.add(records.intern(type), records.intern(label));
            }
            EXPECT_EQ(found.takeTypes(), c.types) << c.name;
            EXPECT_EQ(found.takeNames(), listNames ? c.names : std::vector<std::string>{})
                << c.name;
        }
    }
}

}  // namespace
}  // namespace tavrolin::source
