// The found lists: each type code and each "type code  |  label" once, ignoring letter case,
// the first met kept, in the order met.
#include "source/found_lists.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavrolin::source {
namespace {

using Texts = std::vector<std::string>;

TEST(FoundLists, EachItemOnceIgnoringCaseInTheOrderMet) {
    // Type code and label of each record, then the types and the names found.
    const std::tuple<Texts, Texts, Texts> cases[] = {
        // Repeats and runs.
        {{"0x4b", "Озеро", "0x4b", "Озеро", "0x4c", "", "0x4b", "Мель", "0x4c", "", "0x4b",
          "Озеро"},
         {"0x4b", "0x4c"},
         {"0x4b  |  Озеро", "0x4c  |  ", "0x4b  |  Мель"}},
        // Letter case, Cyrillic and Ё included.
        {{"0x4b", "ОЗЕРО Ёж", "0X4B", "озеро ёж", "0x4B", "Озеро ЁЖ", "0x4b", "ozero"},
         {"0x4b"},
         {"0x4b  |  ОЗЕРО Ёж", "0x4b  |  ozero"}},
        // One entry text from two pairs, also after the first entries.
        {{"a", "|  b", "a  |", "b", "A", "|  B", "c", "d", "C", "D"},
         {"a", "a  |", "c"},
         {"a  |  |  b", "c  |  d"}}};
    for (const auto& [records, types, names] : cases) {
        for (bool listNames : {true, false}) {
            SourceRecords source;
            FoundLists found(source, listNames);
            for (std::size_t i = 0; i + 1 < records.size(); i += 2) {
                found.add(source.intern(records[i]), source.intern(records[i + 1]));
            }
            EXPECT_EQ(found.takeTypes(), types) << records[1];
            EXPECT_EQ(found.takeNames(), listNames ? names : Texts{}) << records[1];
        }
    }
}

}  // namespace
}  // namespace tavrolin::source
