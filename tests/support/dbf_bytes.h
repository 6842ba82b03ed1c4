// The bytes of dBASE tables for tests, written byte by byte so that a test controls every header
// byte (and can spoil any of them): the header with its field descriptors, and records.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace tavrolin::testing {

struct DbfField {
    std::string name;
    char type;  // 'C', 'N', ...
    int length;
    int decimals = 0;
};

// The header of a dBASE III table: version 0x03, the record count, header and record lengths
// from the fields, the descriptors (name cut to `nameLimit` bytes; a text field's length above
// 255 goes on in the decimals byte), then 0x0D. Date and language bytes are zero.
inline std::vector<std::uint8_t> dbfHeader(const std::vector<DbfField>& fields,
                                           std::uint32_t recordCount, std::size_t nameLimit = 11) {
    const std::size_t headerLength = 32 * (fields.size() + 1) + 1;
    std::size_t recordLength = 1;
    for (const DbfField& f : fields) recordLength += static_cast<std::size_t>(f.length);
    std::vector<std::uint8_t> bytes(headerLength, 0);
    bytes[0] = 0x03;
    for (int i = 0; i < 4; ++i) bytes[4 + i] = static_cast<std::uint8_t>(recordCount >> (8 * i));
    bytes[8] = static_cast<std::uint8_t>(headerLength & 0xFF);
    bytes[9] = static_cast<std::uint8_t>(headerLength >> 8);
    bytes[10] = static_cast<std::uint8_t>(recordLength & 0xFF);
    bytes[11] = static_cast<std::uint8_t>(recordLength >> 8);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        std::uint8_t* d = &bytes[32 * (i + 1)];
        const DbfField& f = fields[i];
        for (std::size_t c = 0; c < f.name.size() && c < nameLimit; ++c) {
            d[c] = static_cast<std::uint8_t>(f.name[c]);
        }
        d[11] = static_cast<std::uint8_t>(f.type);
        d[16] = static_cast<std::uint8_t>(f.length & 0xFF);
        d[17] = static_cast<std::uint8_t>(f.type == 'C' ? f.length >> 8 : f.decimals);
    }
    bytes[headerLength - 1] = 0x0D;
    return bytes;
}

// One record: the deletion flag, then one value per field, cut to its width and padded with
// blanks (text fields left-aligned, others right-aligned).
inline std::string dbfRecord(const std::vector<DbfField>& fields,
                             const std::vector<std::string>& values, bool deleted = false) {
    std::string bytes(1, deleted ? '*' : ' ');
    for (std::size_t i = 0; i < fields.size(); ++i) {
        std::string value = i < values.size() ? values[i] : "";
        const auto width = static_cast<std::size_t>(fields[i].length);
        value.resize(std::min(value.size(), width));
        const std::string pad(width - value.size(), ' ');
        bytes += fields[i].type == 'C' ? value + pad : pad + value;
    }
    return bytes;
}

}  // namespace tavrolin::testing
