#include "source/source_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>

#include "store/file_error.h"
#include "store/file_io.h"

namespace tavrolin::source {

namespace {

constexpr std::size_t kBlockBytes = 1 << 20;  // one read fetches about a megabyte of records

}  // namespace

SourceFile::~SourceFile() { close(); }

SourceFile::SourceFile(SourceFile&& other) noexcept { *this = std::move(other); }

SourceFile& SourceFile::operator=(SourceFile&& other) noexcept {
    if (this != &other) {
        close();
        m_fd = std::move(other.m_fd);
        m_path = std::move(other.m_path);
        m_size = other.m_size;
        m_recordsStart = other.m_recordsStart;
        m_recordLength = other.m_recordLength;
        m_recordCount = other.m_recordCount;
        m_blockFirst = other.m_blockFirst;
        m_blockCount = other.m_blockCount;
        m_block = std::move(other.m_block);
    }
    return *this;
}

void SourceFile::close() { m_fd.reset(); }

Result<SourceFile> SourceFile::open(const std::string& path) {
    if (path.empty()) {
        return Status::error(tavrolin::err::kBadFileName, "no file name", "нет имени файла");
    }
    Result<store::FileDescriptor> fd = store::openFile(path, O_RDONLY);
    if (!fd) return fd.status();
    struct stat info {};
    if (::fstat(fd->get(), &info) != 0) return store::fileError(errno, "open", path);
    if (!S_ISREG(info.st_mode)) {
        return Status::error(tavrolin::err::kBadFileName, path + " is not a file",
                             path + " - не файл");
    }
    SourceFile file;
    file.m_fd = std::move(*fd);
    file.m_path = path;
    file.m_size = static_cast<std::uint64_t>(info.st_size);
    return file;
}

Status SourceFile::read(std::uint64_t offset, std::size_t count,
                        std::vector<std::uint8_t>* out) const {
    out->clear();
    if (offset >= m_size) return {};
    std::size_t available =
        static_cast<std::size_t>(std::min<std::uint64_t>(count, m_size - offset));
    out->resize(available);
    return store::readAt(m_fd.get(), out->data(), available, offset, m_path);
}

void SourceFile::startRecords(std::uint64_t start, std::uint32_t length, std::int64_t count) {
    m_recordsStart = start;
    m_recordLength = length;
    m_recordCount = count;
    m_blockFirst = 0;
    m_blockCount = 0;
    std::size_t perBlock =
        std::max<std::size_t>(1, kBlockBytes / std::max<std::uint32_t>(1, length));
    perBlock = static_cast<std::size_t>(
        std::min<std::int64_t>(perBlock, std::max<std::int64_t>(count, 1)));
    m_block.assign(perBlock * length, ' ');
}

Result<std::string_view> SourceFile::record(std::int64_t r) {
    if (r < m_blockFirst || r >= m_blockFirst + m_blockCount) {
        std::int64_t perBlock = static_cast<std::int64_t>(m_block.size() / m_recordLength);
        m_blockFirst = r;
        m_blockCount = std::min(perBlock, m_recordCount - r);
        std::uint64_t offset = m_recordsStart + static_cast<std::uint64_t>(r) * m_recordLength;
        std::uint64_t wanted = static_cast<std::uint64_t>(m_blockCount) * m_recordLength;
        std::uint64_t available = offset >= m_size ? 0 : std::min(wanted, m_size - offset);
        Status status = store::readAt(m_fd.get(), m_block.data(),
                                      static_cast<std::size_t>(available), offset, m_path);
        if (!status) {
            m_blockCount = 0;
            return status;
        }
        // The part of the last record that lies beyond the end of the file reads as blanks.
        std::fill(m_block.begin() + static_cast<std::ptrdiff_t>(available),
                  m_block.begin() + static_cast<std::ptrdiff_t>(wanted), ' ');
    }
    std::size_t at = static_cast<std::size_t>(r - m_blockFirst) * m_recordLength;
    return std::string_view(m_block.data() + at, m_recordLength);
}

}  // namespace tavrolin::source
