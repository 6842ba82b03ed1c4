// The inside of a RecordSet, shared by the connection that fills it and the record set's own
// members.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "store/connection.h"
#include "store/dbf_table.h"
#include "store/query.h"

namespace tavrolin::store {

struct RecordSet::State {
    std::string tableName;
    bool readOnly = true;
    std::shared_ptr<TableFile> table;  // updatable sets only: where changes are written

    std::vector<FieldInfo> fields;
    std::vector<std::uint32_t> offsets;
    std::uint32_t recordLength = 0;
    // Record bytes: slot i at i * recordLength. Slots below loadedCount are the table's
    // records in file order (slot == record number); later slots are rows this set appended.
    std::vector<char> data;
    std::uint32_t loadedCount = 0;
    std::vector<std::uint32_t> appendedRecordNumbers;  // of slots loadedCount, loadedCount+1...

    std::vector<std::uint32_t> rows;  // slots, in the statement's order
    std::size_t position = 0;         // rows.size() is EOF

    enum class Edit { None, Changing, Adding };
    Edit edit = Edit::None;
    std::vector<char> editRecord;  // the row being changed or added
    std::vector<char> scratch;     // a field's new bytes before they go into editRecord

    RecordLayout layout() const { return RecordLayout{&fields, &offsets, recordLength}; }
    const char* record(std::uint32_t slot) const {
        return data.data() + static_cast<std::size_t>(slot) * recordLength;
    }
    std::uint32_t recordNumber(std::uint32_t slot) const {
        return slot < loadedCount ? slot : appendedRecordNumbers[slot - loadedCount];
    }
};

}  // namespace tavrolin::store
