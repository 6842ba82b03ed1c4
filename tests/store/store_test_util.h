// Helpers for the store's tests: a temporary folder, whole-file reads and writes, and the bytes
// of a table with any header (good or bad).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "store/dbf_format.h"
#include "store/field_info.h"
#include "support/dbf_bytes.h"
#include "support/temp_folder.h"

namespace tavrolin::store::testing {

using tavrolin::testing::readFile;
using tavrolin::testing::writeFile;

class TempFolder : public tavrolin::testing::ScratchFolder {
   public:
    explicit TempFolder(
        const std::filesystem::path& parent = std::filesystem::temp_directory_path())
        : ScratchFolder("tavrolin-store-", parent) {}
    std::string path() const { return root().string(); }
};

// The bytes of a table: a correct header for `fields` and the given records (each the full
// record, deletion flag first), then 0x1A. Tests then spoil what they need.
inline std::string buildTable(const std::vector<FieldInfo>& fields,
                              const std::vector<std::string>& records) {
    std::vector<tavrolin::testing::DbfField> described;
    for (const FieldInfo& f : fields) described.push_back({f.name, f.type, f.length, f.decimals});
    const std::vector<std::uint8_t> header =
        tavrolin::testing::dbfHeader(described, static_cast<std::uint32_t>(records.size()), 10);
    std::string bytes(header.begin(), header.end());
    for (const std::string& record : records) bytes += record;
    return bytes + static_cast<char>(kEndOfFile);
}

inline std::uint32_t recordCountOf(const std::string& bytes) {
    return decodeLe32(reinterpret_cast<const std::uint8_t*>(bytes.data()) + kRecordCountOffset);
}

}  // namespace tavrolin::store::testing
