// Lookups in the type template table (Tavrolin.dbf) through the table store: which rows list a
// kind's types, which row describes a type for display and for conversion, which row a save
// updates, and how a new type is added. Every statement names the table by the program name.
#pragma once

#include <string>

#include "store/connection.h"
#include "store/object_kind.h"
#include "store/status.h"

namespace tavrolin::templates {

// The type code of a list entry: the trimmed text before the first "|", or the whole trimmed
// text when there is no bar ("0x24  |  Lake" gives "0x24").
std::string typeCodeOf(const std::string& entry);

// True when the text of a row's first column (VID) contains the digit of the kind, the "like"
// match "*k*" that lists a row for kind k.
bool listsForKind(const std::string& vidText, store::ObjectKind kind);

// Refuses a text that cannot stand between apostrophes in a statement (it holds an apostrophe,
// which would end the literal early). Error 3134 names the text.
Status checkQuotable(const std::string& text);

// All rows ordered by VID, then MP_TYPE: the source of the type list.
Result<store::RecordSet> openTypeList(store::Connection& connection, const std::string& table);

// Rows of kind k with the code, a custom row (YN 1) first: the first row describes the type.
Result<store::RecordSet> openTypeForDisplay(store::Connection& connection, const std::string& table,
                                            store::ObjectKind kind, const std::string& code);

// Rows of the code and kind in file order, opened for update: a save changes the first one.
Result<store::RecordSet> openTypeForSave(store::Connection& connection, const std::string& table,
                                         store::ObjectKind kind, const std::string& code);

// Adds a row with only VID, MP_TYPE and one name column (MP_NAME in Russian, else MP_ENG);
// withYn also writes YN 0 (a type added from the found-objects list). Refuses a code or a
// description holding an apostrophe before anything is written.
Status addType(store::Connection& connection, const std::string& table, store::ObjectKind kind,
               const std::string& code, const std::string& description, bool russian, bool withYn);

}  // namespace tavrolin::templates
