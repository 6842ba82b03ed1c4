// Template tables for the migration tests, made and read back through the store, in a folder of
// their own per test.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "store/connection.h"
#include "support/record_rows.h"
#include "support/temp_folder.h"

namespace tavrolin::migrova::testing {

class TempFolder : public tavrolin::testing::ScratchFolder {
   public:
    TempFolder() : ScratchFolder("tavrolin-migrova-") {}
    std::string operator/(const std::string& name) const { return (root() / name).string(); }
};

struct Column {
    std::string name;
    std::string type;  // "numeric(1,0)", "char(10)"
};

// Creates `fileName` in `folder` with the columns and one INSERT per row of values, each given
// as the statement writes them ("(0,'0x01',Null)").
inline void makeTable(const std::string& folder, const std::string& fileName,
                      const std::vector<Column>& columns, const std::vector<std::string>& rows) {
    store::Connection connection;
    if (!connection.open(folder)) throw std::runtime_error("cannot open " + folder);
    std::string definitions;
    std::string names;
    for (const Column& column : columns) {
        definitions += (definitions.empty() ? "" : ",") + column.name + " " + column.type;
        names += (names.empty() ? "" : ",") + column.name;
    }
    Status status = connection.execute("CREATE TABLE [" + fileName + "] (" + definitions + ")");
    if (!status) throw std::runtime_error(status.toString());
    for (const std::string& row : rows) {
        status = connection.execute("INSERT INTO [" + fileName + "] (" + names + ") VALUES " + row);
        if (!status) throw std::runtime_error(status.toString() + " in " + row);
    }
    (void)connection.close();
}

// Every row of a table in file order, each as its values' texts joined by "|" ("" for null).
inline std::vector<std::string> tableRows(const std::string& folder, const std::string& fileName) {
    store::Connection connection;
    if (!connection.open(folder)) return {"cannot open the folder"};
    Result<store::RecordSet> set = connection.openRecordSet("SELECT * FROM [" + fileName + "]");
    if (!set) return {"unreadable: " + set.status().toString()};
    std::vector<std::string> rows;
    for (; !set->eof(); tavrolin::testing::next(*set)) {
        std::string row;
        for (int i = 0; i < set->fieldCount(); ++i) {
            row += (i == 0 ? "" : "|") + set->value(i)->toText();
        }
        rows.push_back(row);
    }
    return rows;
}

}  // namespace tavrolin::migrova::testing
