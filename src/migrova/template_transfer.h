// Carrying the rows of an old template table into a new one: each old row is looked up in the
// new table by VID and MP_TYPE; a missing row is added with every old column, and in a found row
// every column whose value differs is overwritten with the old value. A null on either side
// never counts as a difference.
#pragma once

#include <functional>
#include <string>

#include "store/connection.h"
#include "store/status.h"
#include "store/value.h"

namespace tavrolin::migrova {

struct TransferEvents {
    // A log line: "i >> code" for an added row, "i: NAME=new >> old" for a changed value.
    std::function<void(const std::string&)> logLine;
    // Row i (from 0) is saved.
    std::function<void(int)> rowSaved;
};

// Walks `oldRows` from its current row to its end and writes into the table `newTable` of
// `newConnection`. Each row is saved whole or not at all: on a failure (e.g. 3265 for an old
// column the new table lacks) the row under way is dropped, the rows saved before it stay, and
// the failure is returned.
Status transferRows(store::RecordSet& oldRows, store::Connection& newConnection,
                    const std::string& newTable, const TransferEvents& events);

// Whether two non-null values differ: values of one kind by value, of different kinds (a number
// in one table, a text in the other) by their text.
bool valuesDiffer(const store::Value& a, const store::Value& b);

// A table's file name as a statement names it: as it is, or in square brackets when it holds a
// blank or punctuation that would end the name.
std::string tableReference(const std::string& fileName);

}  // namespace tavrolin::migrova
