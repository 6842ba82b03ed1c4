#include "source/source_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "store/file_error.h"
#include "store/file_io.h"

namespace tavrolin::source {

namespace {

constexpr std::size_t kBlockBytes = 1 << 20;  // one read fetches about a megabyte of records

Status errnoStatus(int error, const std::string& what) {
    int number = tavrolin::err::kPermissionDenied;
    switch (error) {
        case ENOENT:
            number = tavrolin::err::kFileNotFound;
            break;
        case ENOTDIR:
        case ENAMETOOLONG:
        case EISDIR:
            number = tavrolin::err::kBadFileName;
            break;
        case EACCES:
        case EPERM:
        case EBUSY:
            number = tavrolin::err::kPermissionDenied;
            break;
        default:
            number = 57;
            break;  // device I/O error
    }
    const std::string whatRussian = what == "read failed" ? "ошибка чтения" : what;
    return Status::error(number, what + ": " + std::strerror(error),
                         whatRussian + ": " + store::systemReasonRussian(error));
}

// Reads exactly what the file has of [offset, offset + count), retrying short reads.
Status readFully(int fd, std::uint64_t offset, char* into, std::size_t count) {
    std::size_t done = 0;
    while (done < count) {
        const long long got = store::io::readAt(fd, into + done, count - done, offset + done);
        if (got < 0) {
            if (errno == EINTR) continue;
            return errnoStatus(errno, "read failed");
        }
        if (got == 0) {
            return Status::error(tavrolin::err::kInputPastEnd, "the file ended while being read",
                                 "файл закончился во время чтения");
        }
        done += static_cast<std::size_t>(got);
    }
    return {};
}

}  // namespace

SourceFile::~SourceFile() { close(); }

SourceFile::SourceFile(SourceFile&& other) noexcept { *this = std::move(other); }

SourceFile& SourceFile::operator=(SourceFile&& other) noexcept {
    if (this != &other) {
        close();
        m_fd = std::exchange(other.m_fd, -1);
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

void SourceFile::close() {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
}

Result<SourceFile> SourceFile::open(const std::string& path) {
    if (path.empty()) {
        return Status::error(tavrolin::err::kBadFileName, "no file name", "нет имени файла");
    }
    const int fd = store::io::openFile(path, O_RDONLY);
    if (fd < 0) return errnoStatus(errno, path);
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        Status status = errnoStatus(errno, path);
        ::close(fd);
        return status;
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        return Status::error(tavrolin::err::kBadFileName, path + " is not a file",
                             path + " - не файл");
    }
    SourceFile file;
    file.m_fd = fd;
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
    return readFully(m_fd, offset, reinterpret_cast<char*>(out->data()), available);
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
        Status status =
            readFully(m_fd, offset, m_block.data(), static_cast<std::size_t>(available));
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
