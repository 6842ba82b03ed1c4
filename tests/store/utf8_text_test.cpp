// Reading, writing and counting UTF-8 characters, and cutting blanks.
#include "store/utf8_text.h"

#include <gtest/gtest.h>

namespace tavrolin::store {
namespace {

TEST(Utf8Text, DecodesWellFormedCharactersAndRejectsTheRest) {
    char32_t code = 0;
    EXPECT_EQ(decodeUtf8("A", 0, code), 1u);
    EXPECT_EQ(code, U'A');
    EXPECT_EQ(decodeUtf8("x\xD0\x96", 1, code), 2u);  // Ж
    EXPECT_EQ(code, U'\u0416');
    EXPECT_EQ(decodeUtf8("\xE2\x84\x96", 0, code), 3u);  // №
    EXPECT_EQ(code, U'\u2116');
    EXPECT_EQ(decodeUtf8("\xF0\x9F\x98\x80", 0, code), 4u);
    EXPECT_EQ(code, U'\U0001F600');

    code = U'?';
    for (std::string_view bad :
         {"\xC0\xAF", "\xC1\xBF", "\xE0\x80\xAF", "\xF0\x80\x80\xAF", "\xED\xA0\x80",
          "\xF4\x90\x80\x80", "\xF5\x80\x80\x80", "\x80", "\xD0", "\xE2\x84", "\xD0\x41"}) {
        EXPECT_EQ(decodeUtf8(bad, 0, code), 0u) << testing::PrintToString(bad);
        EXPECT_EQ(code, U'?');
    }
}

TEST(Utf8Text, AppendsWhatItDecodes) {
    std::string text;
    for (char32_t code : {U'A', U'\u0451', U'\u2116', U'\U0001F600'}) appendUtf8(text, code);
    EXPECT_EQ(text, "A\xD1\x91\xE2\x84\x96\xF0\x9F\x98\x80");
    EXPECT_EQ(countCharacters(text), 4u);
    EXPECT_EQ(countCharacters("ABCDEF"), 6u);
    EXPECT_EQ(countCharacters("ЖЖЖ"), 3u);
    EXPECT_EQ(countCharacters("№1"), 2u);
    EXPECT_EQ(countCharacters("Озеро1"), 6u);
}

TEST(Utf8Text, TrimsSpacesOnly) {
    EXPECT_EQ(trimSpaces("  Озеро 1  "), "Озеро 1");
    EXPECT_EQ(trimSpaces("   "), "");
    EXPECT_EQ(trimSpaces("\tLake\t"), "\tLake\t");
}

}  // namespace
}  // namespace tavrolin::store
