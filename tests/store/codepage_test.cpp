// cp1251 <-> UTF-8 and cp1251 letter case.
#include "store/codepage.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace tavrolin::store {
namespace {

TEST(Codepage, RoundTripsEveryByte) {
    std::string all;
    for (int i = 0; i < 256; ++i) all += static_cast<char>(i);
    EXPECT_EQ(encodeCp1251(decodeCp1251(all)), all);
    EXPECT_EQ(decodeCp1251("\xC0\xFF\xA8\xB8\xB9\x88\x96\x98"), "АяЁё№€–\xC2\x98");
    EXPECT_EQ(upperCp1251(0xFF), 0xDF);  // я -> Я
    EXPECT_EQ(upperCp1251(0xB8), 0xA8);  // ё -> Ё
    EXPECT_EQ(upperCp1251('1'), '1');
}

TEST(Codepage, ReplacesWhatItCannotEncode) {
    const std::pair<const char*, const char*> cases[] = {
        {"ü中😀", "???"},
        {"a\x80z", "a?z"},     // stray continuation
        {"a\xD0", "a?"},       // cut-off sequence
        {"\xD0z\xD1", "?z?"},  // a lead byte without its continuation
        {"Глубина 5м", "\xC3\xEB\xF3\xE1\xE8\xED\xE0 5\xEC"}};
    for (const auto& [utf8, bytes] : cases) EXPECT_EQ(encodeCp1251(utf8), bytes) << utf8;
}

// Every character of two UTF-8 bytes encodes to the byte that decodes to it, else to '?', also
// into a fixed width that it never splits.
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
        ASSERT_EQ(encodeCp1251Into(utf8 + "zz", out, 2), 2u) << cp;
        EXPECT_EQ(std::string(out, 2), std::string(1, expected) + "z") << cp;
        EXPECT_EQ(encodeCp1251(utf8), std::string(1, expected)) << cp;
    }
    char out[4] = {'.', '.', '.', '.'};
    EXPECT_EQ(encodeCp1251Into("Щука и ёж", out, 4), 4u);
    EXPECT_EQ(std::string(out, 4), "\xD9\xF3\xEA\xE0");
}

}  // namespace
}  // namespace tavrolin::store
