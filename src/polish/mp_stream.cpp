#include "polish/mp_stream.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "store/common_services.h"
#include "store/file_error.h"
#include "store/file_io.h"

namespace tavrolin::polish {

namespace {

// read() that retries interrupts; the byte count, or -1 with errno set.
ssize_t readSome(int fd, char* out, std::size_t size) {
    for (;;) {
        const ssize_t n = ::read(fd, out, size);
        if (n >= 0 || errno != EINTR) return n;
    }
}

// The line feeds among `size` bytes, counted 255 bytes at a time in a one-byte counter: a loop
// that compilers turn into vector compares and adds, several times faster than a search call
// per line.
long long countFeeds(const char* bytes, std::size_t size) {
    constexpr std::size_t kPart = 255;  // the most a one-byte counter can hold
    long long feeds = 0;
    while (size > 0) {
        const std::size_t part = size < kPart ? size : kPart;
        unsigned char inPart = 0;
        for (std::size_t i = 0; i < part; ++i) inPart += bytes[i] == '\n' ? 1 : 0;
        feeds += inPart;
        bytes += part;
        size -= part;
    }
    return feeds;
}

}  // namespace

Result<std::size_t> readHead(int fd, char* out, std::size_t size, const std::string& path) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = readSome(fd, out + done, size - done);
        if (n < 0) return store::fileError(errno, "read", path);
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

Result<long long> countLines(int fd, const std::string& path) {
    std::vector<char> block(kBlockBytes);
    long long lines = 0;
    char last = '\n';
    for (;;) {
        const ssize_t n = readSome(fd, block.data(), block.size());
        if (n < 0) return store::fileError(errno, "read", path);
        if (n == 0) break;
        lines += countFeeds(block.data(), static_cast<std::size_t>(n));
        last = block[static_cast<std::size_t>(n) - 1];
    }
    return lines + (last != '\n' ? 1 : 0);
}

LineReader::LineReader(int fd, std::string path)
    : m_fd(fd), m_path(std::move(path)), m_buffer(kBlockBytes) {}

bool LineReader::fill() {
    // Keep the unfinished line, moved to the front; grow only when it fills the whole block.
    const std::size_t kept = m_end - m_begin;
    if (m_begin > 0) {
        std::memmove(m_buffer.data(), m_buffer.data() + m_begin, kept);
        m_begin = 0;
        m_end = kept;
    }
    if (m_end == m_buffer.size()) m_buffer.resize(m_buffer.size() * 2);
    const ssize_t n = readSome(m_fd, m_buffer.data() + m_end, m_buffer.size() - m_end);
    if (n < 0) {
        m_status = store::fileError(errno, "read", m_path);
        m_atEnd = true;
        return false;
    }
    if (n == 0) {
        m_atEnd = true;
        return false;
    }
    m_end += static_cast<std::size_t>(n);
    return true;
}

bool LineReader::nextAfterRead(std::string_view& line) {
    std::size_t searchFrom = m_begin;
    for (;;) {
        const auto* feed = static_cast<const char*>(
            std::memchr(m_buffer.data() + searchFrom, '\n', m_end - searchFrom));
        std::size_t lineEnd = 0;
        if (feed != nullptr) {
            lineEnd = static_cast<std::size_t>(feed - m_buffer.data());
        } else {
            // No line feed in what is held: read on, then look only at the new bytes.
            const std::size_t scanned = m_end - m_begin;
            if (!m_atEnd && fill()) {
                searchFrom = m_begin + scanned;
                continue;
            }
            if (!m_status.isOk() || m_begin == m_end) return false;
            lineEnd = m_end;  // the last line has no line end
        }
        const std::size_t nextBegin = feed != nullptr ? lineEnd + 1 : lineEnd;
        // A carriage return ends a line only with its line feed; one that ends the file stays.
        if (feed != nullptr && lineEnd > m_begin && m_buffer[lineEnd - 1] == '\r') --lineEnd;
        line = std::string_view(m_buffer.data() + m_begin, lineEnd - m_begin);
        m_begin = nextBegin;
        return true;
    }
}

void LineWriter::flush() {
    if (m_fd < 0) return;
    if (m_status.isOk() && m_used > 0) {
        m_status = store::writeAll(m_fd, m_buffer.data(), m_used, m_path);
    }
    m_used = 0;
}

void LineWriter::makeRoom(std::size_t size) {
    flush();
    if (size > m_buffer.size() - m_used) {
        m_buffer.resize(std::max(2 * m_buffer.size(), m_used + size));
    }
}

}  // namespace tavrolin::polish
