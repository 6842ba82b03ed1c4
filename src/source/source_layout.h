// The layout of a source table as its header and field descriptors give it, read from bytes
// and checked against the file before anything trusts it: a header or a field that points
// outside the file or outside its record is refused with a description of what is wrong. The
// byte map is store/dbf_format.h's; this reader is more lenient than the store's parseDbfHeader
// (rounded record counts, descriptors up to the header length or the terminator).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "store/object_kind.h"
#include "store/status.h"

namespace tavrolin::source {

// Error numbers of this reader beyond the shared ones in store/status.h.
constexpr int kErrOutOfMemory = 7;      // a table too big for the memory at hand
constexpr int kErrBadFileFormat = 321;  // a header that contradicts itself or the file

struct SourceHeader {
    std::uint8_t version = 0;
    std::int32_t declaredRecordCount = 0;  // as the header says; may lie
    std::uint16_t headerLength = 0;
    std::uint16_t recordLength = 0;
    std::uint8_t languageDriver = 0;

    bool isVisualFoxPro() const { return version >= 0x30 && version <= 0x32; }
};

// What a field is for in type detection.
enum class FieldRole : std::uint8_t { None, TypeCode, Label, Level };

struct SourceField {
    std::string name;          // upper case, after the DEPTH renaming
    char type = 'C';           // C, N, F, D, L; M, G, B, P are kept but never recognised
    std::uint32_t length = 0;  // bytes; 16-bit for C fields
    std::uint32_t offset = 0;  // inside the record; the first field starts after the flag
    bool ignored = false;      // unknown type letter: takes its room, never read
    FieldRole role = FieldRole::None;
    // FILL_STYLE a polygon, LINE_COLOR a line, POINT_SYMB a point.
    store::ObjectKind selectsKind = store::ObjectKind::None;
};

struct SourceLayout {
    std::vector<SourceField> fields;
    bool hasValueField = false;     // VALUE: the table may already be a conversion's output
    bool hasDepthInMetres = false;  // DEPTH_M10
    bool hasLmcType = false;        // LMC_TYPE: noted, its code rule is not applied
    bool hasMarine = false;         // MARINE: noted, its code rule is not applied
};

// Reads the fixed header. Fails when fewer than 32 bytes are given.
Result<SourceHeader> parseHeader(std::span<const std::uint8_t> bytes);

// The record count the file's size allows: (fileSize - headerLength - 1) / recordLength,
// rounded to the nearest whole number with halves going to the even neighbour; 0 when the
// header claims more bytes than the file has. recordLength must not be 0.
std::int64_t computedRecordCount(std::uint64_t fileSize, std::uint32_t headerLength,
                                 std::uint32_t recordLength);

// Number of field descriptors the header length announces: headerLength / 32 - 1, rounded
// half to even, never below 0.
int announcedFieldCount(std::uint32_t headerLength);

// Reads the field descriptors from the bytes after the fixed header (as many as the file has
// up to the announced count), names them, renames the DEPTH fields, gives them their roles and
// places them in the record. Stops early at the terminator byte. Fails when a descriptor is
// cut off by the end of the file or a field that is read would run past the record.
Result<SourceLayout> parseFields(std::span<const std::uint8_t> descriptors, int announcedCount,
                                 std::uint32_t recordLength);

}  // namespace tavrolin::source
