// The rules a label goes through: coordinates dropped, blanks and a trailing ".0" cut, quotes
// made apostrophes, commas made points for depths in metres, and the code page by the file's
// mark or a guess.
#include "source/label_rules.h"

#include <gtest/gtest.h>

#include "source/encodings.h"

namespace tavrolin::source {
namespace {

TEST(LabelRules, CleansLabels) {
    // Russian interface, depth in metres, label, result.
    const std::tuple<bool, bool, const char*, const char*> cases[] = {
        {false, false, "55.123456", ""},
        {false, false, "55.12345", "55.12345"},  // five decimals: not a coordinate
        {false, false, "   12.0", "12"},
        {false, false, "12,5", "12,5"},
        {false, false, "12,0", "12,0"},
        {true, true, "12,5", "12.5"},
        {true, true, "12,0", "12"},
        {true, false, "\xCE\xE7\xE5\xF0\xEE \"\xC1\xE5\xEB\xEE\xE5\"",
         "\xD0\x9E\xD0\xB7\xD0\xB5\xD1\x80\xD0\xBE '\xD0\x91\xD0\xB5\xD0\xBB\xD0\xBE\xD0\xB5'"}};
    for (const auto& [russian, metres, label, expected] : cases) {
        LabelRules rules(russian, kMarkCp1251, 437, metres);
        EXPECT_EQ(rules.apply(label), expected) << label;
    }
    // The widest label is counted in characters, not bytes.
    LabelRules rules(true, kMarkCp1251, 866, false);
    rules.apply("\xCE\xE7\xE5\xF0\xEE \"\xC1\xE5\xEB\xEE\xE5\"");
    rules.apply("short");
    EXPECT_EQ(rules.widthCounter(), 13);
}

TEST(LabelRules, ConvertsByTheMarkOrTheFirstGuess) {
    EXPECT_EQ(LabelRules(true, kMarkUtf8, 866, false).apply("\xD0\x9E\xD0\xB7 "),
              "\xD0\x9E\xD0\xB7");
    EXPECT_EQ(LabelRules(true, kMarkCp866, 866, false).apply("\x8E\xA7"), "\xD0\x9E\xD0\xB7");

    // English interface, no mark: a 1251-looking label makes the guess 2 (the OEM page), kept
    // for the labels after it.
    LabelRules english(false, kMarkNone, 437, false);
    EXPECT_EQ(english.apply("Lake"), "Lake");
    EXPECT_EQ(english.mark(), kMarkNone);
    EXPECT_EQ(english.apply("\xCE\xE7"), "\xE2\x95\xAC\xCF\x84");  // ╬τ in 437
    EXPECT_EQ(english.mark(), kGuessHighUpper);
    EXPECT_EQ(english.apply("\xD0\x9E"), decode437("\xD0\x9E"));
    // A first high label guessed 1 has no conversion: later labels stay in 1251.
    LabelRules first(false, kMarkNone, 437, false);
    EXPECT_EQ(first.apply("\xD0\x9E\xD0\xB7"), decode1251("\xD0\x9E\xD0\xB7"));
    EXPECT_EQ(first.mark(), kGuessHighLower);
    EXPECT_EQ(first.apply("\xCE\xE7"), decode1251("\xCE\xE7"));
}

}  // namespace
}  // namespace tavrolin::source
