// The temporary output table of a conversion: checks that a source was read and a kind chosen,
// creates the empty table in the program folder with the columns the map compiler reads for
// the kind, sets its language byte and field widths; and the output's code-page file.
//
// Text encoding of an output: code page 1251 under the Russian interface (language byte 0xC9,
// code-page file "1251"), UTF-8 under the English one (language byte 0x57, "65001"), so that
// the table holds what it declares and no letter is lost.
#pragma once

#include <string>

#include "store/field_info.h"
#include "window/main_state.h"

namespace tavrolin {

// The notices when no source was read or no kind is chosen; otherwise DBFmake, then DBFedit on
// the new table. True when the empty table is ready (its name in main.outputTableName).
bool DBFprepare(Main& main);

// Creates the empty temporary output table through the connection with one CREATE TABLE
// statement, and declares its text encoding on the connection; a leftover of an unfinished run
// is deleted first. The label column is the longest label plus 10, at most 254, counted in
// characters for code page 1251 and in bytes for UTF-8. The table is named by the object
// kind, unless a file of that name is not ours to delete (the source, an output, a file of
// another structure): then the next free name of kind + digit is used. Refuses an
// output name that would replace the template. Failures: " ! создать файл не удалось, DBFmake: "
// on Att, beep, false.
bool DBFmake(Main& main);

// Patches the header of the new table at path: language byte 0xC9 (Russian) or 0x57, the widths
// of the numeric columns and the record length. Failures: " ! преобразовать структуру
// не удалось, DBFedit: " on Att, beep, false.
bool DBFedit(Main& main, const std::string& path, store::ObjectKind kind);

// A new output table carries the dBASE "incomplete transaction" mark (header byte 14) from
// DBFedit until its rows are written; only such a table is deleted as a leftover by the next
// DBFmake. This sets (finished false) or clears the mark of the table at path; clear it after
// the rows are flushed and before the table is moved to its output name.
Status markOutputTable(const std::string& path, bool finished);

// The CREATE TABLE statement of the output table: its name, the kind's columns, the label width
// and the Garmin MPC columns.
std::string outputTableStatement(const std::string& tableName, store::ObjectKind kind,
                                 int labelWidth, bool garminColumns);

// The code page number that the code-page file holds for the interface language, and the
// encoding of the output's text that it names.
inline const char* outputCodePage(bool russian) { return russian ? "1251" : "65001"; }
inline store::TextEncoding outputTextEncoding(bool russian) {
    return russian ? store::TextEncoding::Cp1251 : store::TextEncoding::Utf8;
}

// Writes the output's code-page file (main.codePageFileName, named after the output file) into
// the source folder with the code page of the output's text, replacing one of an earlier run and
// removing spellings of it that differ only in letter case. The source's own code-page file is
// never written.
Status writeOutputCodePage(const Main& main);

// Removes older outputs beside the source whose names differ from the output file name only in
// letter case (LAKE-IMC.DBF when lake-imc.dbf is written).
Status removeOldOutputSpellings(const Main& main);

}  // namespace tavrolin
