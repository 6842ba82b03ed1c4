// Label encodings of source tables: the one-byte code pages a map editor may have written
// (1251 Windows Cyrillic, 866 DOS Cyrillic, 437 DOS Latin, 1252 Windows Latin, ISO-8859-1) and
// UTF-8, all decoded to UTF-8, plus the rule that picks a label's decoding from the file's
// language-driver byte and the interface language, the guess used when the file carries no
// mark, and the names a code-page file (.cpg) gives these encodings.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavrolin::source {

// Language-driver byte values the reader acts on.
constexpr int kMarkNone = 0;      // no mark: guessed label by label
constexpr int kMarkOem = 2;       // OEM (DOS) code page
constexpr int kMarkUtf8 = 87;     // 0x57: UTF-8 (what an English-interface output holds)
constexpr int kMarkCp866 = 101;   // 0x65: DOS Cyrillic under the Russian interface
constexpr int kMarkCp1251 = 201;  // 0xC9: UTF-8 under the English interface

// Results of guessLabelMark.
constexpr int kGuessAscii = 0;      // plain ASCII: nothing learnt, guess again next label
constexpr int kGuessHighLower = 1;  // more bytes 0x81..0xC0 than 0xEF..0xFF
constexpr int kGuessHighUpper = 2;  // otherwise

// How a label's bytes are turned into text.
enum class LabelDecoding : std::uint8_t {
    Cp1251,  // the bytes as Windows Cyrillic: what every label is before conversion
    Utf8,    // the bytes as UTF-8, surrounding blanks cut
    Cp866,   // the OEM page of a Russian desktop
    Cp437,   // the OEM page of an English desktop
    Cp1252,  // Windows Latin, as a code-page file may name it
    Latin1,  // ISO-8859-1, as a code-page file may name it
};

// The decoding for a mark under the interface language. Only these pairs convert:
//   87 -> UTF-8 (either interface), Russian 101 -> 866, English 2 -> the system's OEM code page
//   (866 when that is 866, else 437: the pages a label of such a file is written in), English
//   201 -> UTF-8;
// every other pair (guessed marks 1 and 2 under Russian, 1 under English included) keeps the
// 1251 reading. 87 is what an English-interface output declares, and its text is UTF-8, so it
// reads back as such under either interface (a label that is not valid UTF-8 still reads as
// 1251, see decodeLabel).
LabelDecoding labelDecoding(bool russian, int mark, int oemCodePage);

// Counts the bytes of a label (its 1251 form): c0 = 0x00..0x80, c1 = 0x81..0xC0,
// c2 = 0xEF..0xFF. kGuessAscii when every byte is in c0, else kGuessHighLower when c1 > c2,
// else kGuessHighUpper.
int guessLabelMark(std::string_view bytes);

// One-byte code pages to UTF-8. Every byte maps to a character, so the result is always valid
// UTF-8. 1251 is the table store's codec (store/codepage.h), shared here under the names the
// other subsystems know.
std::string decode1251(std::string_view bytes);
std::string decode866(std::string_view bytes);
std::string decode437(std::string_view bytes);
std::string decode1252(std::string_view bytes);
std::string decodeLatin1(std::string_view bytes);

// The decoding a code-page file's text names, in the forms GDAL, QGIS and other tools write:
// "UTF-8", "UTF8", "65001"; "1251", "CP1251", "WINDOWS-1251", "ANSI 1251"; "866", "CP866";
// "437", "CP437"; "1252", "CP1252", "WINDOWS-1252", "ANSI 1252"; "ISO-8859-1", "ISO8859-1",
// "LATIN1", "28591". Any letter case; surrounding blanks and line ends are ignored. Nothing for
// any other text.
std::optional<LabelDecoding> codePageDecoding(std::string_view text);

// UTF-8 to 1251; characters 1251 cannot hold become '?'.
std::string encode1251(std::string_view utf8);

// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates, at most
// U+10FFFF).
bool isValidUtf8(std::string_view bytes);

// A label's bytes under a decoding, always valid UTF-8. A label that claims to be UTF-8 but is
// not well-formed is read as 1251 instead, so a wrongly marked file still shows readable text
// rather than replacement marks. UTF-8 results have their surrounding blanks cut.
std::string decodeLabel(std::string_view bytes, LabelDecoding decoding);

// A hash that agrees with store::equalsIgnoringCase.
std::uint64_t caselessHash(std::string_view utf8);

}  // namespace tavrolin::source
