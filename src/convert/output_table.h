// The temporary output table of a conversion: checks that a source was read and a kind chosen,
// creates the empty table in the program folder with the columns the map compiler reads for
// the kind, sets its language byte and field widths, and writes the source's code-page file.
#pragma once

#include <string>

#include "window/main_state.h"

namespace tavrolin {

// The notices when no source was read or no kind is chosen; otherwise DBFmake, then DBFedit on
// the new table. True when the empty table is ready (its name in main.outputTableName).
bool DBFprepare(Main& main);

// Creates the empty temporary output table through the connection with one CREATE TABLE
// statement; a leftover of an unfinished run is deleted first. The table is named by the object
// kind, unless a file of that name is not ours to delete (the source, an output, a file of
// another structure): then the next free name of kind + digit is used. Refuses an
// output name that would replace the template. Failures: " ! создать файл не удалось, DBFmake: "
// on Att, beep, false.
bool DBFmake(Main& main);

// Patches the header of the new table at path: language byte 0xC9 (Russian) or 0x57, the widths
// of the numeric columns and the record length; writes the code-page file into the source folder
// when none of that name (in any letter case) is there. Failures: " ! преобразовать структуру
// не удалось, DBFedit: " on Att, beep, false.
bool DBFedit(Main& main, const std::string& path, const std::string& kindName);

// A new output table carries the dBASE "incomplete transaction" mark (header byte 14) from
// DBFedit until its rows are written; only such a table is deleted as a leftover by the next
// DBFmake. This sets (finished false) or clears the mark of the table at path; clear it after
// the rows are flushed and before the table is moved to its output name.
Status markOutputTable(const std::string& path, bool finished);

// The CREATE TABLE statement of the output table: its name, the kind's columns, the label width
// and the Garmin MPC columns.
std::string outputTableStatement(const std::string& tableName, const std::string& kindName,
                                 int labelWidth, bool garminColumns);

// The code page number that the code-page file holds for the interface language.
inline const char* outputCodePage(bool russian) { return russian ? "1251" : "65001"; }

}  // namespace tavrolin
