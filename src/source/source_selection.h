// btnSource_Click: the user picks the source table; its path goes into Source, the names the
// conversions need are derived from it, the template table itself is refused, and the table
// is read (DBFread). The attribute preview is reset whatever happens.
#pragma once

#include <string>

#include "window/main_state.h"

namespace tavrolin {

void btnSource_Click(Main& main);

// Enter in Source: reads the table whose path was typed there, as if the dialog had answered it.
void Source_Enter(Main& main);
// An edit of Source: once the box no longer shows the table that was read, the conversion
// buttons are disabled and the source counts as not read, until a table is read again.
void Source_Change(Main& main);

// Splits a source path at its last separator into Main::sourceFolder (with the separator) and
// Main::sourceFileName, and derives Main::outputFileName and Main::codePageFileName (letter
// case ignored in the checks):
//   river_orig.dbf -> river.dbf and river.cpg;   river.dbf -> river-imc.dbf and river-imc.cpg.
// A path without a separator gives an empty folder and the whole text as file name.
void deriveOutputNames(Main& main, const std::string& path);

}  // namespace tavrolin
