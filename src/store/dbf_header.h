// Reads a dBASE header and its field descriptors from bytes, refusing sizes that disagree; and
// builds the header of a new, empty table.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "store/field_info.h"
#include "store/status.h"

namespace tavrolin::store {

struct DbfHeader {
    std::uint8_t version = 0;
    std::uint8_t languageDriver = 0;
    bool incomplete = false;        // the dBASE IV incomplete-transaction mark is set
    std::uint32_t recordCount = 0;  // as the header declares it
    std::uint32_t headerLength = 0;
    std::uint32_t recordLength = 0;
    std::vector<FieldInfo> fields;
    // Start of each field within a record; the deletion flag is byte 0, so the first field
    // starts at 1. Invariant: offsets[i] + fields[i].length <= recordLength.
    std::vector<std::uint32_t> offsets;

    // The records that the file really holds: the declared count, or fewer when the file ends
    // before them.
    std::uint32_t availableRecords(std::uint64_t fileSize) const;
};

// Parses the header. `bytes` holds the start of the file: at least the whole header, or the
// whole file when that is shorter; `fileSize` is the size of the whole file. Error E_FAIL with
// the exact reason when the file is not a table this store can read safely: shorter than a
// header, a header length shorter than its descriptors or beyond the file, descriptors without
// the terminator, a record length of 0 or shorter than its fields.
Result<DbfHeader> parseDbfHeader(std::span<const std::uint8_t> bytes, std::uint64_t fileSize);

// The complete file of a new empty table: header (version 0x03, the given date, no records,
// language byte 0), descriptors, terminator and end-of-file byte. The fields must be valid
// (names of at most 10 characters, widths that fit a descriptor and a record).
std::vector<std::uint8_t> buildEmptyTable(const std::vector<FieldInfo>& fields, int year, int month,
                                          int day);

}  // namespace tavrolin::store
