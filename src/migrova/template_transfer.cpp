#include "migrova/template_transfer.h"

#include <string_view>

namespace tavrolin::migrova {

namespace {

// Copies or compares every column of the old row into the new set's current row (or the row
// begun with addNew).
Status carryColumns(const store::RecordSet& oldRows, store::RecordSet& newRow, bool added,
                    int rowNumber, const TransferEvents& events) {
    for (int column = 0; column < oldRows.fieldCount(); ++column) {
        const std::string& name = oldRows.field(column).name;
        Result<store::Value> oldValue = oldRows.value(column);
        if (!oldValue) return oldValue.status();
        if (added) {
            Status status = newRow.setValue(name, *oldValue);
            if (!status) return status;
            continue;
        }
        Result<store::Value> newValue = newRow.value(name);
        if (!newValue) return newValue.status();
        if (oldValue->isNull() || newValue->isNull() || !valuesDiffer(*newValue, *oldValue)) {
            continue;
        }
        if (events.logLine) {
            events.logLine(std::to_string(rowNumber) + ": " + name + "=" + newValue->toText() +
                           " >> " + oldValue->toText());
        }
        Status status = newRow.setValue(name, *oldValue);
        if (!status) return status;
    }
    return {};
}

// Looks up, adds or changes the new table's row for the old set's current row, and saves it.
Status carryRow(const store::RecordSet& oldRows, store::Connection& newConnection,
                const std::string& newTable, int rowNumber, const TransferEvents& events) {
    Result<store::Value> kind = oldRows.value("VID");
    if (!kind) return kind.status();
    Result<store::Value> type = oldRows.value("MP_TYPE");
    if (!type) return type.status();
    const std::string code = type->toText();
    Result<store::RecordSet> match =
        newConnection.openRecordSet("SELECT * FROM " + newTable + " WHERE VID=" + kind->toText() +
                                        " AND MP_TYPE='" + code + "'",
                                    store::LockType::Optimistic);
    if (!match) return match.status();

    const bool added = match->recordCount() == 0;
    if (added) {
        Status status = match->addNew();
        if (!status) return status;
        if (events.logLine) events.logLine(std::to_string(rowNumber) + " >> " + code);
    }
    Status status = carryColumns(oldRows, *match, added, rowNumber, events);
    if (status) status = match->update();
    if (!status) match->cancelUpdate();  // nothing of a row given up reaches the file
    Status closed = match->close();      // the flush of the stored row
    return status ? closed : status;
}

}  // namespace

bool valuesDiffer(const store::Value& a, const store::Value& b) {
    if (a.kind() == b.kind()) return !(a == b);
    return a.toText() != b.toText();
}

Status transferRows(store::RecordSet& oldRows, store::Connection& newConnection,
                    const std::string& newTable, const TransferEvents& events) {
    for (int row = 0; !oldRows.eof(); ++row) {
        Status status = carryRow(oldRows, newConnection, newTable, row, events);
        if (status) status = oldRows.moveNext();
        if (!status) return status;
        if (events.rowSaved) events.rowSaved(row);
    }
    return {};
}

std::string tableReference(const std::string& fileName) {
    constexpr std::string_view kNameEnders = " \t()[],;='\"";
    if (fileName.find_first_of(kNameEnders) == std::string::npos) return fileName;
    return "[" + fileName + "]";
}

}  // namespace tavrolin::migrova
