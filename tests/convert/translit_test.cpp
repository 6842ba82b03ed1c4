// Transliteration and lower case of labels.
#include "convert/translit.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace tavrolin {
namespace {

std::string tr(const std::string& text, int scheme = 2) {
    Result<std::string> result = Translit(text, scheme);
    EXPECT_TRUE(result.isOk());
    return result ? *result : std::string();
}

TEST(Translit, SchemeTwoCapitalisesOnlyTheFirstLetterOfAGroup) {
    EXPECT_EQ(tr("Щука"), "Shuka");
    EXPECT_EQ(tr("ЩУКА"), "ShUKA");
    EXPECT_EQ(tr("синий"), "siny");
    EXPECT_EQ(tr("ИЙ"), "Y");
    EXPECT_EQ(tr("Ий"), "Iy");  // mixed case is not the group
    EXPECT_EQ(tr("ЖЮЯЪЬ"), "JYuYa*Y");
    EXPECT_EQ(tr("Озеро Белое, 12 м"), "Ozero Beloe, 12 m");
}

TEST(Translit, SchemeOne) {
    EXPECT_EQ(tr("ёж", 1), "jozh");
    EXPECT_EQ(tr("Съезд", 1), "S'ezd");
    EXPECT_EQ(tr("ЩЁЪ", 1), "ShhJo'");
    EXPECT_EQ(tr("хоккей синий", 1), "khokkejj siny");
}

TEST(Translit, PassesOtherTextUnchanged) {
    EXPECT_EQ(tr(""), "");
    EXPECT_EQ(tr("Lake 5m"), "Lake 5m");
    EXPECT_EQ(tr("Київ ґанок"), "Kiїv ґanok");  // Ukrainian letters are no keys
    // Scheme 0 keeps every text as it is, capital groups included.
    EXPECT_EQ(tr("синий", 0), "синий");
    EXPECT_EQ(tr("СИНИЙ Ий ЩУКА ёЁ", 0), "СИНИЙ Ий ЩУКА ёЁ");
    const std::string broken = "a\xD0\xD1\x88\xFF";  // a cut sequence, then ш, then a bad byte
    EXPECT_EQ(tr(broken), "a\xD0sh\xFF");
}

TEST(Translit, RejectsUnknownSchemes) {
    EXPECT_FALSE(Translit("a", 3));
    EXPECT_EQ(Translit("a", -1).status().number(), err::kInvalidArgument);
}

// The table replaced key by key, small then capital form, as the rule is written.
std::string stepwise(std::string text, int scheme) {
    static const std::vector<std::vector<std::string>> table = {
        {"ий", "y", "y"},  {"а", "a", "a"},   {"б", "b", "b"},   {"в", "v", "v"},
        {"г", "g", "g"},   {"д", "d", "d"},   {"е", "e", "e"},   {"ё", "jo", "e"},
        {"ж", "zh", "j"},  {"з", "z", "z"},   {"и", "i", "i"},   {"й", "jj", "y"},
        {"к", "k", "k"},   {"л", "l", "l"},   {"м", "m", "m"},   {"н", "n", "n"},
        {"о", "o", "o"},   {"п", "p", "p"},   {"р", "r", "r"},   {"с", "s", "s"},
        {"т", "t", "t"},   {"у", "u", "u"},   {"ф", "f", "f"},   {"х", "kh", "h"},
        {"ц", "ts", "c"},  {"ч", "ch", "ch"}, {"ш", "sh", "sh"}, {"щ", "shh", "sh"},
        {"ъ", "'", "*"},   {"ы", "y", "y"},   {"ь", "'", "y"},   {"э", "eh", "e"},
        {"ю", "ju", "yu"}, {"я", "ja", "ya"},
    };
    static const std::vector<std::string> capitals = {
        "ИЙ", "А", "Б", "В", "Г", "Д", "Е", "Ё", "Ж", "З", "И", "Й", "К", "Л", "М", "Н", "О",
        "П",  "Р", "С", "Т", "У", "Ф", "Х", "Ц", "Ч", "Ш", "Щ", "Ъ", "Ы", "Ь", "Э", "Ю", "Я"};
    const auto replaceAll = [](std::string& s, const std::string& from, const std::string& to) {
        for (std::size_t pos = s.find(from); pos != std::string::npos;
             pos = s.find(from, pos + to.size())) {
            s.replace(pos, from.size(), to);
        }
    };
    for (std::size_t k = 0; k < table.size(); ++k) {
        const std::string& r = table[k][static_cast<std::size_t>(scheme)];
        replaceAll(text, table[k][0], r);
        std::string cap = r;
        if (cap[0] >= 'a' && cap[0] <= 'z') cap[0] = static_cast<char>(cap[0] - 32);
        replaceAll(text, capitals[k], cap);
    }
    return text;
}

TEST(Translit, OnePassAgreesWithKeyByKeyReplacement) {
    const std::vector<std::string> pieces = {"и", "й", "И", "Й", "ий", "ИЙ", "щ", "Щ", "ё", "Ё",
                                             "ъ", "ь", "я", "Я", "a",  " ",  "Z", "ї", "ж"};
    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        const int count = static_cast<int>(random() % 12);
        for (int i = 0; i < count; ++i) text += pieces[random() % pieces.size()];
        for (int scheme : {1, 2}) ASSERT_EQ(tr(text, scheme), stepwise(text, scheme)) << text;
    }
}

}  // namespace
}  // namespace tavrolin
