// Line-by-line reading and writing of map text in large blocks, in memory that does not grow
// with the file: the reader keeps one block (larger only while a single line is longer than a
// block), the writer one block.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "store/status.h"

namespace tavrolin::polish {

constexpr std::size_t kBlockBytes = 1 << 17;  // one read or write call per 128 KiB

// Reads up to `size` bytes from the start of the file into `out` (fewer only at its end).
Result<std::size_t> readHead(int fd, char* out, std::size_t size, const std::string& path);

// The number of lines of a file: its line feeds, and one more when its last line has none.
Result<long long> countLines(int fd, const std::string& path);

// Hands out the lines of a file one by one, without their line end: a line feed, or a carriage
// return and a line feed. A last line without a line end counts. The view stays valid until the
// next call.
class LineReader {
   public:
    LineReader(int fd, std::string path);

    // Sets *line to the next line and answers true; false at the end of the file. A read error
    // is kept in status() and ends the lines. Inline while the line is held whole in the block.
    bool next(std::string_view& line) {
        const char* const begin = m_buffer.data() + m_begin;
        const auto* feed = static_cast<const char*>(std::memchr(begin, '\n', m_end - m_begin));
        if (feed == nullptr) return nextAfterRead(line);
        const std::size_t length = static_cast<std::size_t>(feed - begin);
        m_begin += length + 1;
        line = std::string_view(begin, length > 0 && feed[-1] == '\r' ? length - 1 : length);
        return true;
    }
    const Status& status() const { return m_status; }

   private:
    bool fill();
    bool nextAfterRead(std::string_view& line);

    int m_fd;
    std::string m_path;
    std::vector<char> m_buffer;
    std::size_t m_begin = 0;  // first byte not yet handed out
    std::size_t m_end = 0;    // end of the bytes read
    bool m_atEnd = false;
    Status m_status;
};

// Collects output in a block and writes it when the block is full. With no descriptor, keeps
// everything in memory (text()), for tests.
class LineWriter {
   public:
    LineWriter() : m_buffer(kBlockBytes, '\0') {}
    LineWriter(int fd, std::string path)
        : m_fd(fd), m_path(std::move(path)), m_buffer(kBlockBytes, '\0') {}

    // Writes the text followed by CR LF.
    void line(std::string_view text) {
        char* at = room(text.size() + 2);
        std::memcpy(at, text.data(), text.size());
        at[text.size()] = '\r';
        at[text.size() + 1] = '\n';
    }
    // Writes bytes as they are (lines already ended).
    void raw(std::string_view bytes) {
        std::memcpy(room(bytes.size()), bytes.data(), bytes.size());
    }
    // Writes out what is collected. A write error is kept; later writes are dropped.
    void flush();
    const Status& status() const { return m_status; }
    // The bytes kept in memory (no descriptor).
    std::string_view text() const { return std::string_view(m_buffer.data(), m_used); }

   private:
    // Space for `size` more bytes, counted as used: the block is written out first when they
    // do not fit, and grows only for a longer piece (or, in memory, as needed).
    char* room(std::size_t size) {
        if (size > m_buffer.size() - m_used) makeRoom(size);
        char* at = m_buffer.data() + m_used;
        m_used += size;
        return at;
    }
    void makeRoom(std::size_t size);

    int m_fd = -1;
    std::string m_path;
    std::string m_buffer;  // its size is the capacity; m_used bytes of it are taken
    std::size_t m_used = 0;
    Status m_status;
};

}  // namespace tavrolin::polish
