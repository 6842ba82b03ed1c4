// DBFread: reads the chosen source table byte by byte, recognises its type-code, label and
// level fields, fills the source record list and the found lists GM and GM_TYPE, and picks the
// object kind from the fields or the file name. Bad files end the read with a message on Att;
// nothing in a file can make the reader read outside it.
#pragma once

#include <string>

#include "store/status.h"
#include "window/main_state.h"

namespace tavrolin {

// Reads the table whose path is the text of Source. True when at least one type code was
// found; then Main::sourceRecords has one row per record (deleted records empty),
// Main::labelWidth and Main::depthInMetres are set and Main::sourceRead is true. Every outcome
// is reported on Att; a Visual FoxPro table is refused in a message box.
bool DBFread(Main& main);

// Writes the message for a file that cannot be opened as a source: the "specify the source"
// notice for a missing file, a bad name or an invalid argument, the "in use" failure for a
// file another program holds, else " ! procedure: number. description". Beeps.
void reportSourceFileError(Main& main, const std::string& procedure, const Status& status);

}  // namespace tavrolin
