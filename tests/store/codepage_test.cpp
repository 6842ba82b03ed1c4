// cp1251 <-> UTF-8 and cp1251 letter case.
#include "store/codepage.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "store/case_fold.h"

namespace tavrolin::store {
namespace {

TEST(Codepage, RoundTripsEveryByte) {
    std::string all;
    for (int i = 0; i < 256; ++i) all += static_cast<char>(i);
    const std::string utf8 = decodeCp1251(all);
    EXPECT_EQ(encodeCp1251(utf8), all);
    EXPECT_EQ(decodeCp1251("\xC0\xFF\xA8\xB8\xB9\x88\x96"), "АяЁё№€–");
    EXPECT_EQ(encodeCp1251("Глубина 5м"), "\xC3\xEB\xF3\xE1\xE8\xED\xE0 5\xEC");
}

TEST(Codepage, ReplacesWhatItCannotEncode) {
    EXPECT_EQ(encodeCp1251("ü中😀"), "???");
    // Invalid UTF-8: stray continuation, cut-off sequence, overlong form, surrogate.
    EXPECT_EQ(encodeCp1251("a\x80z"), "a?z");
    EXPECT_EQ(encodeCp1251("a\xD0"), "a?");
    EXPECT_EQ(encodeCp1251("\xC0\xAF"), "??");
    EXPECT_EQ(encodeCp1251("\xED\xA0\x80"), "???");
    EXPECT_EQ(encodeCp1251("\xF4\x90\x80\x80"), "????");
}

TEST(Codepage, EncodesIntoAFixedWidthWithoutSplitting) {
    char out[4] = {'.', '.', '.', '.'};
    EXPECT_EQ(encodeCp1251Into("Щука и ёж", out, 4), 4u);
    EXPECT_EQ(std::string(out, 4), "\xD9\xF3\xEA\xE0");
    EXPECT_EQ(encodeCp1251Into("ab", out, 4), 2u);
    EXPECT_EQ(encodeCp1251Into("", out, 4), 0u);
}

// Every character of two UTF-8 bytes encodes to the byte that decodes to it, else to '?'.
TEST(Codepage, EncodesEveryTwoByteCharacterToItsByte) {
    std::map<std::string, char> byteOf;
    for (int i = 0x80; i < 256; ++i) {
        const char byte = static_cast<char>(i);
        byteOf[decodeCp1251(std::string_view(&byte, 1))] = byte;
    }
    for (unsigned cp = 0x80; cp < 0x800; ++cp) {
        const std::string utf8 = {static_cast<char>(0xC0 | (cp >> 6)),
                                  static_cast<char>(0x80 | (cp & 0x3F))};
        const auto found = byteOf.find(utf8);
        const char expected = found == byteOf.end() ? '?' : found->second;
        char out[2] = {'.', '.'};
        ASSERT_EQ(encodeCp1251Into(utf8 + "z", out, 2), 2u) << cp;
        EXPECT_EQ(out[0], expected) << cp;
        EXPECT_EQ(out[1], 'z') << cp;
        EXPECT_EQ(encodeCp1251(utf8), std::string(1, expected)) << cp;
    }
    // A lead byte without its continuation is not read as a pair.
    char out[3] = {'.', '.', '.'};
    EXPECT_EQ(encodeCp1251Into("\xD0z\xD1", out, 3), 3u);
    EXPECT_EQ(std::string(out, 3), "?z?");
}

TEST(Codepage, FoldsLatinAndCyrillicCase) {
    EXPECT_TRUE(equalsIgnoringCaseCp1251(encodeCp1251("0X4B Ёлка Ї"), encodeCp1251("0x4b ёЛКА ї")));
    EXPECT_FALSE(equalsIgnoringCaseCp1251(encodeCp1251("е"), encodeCp1251("ё")));
    EXPECT_FALSE(equalsIgnoringCaseCp1251("ab", "abc"));
    EXPECT_EQ(upperCp1251('1'), '1');
    EXPECT_EQ(upperCp1251(0xFF), 0xDF);  // я -> Я
}

}  // namespace
}  // namespace tavrolin::store
