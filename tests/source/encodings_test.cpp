// The code pages of source labels: decoding, the marks and code-page files that choose one, the
// guess by high bytes, and the caseless hash.
#include "source/encodings.h"

#include <gtest/gtest.h>

#include "store/case_fold.h"

namespace tavrolin::source {
namespace {

const std::string kLakeUtf8 = "\xD0\x9E\xD0\xB7\xD0\xB5\xD1\x80\xD0\xBE";  // Озеро
const std::string kLake1251 = "\xCE\xE7\xE5\xF0\xEE";
const std::string kLake866 = "\x8E\xA7\xA5\xE0\xAE";

// (Code page 1251 is the store's, tested there.)
TEST(Encodings, DecodesTheOtherCodePagesFromRealBytes) {
    EXPECT_EQ(decode866(kLake866), kLakeUtf8);
    EXPECT_EQ(decode437("\x81\xE1"), "\xC3\xBC\xC3\x9F");                   // üß
    EXPECT_EQ(decode1252("\x80\x9F\xE9"), "\xE2\x82\xAC\xC5\xB8\xC3\xA9");  // €Ÿé
    EXPECT_EQ(decodeLatin1("\x80\xE9"), "\xC2\x80\xC3\xA9");
    for (auto decode : {decode866, decode437, decode1252, decodeLatin1}) {
        std::string all;
        for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
        EXPECT_TRUE(isValidUtf8(decode(all)));
        EXPECT_EQ(decode("abc 12"), "abc 12");
    }
}

TEST(Encodings, MarksAndCodePageFilesChooseTheDecoding) {
    EXPECT_EQ(labelDecoding(true, 87, 866), LabelDecoding::Utf8);
    EXPECT_EQ(labelDecoding(false, 87, 437), LabelDecoding::Utf8);   // what an English output holds
    EXPECT_EQ(labelDecoding(true, 101, 437), LabelDecoding::Cp866);  // the file says 866
    // OEM: the system's page, 866 on a Russian system even under the English interface.
    EXPECT_EQ(labelDecoding(false, 2, 437), LabelDecoding::Cp437);
    EXPECT_EQ(labelDecoding(false, 2, 866), LabelDecoding::Cp866);
    EXPECT_EQ(labelDecoding(false, 2, 850), LabelDecoding::Cp437);
    EXPECT_EQ(labelDecoding(false, 201, 437), LabelDecoding::Utf8);
    for (int mark : {0, 1, 2, 201, 38})
        EXPECT_EQ(labelDecoding(true, mark, 866), LabelDecoding::Cp1251);
    for (int mark : {0, 1, 101}) EXPECT_EQ(labelDecoding(false, mark, 866), LabelDecoding::Cp1251);

    const std::pair<const char*, std::optional<LabelDecoding>> files[] = {
        {"UTF-8", LabelDecoding::Utf8},
        {"65001 \n", LabelDecoding::Utf8},
        {"1251", LabelDecoding::Cp1251},
        {"Windows-1251", LabelDecoding::Cp1251},
        {"ANSI 1251\r\n", LabelDecoding::Cp1251},
        {"866", LabelDecoding::Cp866},
        {"437", LabelDecoding::Cp437},
        {"1252", LabelDecoding::Cp1252},
        {"iso-8859-1", LabelDecoding::Latin1},
        {"", std::nullopt},
        {"1250", std::nullopt},
        {"ANSI  1251", std::nullopt},
        {"12511", std::nullopt}};
    for (const auto& [text, decoding] : files) EXPECT_EQ(codePageDecoding(text), decoding) << text;
}

TEST(Encodings, GuessesByCountingHighBytesAndNeverLetsIllFormedUtf8Through) {
    EXPECT_EQ(guessLabelMark("Lake 12"), kGuessAscii);
    EXPECT_EQ(guessLabelMark("\x80"), kGuessAscii);  // 0x80 counts with ASCII
    EXPECT_EQ(guessLabelMark(kLakeUtf8), kGuessHighLower);
    EXPECT_EQ(guessLabelMark(kLake866), kGuessHighLower);
    EXPECT_EQ(guessLabelMark(kLake1251), kGuessHighUpper);
    EXPECT_EQ(guessLabelMark("\xC4\xED\xEE"), kGuessHighUpper);  // Дно: nothing counted
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));
    // A label marked UTF-8 that is not: read as 1251 instead of showing replacement marks.
    EXPECT_EQ(decodeLabel(kLake1251, LabelDecoding::Utf8), kLakeUtf8);
    EXPECT_EQ(decodeLabel("  " + kLakeUtf8 + " ", LabelDecoding::Utf8), kLakeUtf8);
}

TEST(Encodings, CaselessHashAgreesWithTheCaseFold) {
    const std::string texts[] = {"0X24",  "0x24",  "\xD0\x81X", "\xD1\x91x", "Ґ", "ґ",
                                 "Ї",     "ї",     "Ў",         "ў",         "Ѐ", "ѐ",
                                 "a\xFF", "A\xFF", "a\xFE",     ""};
    for (const std::string& a : texts) {
        for (const std::string& b : texts) {
            if (store::equalsIgnoringCase(a, b)) {
                EXPECT_EQ(caselessHash(a), caselessHash(b)) << a;
            }
        }
        EXPECT_EQ(caselessHash(a), caselessHash(store::foldUtf8(a))) << a;
    }
}

}  // namespace
}  // namespace tavrolin::source
