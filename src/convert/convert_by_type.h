// Conversion by types: one output row per source record, carrying the record's level, type code
// and label and the attributes that the template holds for its type.
#pragma once

#include "convert/type_attributes.h"
#include "window/main_state.h"

namespace tavrolin {

// The "!!!" button: prepares the output table, runs the conversion with the move beside the
// source, reports success and shows the output in the file manager.
void btnMakeType_Click(Main& main);

// How the rows reach the output table: straight into its record buffer, or as one INSERT INTO
// statement per record. Both store the same bytes; the statements are the reference that the
// direct path is checked against.
enum class RowWriting { Direct, Statements };

class DepthRules;

// The depth rules a conversion by depth hands to the conversion by types, so that each row is
// written once with its depth values instead of being revisited by a pass over the table.
// `written` tells whether they were (not so when the rows go as statements).
struct DepthInRows {
    const DepthRules* rules = nullptr;
    bool written = false;
};

// Fills the temporary output table (main.outputTableName) from the source record list and the
// template rows of the current kind. With depth rules, a row without level whose label reads as
// a depth also gets the values of that depth, as the pass of RunName would give it; a failure
// of those is reported as RunName's. With moveWhenDone the finished table replaces the output
// file beside the source (sourceFolder + outputFileName) in one step. Any failure stops the run:
// " ! RunType: number. description" on Att, a beep, false; the output file is then untouched.
bool RunType(Main& main, bool moveWhenDone, const ConversionOptions& options,
             RowWriting writing = RowWriting::Direct, DepthInRows* depth = nullptr);

// The last step of a conversion: writes the rows out, clears the table's unfinished mark and
// moves it over the output file beside the source in one step (also across file systems), then
// removes older outputs whose names differ only in letter case and writes the output's
// code-page file. When the move fails the output file is as it was and the table stays in the
// program folder.
Status moveOutputTable(Main& main);

}  // namespace tavrolin
