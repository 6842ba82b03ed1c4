// An open .dbf file, with buffered appends.
#include "store/dbf_table.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>

#include "store/dbf_format.h"
#include "store/file_error.h"
#include "store/file_io.h"

namespace tavrolin::store {

namespace {

constexpr std::size_t kAppendBufferBytes = 1 << 20;  // written out when this much is pending

// Every TableFile alive in the process; single-threaded like the rest of the program.
std::vector<TableFile*>& openTables() {
    static std::vector<TableFile*> tables;
    return tables;
}

}  // namespace

TableFile::TableFile(std::string path, bool writable)
    : m_path(std::move(path)), m_writable(writable) {
    openTables().push_back(this);
}

TableFile::~TableFile() {
    (void)close();
    auto& tables = openTables();
    tables.erase(std::remove(tables.begin(), tables.end(), this), tables.end());
}

Result<std::shared_ptr<TableFile>> TableFile::open(const std::string& path, bool writable) {
    std::shared_ptr<TableFile> table(new TableFile(path, writable));
    Status status = table->openFile();
    if (!status) return status;

    const DbfHeader& header = table->m_header;
    table->m_blankRecord.assign(header.recordLength, ' ');
    // Keyed by the upper-case name: other writers may store names in lower case, and a name
    // is found in any letter case (the first of two that differ only in case wins).
    for (std::size_t i = 0; i < header.fields.size(); ++i) {
        std::string key = header.fields[i].name;
        for (char& c : key) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
        table->m_fieldIndex.emplace(std::move(key), static_cast<int>(i));
    }
    return table;
}

Status TableFile::openFile() {
    Result<FileDescriptor> file = store::openFile(m_path, m_writable ? O_RDWR : O_RDONLY);
    if (!file) return file.status();
    const int fd = file->get();
    struct stat info {};
    if (::fstat(fd, &info) != 0) return fileError(errno, "open", m_path);
    if (!S_ISREG(info.st_mode)) {
        return Status::error(err::kInvalidArgument, m_path + " is not a file");
    }
    const auto fileSize = static_cast<std::uint64_t>(info.st_size);

    // The header is at most 64 KiB (its length is a 16-bit number).
    std::vector<std::uint8_t> prefix(std::min<std::uint64_t>(fileSize, kMaxHeaderLength));
    Status status = readAt(fd, reinterpret_cast<char*>(prefix.data()), prefix.size(), 0, m_path);
    Result<DbfHeader> header =
        status ? parseDbfHeader(prefix, fileSize) : Result<DbfHeader>(status);
    if (!header) {
        return Status::error(header.status().number(),
                             m_path + ": " + header.status().description(),
                             m_path + ": " + header.status().description(true));
    }
    const std::uint32_t available = header->availableRecords(fileSize);
    if (m_writable && available < header->recordCount) {
        return Status::error(err::kFail, m_path + ": not a readable dBASE table: record count (" +
                                             std::to_string(header->recordCount) +
                                             ") is larger than the data (" +
                                             std::to_string(available) + " records)");
    }
    m_fd = file->release();
    m_identity = io::identityOf(m_fd).value_or(io::FileIdentity{});
    m_header = std::move(header.value());
    m_diskCount = available;
    m_appendOffset =
        m_header.headerLength + static_cast<std::uint64_t>(m_diskCount) * m_header.recordLength;
    return {};
}

Status TableFile::reopenIfClosed() {
    if (m_fd >= 0) return {};
    const DbfHeader before = m_header;
    Status status = openFile();
    if (!status) return status;
    if (m_header.recordLength != before.recordLength ||
        m_header.headerLength != before.headerLength ||
        m_header.fields.size() != before.fields.size()) {
        (void)close();
        return Status::error(err::kFail, m_path + " was changed by another program",
                             m_path + " изменен другой программой");
    }
    return {};
}

int TableFile::fieldIndex(std::string_view upperName) const {
    auto it = m_fieldIndex.find(std::string(upperName));
    return it == m_fieldIndex.end() ? -1 : it->second;
}

Status TableFile::readRecords(std::vector<char>& data) {
    Status status = reopenIfClosed();
    if (status) status = flush();
    if (!status) return status;
    const std::size_t size = static_cast<std::size_t>(m_diskCount) * m_header.recordLength;
    data.resize(size);
    return readAt(m_fd, data.data(), size, m_header.headerLength, m_path);
}

Status TableFile::writeRecord(std::uint32_t index, const char* record) {
    if (!m_writable) return Status::error(err::kReadOnly, m_path + " is open read-only");
    const std::size_t length = m_header.recordLength;
    if (index >= m_diskCount) {
        const std::size_t at = static_cast<std::size_t>(index - m_diskCount) * length;
        if (at + length > m_pending.size()) {
            return Status::error(err::kInvalidArgument, "no record " + std::to_string(index));
        }
        std::memcpy(m_pending.data() + at, record, length);
        return {};
    }
    m_rewriteIndexes.push_back(index);
    m_rewrites.insert(m_rewrites.end(), record, record + length);
    if (m_rewrites.size() >= kAppendBufferBytes) return writeRewrites();
    return {};
}

// Writes the pending rewrites: the records between two rewritten ones are read and written back
// unchanged, so that a block of the file takes one read and one write however sparse its
// rewrites are.
Status TableFile::writeRewrites() {
    if (m_rewriteIndexes.empty()) return {};
    Status status = reopenIfClosed();
    if (!status) return status;
    const std::size_t length = m_header.recordLength;
    std::vector<std::size_t> order(m_rewriteIndexes.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [this](std::size_t a, std::size_t b) {
        return m_rewriteIndexes[a] < m_rewriteIndexes[b];
    });
    const std::uint32_t spanRecords =
        static_cast<std::uint32_t>(std::max<std::size_t>(1, kAppendBufferBytes / length));
    std::vector<char> block;
    for (std::size_t from = 0; from < order.size() && status;) {
        // One block: the rewrites from `from` that lie within spanRecords of its first record.
        const std::uint32_t first = m_rewriteIndexes[order[from]];
        std::size_t to = from;
        while (to < order.size() && m_rewriteIndexes[order[to]] - first < spanRecords) ++to;
        const std::uint32_t last = m_rewriteIndexes[order[to - 1]];
        const std::uint64_t offset = m_header.headerLength + std::uint64_t{first} * length;
        block.resize(static_cast<std::size_t>(last - first + 1) * length);
        if (to - from > 1) status = readAt(m_fd, block.data(), block.size(), offset, m_path);
        for (std::size_t i = from; i < to && status; ++i) {
            const std::size_t at = static_cast<std::size_t>(m_rewriteIndexes[order[i]] - first);
            std::memcpy(block.data() + at * length, m_rewrites.data() + order[i] * length, length);
        }
        if (status) status = writeAt(m_fd, block.data(), block.size(), offset, m_path);
        from = to;
    }
    // Kept on failure: the next flush tries again and reports it again.
    if (status) {
        m_rewriteIndexes.clear();
        m_rewrites.clear();
    }
    return status;
}

char* TableFile::beginAppend(const char* image) {
    const std::size_t length = m_header.recordLength;
    if (m_appendOpen) cancelAppend();
    const std::size_t at = m_pending.size();
    if (m_pending.capacity() < at + length) {
        m_pending.reserve(std::max(kAppendBufferBytes + length, 2 * (at + length)));
    }
    const char* record = image != nullptr ? image : m_blankRecord.data();
    m_pending.insert(m_pending.end(), record, record + length);
    m_appendOpen = true;
    return m_pending.data() + at;
}

void TableFile::cancelAppend() {
    if (!m_appendOpen) return;
    m_pending.resize(m_pending.size() - m_header.recordLength);
    m_appendOpen = false;
}

Status TableFile::commitAppend() {
    if (!m_appendOpen) return {};
    m_appendOpen = false;
    ++m_pendingCount;
    if (m_pending.size() >= kAppendBufferBytes) return writeOut();
    return {};
}

// Writes the pending records at the end of the data; the header follows in flush().
Status TableFile::writeOut() {
    if (m_pendingCount == 0 && !m_countBehind) return {};
    if (!m_writable) {
        m_pending.clear();
        m_pendingCount = 0;
        return Status::error(err::kReadOnly, m_path + " is open read-only");
    }
    Status status = reopenIfClosed();
    if (m_pendingCount > 0) {
        if (status) {
            status = writeAt(m_fd, m_pending.data(), m_pending.size(), m_appendOffset, m_path);
        }
        if (status) {
            m_appendOffset += m_pending.size();
            m_diskCount += m_pendingCount;
            m_countBehind = true;
        }
        // Written or lost: a failed write leaves the file with its old records and count.
        m_pending.clear();
        m_pendingCount = 0;
    }
    if (!status) return status;
    // Records first, then the end byte, then the count: a failure between leaves the old
    // count, which still describes a complete table, and the next flush tries again.
    const char end = static_cast<char>(kEndOfFile);
    status = writeAt(m_fd, &end, 1, m_appendOffset, m_path);
    std::uint8_t count[4];
    encodeLe32(count, m_diskCount);
    if (status) {
        status = writeAt(m_fd, reinterpret_cast<const char*>(count), 4, kRecordCountOffset, m_path);
    }
    if (status) m_countBehind = false;
    return status;
}

Status TableFile::flush() {
    if (m_appendOpen) cancelAppend();
    Status status = writeRewrites();
    Status appended = writeOut();
    return status ? appended : status;
}

const TableFile::ColumnMap* TableFile::knownColumnMap(std::string_view columnList) {
    if (m_lastColumnMap < m_columnMaps.size() &&
        m_columnMaps[m_lastColumnMap].columnList == columnList) {
        return &m_columnMaps[m_lastColumnMap];
    }
    for (std::size_t i = 0; i < m_columnMaps.size(); ++i) {
        if (m_columnMaps[i].columnList == columnList) {
            m_lastColumnMap = i;
            return &m_columnMaps[i];
        }
    }
    return nullptr;
}

const TableFile::ColumnMap& TableFile::rememberColumnMap(ColumnMap map) {
    constexpr std::size_t kMaxColumnMaps = 16;
    if (m_columnMaps.size() >= kMaxColumnMaps) m_columnMaps.clear();
    m_columnMaps.push_back(std::move(map));
    m_lastColumnMap = m_columnMaps.size() - 1;
    return m_columnMaps.back();
}

Status TableFile::close() {
    Status status = flush();
    if (m_fd >= 0) {
        if (::close(m_fd) != 0 && status) status = fileError(errno, "close", m_path);
        m_fd = -1;
    }
    return status;
}

bool TableFile::isSameFile(const io::FileIdentity& identity) const {
    return m_fd >= 0 && m_identity == identity;
}

Status createTableFile(const std::string& path, const std::vector<FieldInfo>& fields) {
    const std::time_t now = std::time(nullptr);
    const std::tm local = io::localTime(now);
    const std::vector<std::uint8_t> bytes =
        buildEmptyTable(fields, local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);

    Result<FileDescriptor> file = openFile(path, O_WRONLY | O_CREAT | O_EXCL);
    if (!file) {
        if (file.status().number() == err::kFileAlreadyExists) {
            return Status::error(err::kFileAlreadyExists, "table " + path + " already exists",
                                 "таблица " + path + " уже существует");
        }
        return file.status();
    }
    Status status = writeAt(file->get(), bytes.data(), bytes.size(), 0, path);
    Status closed = file->close(path);
    if (status) status = closed;
    if (!status) io::removeFile(path);  // never leave half a header behind
    return status;
}

Status flushAllTables() {
    Status first;
    for (TableFile* table : openTables()) {
        Status status = table->flush();
        if (!status && first) first = status;
    }
    return first;
}

Status releaseTableFile(const std::string& path) {
    const std::optional<io::FileIdentity> identity = io::identityOf(path);
    if (!identity) return {};
    Status first;
    for (TableFile* table : openTables()) {
        if (!table->isSameFile(*identity)) continue;
        Status status = table->close();
        if (!status && first) first = status;
    }
    return first;
}

}  // namespace tavrolin::store
