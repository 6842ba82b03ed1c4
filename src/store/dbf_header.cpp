// dBASE header parsing and building.
#include "store/dbf_header.h"

#include <cassert>
#include <string>

#include "store/codepage.h"
#include "store/dbf_format.h"

namespace tavrolin::store {

namespace {

Status malformed(const std::string& reason) {
    return Status::error(err::kFail, "not a readable dBASE table: " + reason,
                         "таблица dBASE не читается: " + reason);
}

// The name in a descriptor: the bytes up to the first NUL. Names are ASCII in every table we
// know; other bytes are read as cp1251 so that the name is still valid text.
std::string descriptorName(const std::uint8_t* descriptor) {
    std::size_t length = 0;
    while (length < kFieldNameSize && descriptor[length] != 0) ++length;
    std::string_view raw(reinterpret_cast<const char*>(descriptor), length);
    while (!raw.empty() && raw.back() == ' ') raw.remove_suffix(1);
    return decodeCp1251(raw);
}

}  // namespace

std::uint32_t DbfHeader::availableRecords(std::uint64_t fileSize) const {
    if (fileSize <= headerLength || recordLength == 0) return 0;
    const std::uint64_t fit = (fileSize - headerLength) / recordLength;
    return fit < recordCount ? static_cast<std::uint32_t>(fit) : recordCount;
}

Result<DbfHeader> parseDbfHeader(std::span<const std::uint8_t> bytes, std::uint64_t fileSize) {
    if (fileSize < kFileHeaderSize || bytes.size() < kFileHeaderSize) {
        return malformed("the file has " + std::to_string(fileSize) +
                         " bytes, fewer than the 32 of a table header");
    }
    DbfHeader header;
    header.version = bytes[kVersionOffset];
    header.languageDriver = bytes[kLanguageDriverOffset];
    header.incomplete = bytes[kIncompleteOffset] == kIncompleteMark;
    header.recordCount = decodeLe32(&bytes[kRecordCountOffset]);
    header.headerLength = decodeLe16(&bytes[kHeaderLengthOffset]);
    header.recordLength = decodeLe16(&bytes[kRecordLengthOffset]);

    // Sizes first: nothing below may read past the header or allocate by a lying count.
    if (header.headerLength < kFileHeaderSize + 1) {
        return malformed("header length (" + std::to_string(header.headerLength) +
                         ") is shorter than a header with its terminator (33)");
    }
    if (header.headerLength > fileSize) {
        return malformed("header length (" + std::to_string(header.headerLength) +
                         ") is beyond the end of the file (" + std::to_string(fileSize) +
                         " bytes)");
    }
    if (bytes.size() < header.headerLength) {
        return malformed("the header could not be read whole");
    }
    if (header.recordLength == 0) return malformed("record length is 0");

    // Read the field descriptors, up to the terminator.
    std::size_t position = kFileHeaderSize;
    bool terminated = false;
    std::uint32_t offset = 1;  // after the deletion flag
    while (position < header.headerLength) {
        if (bytes[position] == kHeaderTerminator) {
            terminated = true;
            break;
        }
        if (position + kFieldDescriptorSize > header.headerLength) break;
        const std::uint8_t* descriptor = &bytes[position];
        FieldInfo field;
        field.name = descriptorName(descriptor);
        field.type = static_cast<char>(descriptor[kDescriptorTypeOffset]);
        field.length = descriptor[kDescriptorLengthOffset];
        field.decimals = descriptor[kDescriptorDecimalsOffset];
        if (field.type == 'C') {  // character fields keep a 16-bit length in bytes 16 and 17
            field.length += 256 * field.decimals;
            field.decimals = 0;
        }
        header.offsets.push_back(offset);
        offset += static_cast<std::uint32_t>(field.length);
        header.fields.push_back(std::move(field));
        position += kFieldDescriptorSize;
    }
    if (!terminated) {
        return malformed(
            "the field descriptors have no terminator (0x0D) within the header "
            "length (" +
            std::to_string(header.headerLength) + ")");
    }
    if (offset > header.recordLength) {
        return malformed("field widths (" + std::to_string(offset - 1) +
                         " bytes and the deletion flag) exceed record length (" +
                         std::to_string(header.recordLength) + ")");
    }
    return header;
}

std::vector<std::uint8_t> buildEmptyTable(const std::vector<FieldInfo>& fields, int year, int month,
                                          int day) {
    const std::size_t headerLength = kFileHeaderSize * (fields.size() + 1) + 1;
    std::size_t recordLength = 1;
    for (const FieldInfo& field : fields) recordLength += static_cast<std::size_t>(field.length);
    assert(headerLength <= kMaxHeaderLength && recordLength <= kMaxRecordLength);

    std::vector<std::uint8_t> bytes(headerLength + 1, 0);
    bytes[kVersionOffset] = kVersionDbase;
    bytes[kDateOffset] = static_cast<std::uint8_t>(year - 1900);
    bytes[kDateOffset + 1] = static_cast<std::uint8_t>(month);
    bytes[kDateOffset + 2] = static_cast<std::uint8_t>(day);
    encodeLe32(&bytes[kRecordCountOffset], 0);
    encodeLe16(&bytes[kHeaderLengthOffset], static_cast<std::uint16_t>(headerLength));
    encodeLe16(&bytes[kRecordLengthOffset], static_cast<std::uint16_t>(recordLength));

    std::size_t position = kFileHeaderSize;
    for (const FieldInfo& field : fields) {
        std::uint8_t* descriptor = &bytes[position];
        assert(field.name.size() <= kMaxFieldNameLength);
        for (std::size_t i = 0; i < field.name.size(); ++i) {
            descriptor[i] = static_cast<std::uint8_t>(field.name[i]);
        }
        descriptor[kDescriptorTypeOffset] = static_cast<std::uint8_t>(field.type);
        if (field.type == 'C') {
            encodeLe16(&descriptor[kDescriptorLengthOffset],
                       static_cast<std::uint16_t>(field.length));
        } else {
            descriptor[kDescriptorLengthOffset] = static_cast<std::uint8_t>(field.length);
            descriptor[kDescriptorDecimalsOffset] = static_cast<std::uint8_t>(field.decimals);
        }
        position += kFieldDescriptorSize;
    }
    bytes[position] = kHeaderTerminator;
    bytes[position + 1] = kEndOfFile;
    return bytes;
}

}  // namespace tavrolin::store
