// Read-only access to a source table's bytes: opened once, read in large blocks of whole
// records, never past the end of the file. A record that the (rounded) record count places
// partly beyond the end reads as blanks where the file has no bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/file_io.h"
#include "store/status.h"

namespace tavrolin::source {

class SourceFile {
   public:
    SourceFile() = default;
    ~SourceFile();
    SourceFile(const SourceFile&) = delete;
    SourceFile& operator=(const SourceFile&) = delete;
    SourceFile(SourceFile&& other) noexcept;
    SourceFile& operator=(SourceFile&& other) noexcept;

    // Opens a file for reading. Errors: kBadFileName for a folder or an empty path; otherwise
    // those of store::fileError (not found, permission denied, ...).
    static Result<SourceFile> open(const std::string& path);

    std::uint64_t size() const { return m_size; }

    // Reads up to `count` bytes at `offset` into *out (replacing it); fewer at the end of the
    // file, none past it.
    Status read(std::uint64_t offset, std::size_t count, std::vector<std::uint8_t>* out) const;

    // Prepares record-by-record reading of `count` records of `length` bytes from `start`.
    void startRecords(std::uint64_t start, std::uint32_t length, std::int64_t count);
    // Record r (0-based, ascending order is fastest): exactly `length` bytes.
    Result<std::string_view> record(std::int64_t r);

    void close();

   private:
    store::FileDescriptor m_fd;
    std::string m_path;
    std::uint64_t m_size = 0;

    std::uint64_t m_recordsStart = 0;
    std::uint32_t m_recordLength = 0;
    std::int64_t m_recordCount = 0;
    std::int64_t m_blockFirst = 0;  // first record held in m_block
    std::int64_t m_blockCount = 0;  // records held
    std::vector<char> m_block;
};

}  // namespace tavrolin::source
