// Test helpers for the start-up tests: dBASE tables written byte by byte (so a test controls
// every header byte, including damaged ones), read back the same way, and per-test folders.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "store/file_io.h"
#include "support/dbf_bytes.h"
#include "support/temp_folder.h"

namespace tavrolin::testing {

using TestField = DbfField;  // 'C' or 'N' in these tests

// A folder of its own under the system's temporary folder, removed with the object.
class TempFolder : public ScratchFolder {
   public:
    TempFolder() : ScratchFolder("tavrolin_startup_") {}
    // The folder with the system's separator at its end, as the program keeps its folders.
    std::string folder() const { return root().string() + store::io::kPathSeparator; }
    std::string operator/(const std::string& name) const { return folder() + name; }
};

// The bytes of a dBASE III/IV table: header, descriptors, 0x0D, records, 0x1A, dated
// 2024-01-01 and marked as code page 1251. Text is written as given (the tests use ASCII).
inline std::vector<std::uint8_t> tableBytes(const std::vector<TestField>& fields,
                                            const std::vector<std::vector<std::string>>& rows) {
    std::vector<std::uint8_t> bytes = dbfHeader(fields, static_cast<std::uint32_t>(rows.size()));
    bytes[1] = 124;  // last update 2024-01-01
    bytes[2] = 1;
    bytes[3] = 1;
    bytes[29] = 0xC9;  // code page 1251
    for (const auto& row : rows) {
        const std::string record = dbfRecord(fields, row);
        bytes.insert(bytes.end(), record.begin(), record.end());
    }
    bytes.push_back(0x1A);
    return bytes;
}

inline void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

inline std::vector<std::uint8_t> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A table read back byte by byte: its field descriptors and its rows with blanks trimmed.
struct ReadTable {
    std::vector<TestField> fields;
    std::vector<std::vector<std::string>> rows;
    unsigned headerLength = 0;
    unsigned recordLength = 0;
};

inline ReadTable readTable(const std::string& path) {
    std::vector<std::uint8_t> b = readBytes(path);
    ReadTable t;
    if (b.size() < 33) return t;
    t.headerLength = b[8] | (b[9] << 8);
    t.recordLength = b[10] | (b[11] << 8);
    std::uint32_t count = b[4] | (b[5] << 8) | (b[6] << 16) | (b[7] << 24);
    for (std::size_t at = 32; at + 32 <= t.headerLength && b[at] != 0x0D; at += 32) {
        std::string name(reinterpret_cast<const char*>(&b[at]), 11);
        name.resize(name.find('\0') == std::string::npos ? 11 : name.find('\0'));
        t.fields.push_back({name, static_cast<char>(b[at + 11]), b[at + 16]});
    }
    for (std::uint32_t r = 0; r < count; ++r) {
        std::size_t at = t.headerLength + r * t.recordLength + 1;
        std::vector<std::string> row;
        for (const TestField& f : t.fields) {
            if (at + static_cast<std::size_t>(f.length) > b.size()) break;
            std::string cell(reinterpret_cast<const char*>(&b[at]), f.length);
            auto first = cell.find_first_not_of(' ');
            auto last = cell.find_last_not_of(' ');
            row.push_back(first == std::string::npos ? "" : cell.substr(first, last - first + 1));
            at += static_cast<std::size_t>(f.length);
        }
        t.rows.push_back(row);
    }
    return t;
}

// Base columns of a small template, with the colour columns named by the caller.
inline std::vector<TestField> templateFields(const std::vector<std::string>& colorColumns) {
    std::vector<TestField> fields = {{"VID", 'N', 1},     {"MP_TYPE", 'C', 6}, {"MP_NAME", 'C', 20},
                                     {"MP_ENG", 'C', 20}, {"L_LIMIT", 'N', 2}, {"U_LIMIT", 'N', 2},
                                     {"COLOR", 'N', 3},   {"YN", 'N', 1}};
    for (const std::string& name : colorColumns) fields.push_back({name, 'C', 8});
    return fields;
}

inline const std::vector<std::string>& allColorColumns() {
    static const std::vector<std::string> names = {"CLRRGB", "BDR_CLRRGB", "BDF_CLRRGB",
                                                   "RTP_CLRRGB", "HAL_CLRRGB"};
    return names;
}

}  // namespace tavrolin::testing
