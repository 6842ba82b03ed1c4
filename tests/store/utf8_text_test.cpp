// Reading, writing and counting UTF-8 characters, cutting to a width, and cutting blanks.
#include "store/utf8_text.h"

#include <gtest/gtest.h>

namespace tavrolin::store {
namespace {

TEST(Utf8Text, DecodesWellFormedCharactersAndRejectsTheRest) {
    std::string text;
    for (char32_t code : {U'A', U'\u0451', U'\u2116', U'\U0001F600'}) appendUtf8(text, code);
    EXPECT_EQ(text, "A\xD1\x91\xE2\x84\x96\xF0\x9F\x98\x80");
    EXPECT_EQ(countCharacters(text), 4u);
    char32_t code = 0;
    std::size_t pos = 0;
    for (char32_t expected : {U'A', U'\u0451', U'\u2116', U'\U0001F600'}) {
        const std::size_t length = decodeUtf8(text, pos, code);
        ASSERT_GT(length, 0u) << pos;
        EXPECT_EQ(code, expected);
        pos += length;
    }
    EXPECT_EQ(pos, text.size());
    code = U'?';
    for (std::string_view bad :
         {"\xC0\xAF", "\xC1\xBF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80",
          "\xF5\x80\x80\x80", "\x80", "\xD0", "\xE2\x84", "\xD0\x41"}) {
        EXPECT_EQ(decodeUtf8(bad, 0, code), 0u) << ::testing::PrintToString(bad);
        EXPECT_FALSE(isWellFormedUtf8(bad));
        EXPECT_EQ(code, U'?');
    }
}

// A cut never splits a character; each byte of an ill-formed sequence becomes '?'.
TEST(Utf8Text, EncodesIntoAWidthByWholeCharacters) {
    const std::tuple<const char*, std::size_t, const char*> cases[] = {
        {"abc", 2, "ab"},
        {"aж", 2, "a"},
        {"№1", 3, "№"},
        {"a\xD0z", 3, "a?z"},
        {"\xF0\x9F\x98\x80", 3, ""},
        {"\xED\xA0\x80x", 4, "???x"}};
    for (const auto& [utf8, capacity, expected] : cases) {
        char out[8] = {};
        const std::size_t written = encodeUtf8Into(utf8, out, capacity);
        EXPECT_EQ(std::string(out, written), expected) << utf8 << " in " << capacity;
    }
    EXPECT_EQ(trimSpaces("  Озеро 1  "), "Озеро 1");
    EXPECT_EQ(trimSpaces("\tLake\t"), "\tLake\t");
}

}  // namespace
}  // namespace tavrolin::store
