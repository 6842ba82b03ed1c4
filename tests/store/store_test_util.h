// Helpers for the store's tests: a temporary folder removed after the test, whole-file reads
// and writes, and a builder of .dbf bytes with any header (good or bad).
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "store/dbf_format.h"
#include "store/field_info.h"

namespace tavrolin::store::testing {

class TempFolder {
   public:
    explicit TempFolder(
        const std::filesystem::path& parent = std::filesystem::temp_directory_path()) {
        std::random_device random;
        m_path = parent / ("tavrolin-store-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(m_path);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string path() const { return m_path.string(); }
    std::string file(const std::string& name) const { return (m_path / name).string(); }

   private:
    std::filesystem::path m_path;
};

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The bytes of a table: a correct header for `fields` and the given records (each the full
// record, deletion flag first), then 0x1A. Tests then spoil what they need.
inline std::string buildTable(const std::vector<FieldInfo>& fields,
                              const std::vector<std::string>& records) {
    std::string bytes(kFileHeaderSize * (fields.size() + 1) + 1, '\0');
    std::size_t recordLength = 1;
    for (const FieldInfo& field : fields) recordLength += static_cast<std::size_t>(field.length);
    auto* raw = reinterpret_cast<std::uint8_t*>(bytes.data());
    raw[0] = kVersionDbase;
    encodeLe32(raw + kRecordCountOffset, static_cast<std::uint32_t>(records.size()));
    encodeLe16(raw + kHeaderLengthOffset, static_cast<std::uint16_t>(bytes.size()));
    encodeLe16(raw + kRecordLengthOffset, static_cast<std::uint16_t>(recordLength));
    for (std::size_t i = 0; i < fields.size(); ++i) {
        std::uint8_t* descriptor = raw + kFileHeaderSize * (i + 1);
        for (std::size_t c = 0; c < fields[i].name.size() && c < 10; ++c) {
            descriptor[c] = static_cast<std::uint8_t>(fields[i].name[c]);
        }
        descriptor[kDescriptorTypeOffset] = static_cast<std::uint8_t>(fields[i].type);
        descriptor[kDescriptorLengthOffset] = static_cast<std::uint8_t>(fields[i].length & 0xFF);
        descriptor[kDescriptorDecimalsOffset] = static_cast<std::uint8_t>(
            fields[i].type == 'C' ? fields[i].length >> 8 : fields[i].decimals);
    }
    raw[bytes.size() - 1] = kHeaderTerminator;
    for (const std::string& record : records) bytes += record;
    bytes += static_cast<char>(kEndOfFile);
    return bytes;
}

inline std::uint32_t recordCountOf(const std::string& bytes) {
    return decodeLe32(reinterpret_cast<const std::uint8_t*>(bytes.data()) + kRecordCountOffset);
}

}  // namespace tavrolin::store::testing
