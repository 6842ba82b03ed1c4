// Transliteration and lower case of labels.
#include "convert/translit.h"

#include <gtest/gtest.h>

namespace tavrolin {
namespace {

std::string tr(const std::string& text, int scheme = 2) {
    Result<std::string> result = Translit(text, scheme);
    EXPECT_TRUE(result.isOk());
    return result ? *result : std::string();
}

TEST(Translit, SchemesOneAndTwo) {
    const std::tuple<const char*, int, const char*> cases[] = {
        // Scheme 2 capitalises only the first letter of a group; mixed case is not the group.
        {"Щука", 2, "Shuka"},
        {"ЩУКА", 2, "ShUKA"},
        {"ИЙ", 2, "Y"},
        {"ЖЮЯЪЬ", 2, "JYuYa*Y"},
        {"ёж", 1, "jozh"},
        {"Съезд", 1, "S'ezd"},
        {"ЩЁЪ", 1, "ShhJo'"},
        // The letters replaced key by key as the rule is written: "ий" before "и" and "й",
        // the small form before the capital one.
        {"Йод", 1, "Jjod"},
        {"Ий", 1, "Ijj"},
        {"ИЙй", 2, "Yy"},
        // Other text passes unchanged: Ukrainian letters are no keys, scheme 0 changes nothing,
        // ill-formed bytes stay (a cut sequence, then ш, then a bad byte).
        {"Київ ґанок", 2, "Kiїv ґanok"},
        {"СИНИЙ Ий ЩУКА ёЁ", 0, "СИНИЙ Ий ЩУКА ёЁ"},
        {"a\xD0\xD1\x88\xFF", 2, "a\xD0sh\xFF"}};
    for (const auto& [text, scheme, expected] : cases)
        EXPECT_EQ(tr(text, scheme), expected) << text;
    EXPECT_FALSE(Translit("a", 3));
    EXPECT_EQ(Translit("a", -1).status().number(), err::kInvalidArgument);
}

}  // namespace
}  // namespace tavrolin
