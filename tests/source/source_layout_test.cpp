#include "source/source_layout.h"

#include <gtest/gtest.h>

namespace tavrolin::source {
namespace {

TEST(SourceLayout, CountsRoundHalfToEven) {
    // (fileSize - headerLength - 1) / recordLength
    EXPECT_EQ(computedRecordCount(100 + 30, 100, 10), 3);      // 2.9: end mark missing
    EXPECT_EQ(computedRecordCount(100 + 1 + 25, 100, 10), 2);  // 2.5 goes to 2
    EXPECT_EQ(computedRecordCount(100 + 1 + 35, 100, 10), 4);  // 3.5 goes to 4
    EXPECT_EQ(computedRecordCount(50, 100, 10), 0);            // header past the end
    EXPECT_EQ(announcedFieldCount(32 + 3 * 32 + 1), 3);
    EXPECT_EQ(announcedFieldCount(80), 2);   // 1.5 goes to 2
    EXPECT_EQ(announcedFieldCount(112), 2);  // 2.5 goes to 2
}

TEST(SourceLayout, PlacesFieldsAndGivesThemRoles) {
    std::vector<std::uint8_t> d(5 * 32 + 1, 0);
    auto put = [&](int i, const char* name, char type, int length, int high = 0) {
        for (int k = 0; name[k] != 0; ++k) d[i * 32 + k] = static_cast<std::uint8_t>(name[k]);
        d[i * 32 + 11] = static_cast<std::uint8_t>(type);
        d[i * 32 + 16] = static_cast<std::uint8_t>(length);
        d[i * 32 + 17] = static_cast<std::uint8_t>(high);
    };
    put(0, "typehex", 'C', 44, 1);  // 300 bytes: 16-bit length of a C field
    put(1, "LABEL", 'Q', 5);        // unknown type: takes room, never read
    put(2, "Lvl", 'N', 3, 7);       // decimals, not length
    put(3, "MARINE", 'C', 1);
    d[4 * 32] = 0x0D;  // terminator before the announced fifth field
    Result<SourceLayout> layout = parseFields(d, 5, 1 + 300 + 5 + 3 + 1);
    ASSERT_TRUE(layout) << layout.status().toString();
    ASSERT_EQ(layout->fields.size(), 4u);
    EXPECT_EQ(layout->fields[0].length, 300u);
    EXPECT_EQ(layout->fields[0].role, FieldRole::TypeCode);
    EXPECT_TRUE(layout->fields[1].ignored);
    EXPECT_EQ(layout->fields[2].offset, 306u);
    EXPECT_EQ(layout->fields[2].role, FieldRole::Level);
    EXPECT_TRUE(layout->hasMarine);
    EXPECT_FALSE(layout->hasLmcType);
}

}  // namespace
}  // namespace tavrolin::source
