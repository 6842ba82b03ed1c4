// The one letter-case fold, in UTF-8 and in code page 1251, and the kind names.
#include "store/case_fold.h"

#include <gtest/gtest.h>

#include "store/codepage.h"
#include "store/object_kind.h"

namespace tavrolin::store {
namespace {

// Every capital the fold knows, with its small letter, in UTF-8.
constexpr const char* kPairs[][2] = {
    {"A", "a"}, {"Z", "z"}, {"А", "а"}, {"Я", "я"}, {"Ё", "ё"}, {"Ѐ", "ѐ"}, {"Ђ", "ђ"},
    {"Ѓ", "ѓ"}, {"Є", "є"}, {"Ѕ", "ѕ"}, {"І", "і"}, {"Ї", "ї"}, {"Ј", "ј"}, {"Љ", "љ"},
    {"Њ", "њ"}, {"Ћ", "ћ"}, {"Ќ", "ќ"}, {"Ѝ", "ѝ"}, {"Ў", "ў"}, {"Џ", "џ"}, {"Ґ", "ґ"}};

TEST(CaseFold, Utf8AndCp1251FoldTheSameLetters) {
    for (const auto& [capital, small] : kPairs) {
        SCOPED_TRACE(capital);
        EXPECT_EQ(foldUtf8(capital), small);
        EXPECT_EQ(foldUtf8(small), small);
        EXPECT_TRUE(equalsIgnoringCase(std::string("x") + capital, std::string("X") + small));
        if (encodeCp1251(capital) == "?") continue;  // Ѐ and Ѝ are not in cp1251
        EXPECT_EQ(foldCp1251(encodeCp1251(capital)), encodeCp1251(small));
        EXPECT_TRUE(equalsIgnoringCaseCp1251(encodeCp1251(capital), encodeCp1251(small)));
    }
    // Every cp1251 byte folds to what its character folds to.
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        EXPECT_EQ(decodeCp1251(foldCp1251(one)), foldUtf8(decodeCp1251(one))) << b;
    }
}

TEST(CaseFold, OtherCharactersAndIllFormedBytesStay) {
    EXPECT_EQ(foldUtf8("0X28 №5 ß Ω Ѡ Ӂ"), "0x28 №5 ß Ω Ѡ Ӂ");
    EXPECT_EQ(foldUtf8("A\xFFZ\xD0"), "a\xFFz\xD0");
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"Lake Озеро 5", "LAKE озеРО 5", true},
        {"Озеро", "Озера", false},
        {"a", "ab", false},
        {"\xFF", "\xFE", false},
        {"a", "\xC3\xA1", false},
        {"Б", "бx", false},
        {"е", "ё", false},
        {"\xD0", "\xD0", true}};
    for (const auto& [a, b, equal] : cases) {
        EXPECT_EQ(equalsIgnoringCase(a, b), equal) << a << " / " << b;
        EXPECT_EQ(equalsIgnoringCase(b, a), equal) << b << " / " << a;
    }
}

// Prefixes, and the byte-wise keyword test answering as the fold does for texts of any kind.
TEST(CaseFold, PrefixesAndKeywords) {
    EXPECT_TRUE(startsWithIgnoringCase("LABEL=Озеро", "label="));
    EXPECT_TRUE(startsWithIgnoringCase("Озеро", "ОЗ"));
    EXPECT_TRUE(startsWithIgnoringCase("x", ""));
    EXPECT_FALSE(startsWithIgnoringCase("lab", "label="));
    const char* const texts[] = {
        "[POLYGON]", "[polygon]", "[PoLyGoN]x", "{POLYGON]",  "[P",           "LABEL=A",
        "Label=",    "label",     "LABEL-",     "lAbEl=\xFF", "Type=0x3c",    "TYPO",
        "tYpE=",     "Озеро",     "\xFF\xFE",   "",           "DATA\xC3\xA1", "D\xC3\x81TA"};
    for (const char* text : texts) {
        for (const char* keyword : {"[polygon]", "[po", "label=", "type", "data", ""}) {
            EXPECT_EQ(startsWithKeyword(text, keyword), startsWithIgnoringCase(text, keyword))
                << text << " / " << keyword;
        }
    }
}

TEST(ObjectKind, NamesAndNumbersRoundTrip) {
    for (int vid = 0; vid < 3; ++vid) {
        const ObjectKind kind = kindFromNumber(vid);
        EXPECT_EQ(kindNumber(kind), vid);
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
