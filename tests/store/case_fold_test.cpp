#include "store/case_fold.h"

#include <gtest/gtest.h>

#include "store/codepage.h"
#include "store/object_kind.h"

namespace tavrolin::store {
namespace {

// Every capital the fold knows, with its small letter, in UTF-8.
constexpr const char* kPairs[][2] = {
    {"A", "a"}, {"Z", "z"}, {"А", "а"}, {"Я", "я"}, {"Ё", "ё"}, {"Ђ", "ђ"}, {"Ѓ", "ѓ"},
    {"Є", "є"}, {"Ѕ", "ѕ"}, {"І", "і"}, {"Ї", "ї"}, {"Ј", "ј"}, {"Љ", "љ"}, {"Њ", "њ"},
    {"Ћ", "ћ"}, {"Ќ", "ќ"}, {"Ў", "ў"}, {"Џ", "џ"}, {"Ґ", "ґ"},
};

TEST(CaseFold, Utf8AndCp1251FoldTheSameLetters) {
    for (const auto& pair : kPairs) {
        SCOPED_TRACE(pair[0]);
        EXPECT_EQ(foldUtf8(pair[0]), pair[1]);
        EXPECT_EQ(foldUtf8(pair[1]), pair[1]);
        EXPECT_TRUE(equalsIgnoringCase(pair[0], pair[1]));
        const std::string capital = encodeCp1251(pair[0]);
        const std::string small = encodeCp1251(pair[1]);
        EXPECT_EQ(foldCp1251(capital), small);
        EXPECT_TRUE(equalsIgnoringCaseCp1251(capital, small));
    }
    // Every cp1251 byte folds to what its character folds to.
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        EXPECT_EQ(decodeCp1251(foldCp1251(one)), foldUtf8(decodeCp1251(one))) << b;
    }
}

TEST(CaseFold, PrefixIgnoringCase) {
    EXPECT_TRUE(startsWithIgnoringCase("LABEL=Озеро", "label="));
    EXPECT_TRUE(startsWithIgnoringCase("Озеро", "ОЗ"));
    EXPECT_TRUE(startsWithIgnoringCase("x", ""));
    EXPECT_FALSE(startsWithIgnoringCase("lab", "label="));
}

// The byte-wise keyword test answers as the fold does, for texts of any kind.
TEST(CaseFold, KeywordPrefixAnswersAsTheFold) {
    const char* const texts[] = {"[POLYGON]", "[polygon]",  "[PoLyGoN]x",   "{POLYGON]",
                                 "[P",        "LABEL=A",    "Label=",       "label",
                                 "LABEL-",    "lAbEl=\xFF", "Type=0x3c",    "TYPE",
                                 "TYPO",      "tYpE=",      "Data0=(1,2)",  "Озеро",
                                 "\xFF\xFE",  "",           "DATA\xC3\xA1", "D\xC3\x81TA"};
    const char* const keywords[] = {"[polygon]", "[po", "label=", "type", "data", ""};
    for (const char* text : texts) {
        for (const char* keyword : keywords) {
            EXPECT_EQ(startsWithKeyword(text, keyword), startsWithIgnoringCase(text, keyword))
                << text << " / " << keyword;
        }
    }
}

TEST(CaseFold, OtherCharactersAndIllFormedBytesStay) {
    EXPECT_EQ(foldUtf8("0X28 №5 ß"), "0x28 №5 ß");
    EXPECT_EQ(foldUtf8("A\xFFZ"), "a\xFFz");
    EXPECT_FALSE(equalsIgnoringCase("Озеро", "Озера"));
    EXPECT_FALSE(equalsIgnoringCase("a", "ab"));
    EXPECT_FALSE(equalsIgnoringCase("\xFF", "\xFE"));
    // ASCII beside other characters, on either side.
    EXPECT_TRUE(equalsIgnoringCase("Lake Озеро 5", "LAKE озеРО 5"));
    EXPECT_FALSE(equalsIgnoringCase("a", "\xC3\xA1"));
    EXPECT_FALSE(equalsIgnoringCase("Б", "бx"));
}

TEST(ObjectKind, NamesAndNumbersRoundTrip) {
    for (int vid = 0; vid < 3; ++vid) {
        const ObjectKind kind = kindFromNumber(vid);
        EXPECT_EQ(kindFromName(kindName(kind)), kind);
        EXPECT_FALSE(kindNameRussian(kind).empty());
    }
    EXPECT_EQ(kindFromName("POLYGON"), ObjectKind::Polygon);
    EXPECT_EQ(kindFromName("poly"), std::nullopt);
    EXPECT_EQ(kindFromNumber(3), ObjectKind::None);
    EXPECT_EQ(kindName(ObjectKind::None), "");
}

}  // namespace
}  // namespace tavrolin::store
