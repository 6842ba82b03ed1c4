// The operating system's file calls, in one place. Paths are UTF-8 everywhere; on Windows they
// are handed to the wide-character calls, and every file is opened in binary mode.
//
// store::io holds the calls that differ between POSIX and Windows; each returns what its POSIX
// model does (-1 with errno set). Above them, in store, is the one way every caller reads and
// writes files: a holder that owns a descriptor and closes it once, whole reads and writes that
// retry interrupted calls, and every failure reported as a Status through fileError.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/status.h"

namespace tavrolin::store::io {

// open(2) with the descriptor kept from child programs; `flags` from <fcntl.h>.
int openFile(const std::string& path, int flags, int mode = 0666);
// pread(2) and pwrite(2): at an offset, leaving the file position alone.
long long readAt(int fd, void* data, std::size_t size, std::uint64_t offset);
long long writeAt(int fd, const void* data, std::size_t size, std::uint64_t offset);
// Flushes a file's data to the disk.
int syncFile(int fd);
// Makes a rename or a new file in the folder durable where the system needs that; failures only
// weaken durability and are not reported.
void syncFolder(const std::string& folder);
// Renames, failing with EEXIST when the target exists. EINVAL or ENOSYS: the file system cannot.
int renameNoReplace(const std::string& from, const std::string& to);
// Renames, replacing the target when it exists.
int renameReplacing(const std::string& from, const std::string& to);
// A second name for a file on the same file system; fails when `to` exists.
int linkFile(const std::string& from, const std::string& to);
// unlink(2).
int removeFile(const std::string& path);
// Whether the user may write the file or folder, as access(2) with W_OK tells.
bool mayWrite(const std::string& path);
// Adds the names in a folder, in the system's order ("." and ".." may be among them); -1 when it
// cannot be listed.
int listFolder(const std::string& folder, std::vector<std::string>& names);

// A path of ours as std::filesystem takes it, and back. POSIX passes the bytes unchanged, whatever
// their encoding; Windows converts UTF-8 to and from its wide characters, where the narrow
// constructor and string() would use the ANSI code page.
std::filesystem::path pathFromUtf8(const std::string& text);
std::string utf8FromPath(const std::filesystem::path& path);
// The program's arguments after its own name, in UTF-8: on Windows from the wide command line, as
// argv holds them in the ANSI code page.
std::vector<std::string> programArguments(int argc, char** argv);

// What tells one file from another whatever name reaches it.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t file = 0;
    bool operator==(const FileIdentity&) const = default;
};
std::optional<FileIdentity> identityOf(int fd);
std::optional<FileIdentity> identityOf(const std::string& path);

// Folders in a path: "/" everywhere, and "\" too on Windows, whose own separator it is.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
inline constexpr const char* kPathSeparators = "\\/";
#else
inline constexpr char kPathSeparator = '/';
inline constexpr const char* kPathSeparators = "/";
#endif
inline bool isPathSeparator(char c) {
    return c == '/' || (kPathSeparator != '/' && c == kPathSeparator);
}

// The machine's memory in bytes, or nothing when the system does not tell.
std::optional<double> physicalMemoryBytes();

std::tm localTime(std::time_t time);
// The full path of the running program, or nothing when the system does not tell.
std::optional<std::string> runningProgramPath();

}  // namespace tavrolin::store::io

namespace tavrolin::store {

// Owns an open file descriptor; closes it when destroyed or reset, ignoring the result. Use
// close() where a failed close must be reported (it can carry a delayed write error).
class FileDescriptor {
   public:
    FileDescriptor() = default;
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() { reset(); }
    FileDescriptor(FileDescriptor&& other) noexcept : m_fd(other.release()) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept;
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return m_fd; }
    bool isOpen() const { return m_fd >= 0; }
    // Hands the descriptor over; the holder no longer closes it.
    int release();
    void reset();
    // Closes; a failure is reported as a failed write of path.
    Status close(const std::string& path);

   private:
    int m_fd = -1;
};

// Opens path with the open(2) flags; close-on-exec is added. A file that cannot be created in
// a folder the user may not write gets its own number (err::kReadOnlyFolder), as does a
// read-only file system.
Result<FileDescriptor> openFile(const std::string& path, int flags, int mode = 0666);

// Reads exactly size bytes at offset; err::kInputPastEnd when the file ends first.
Status readAt(int fd, void* data, std::size_t size, std::uint64_t offset, const std::string& path);
// Writes all bytes at offset.
Status writeAt(int fd, const void* data, std::size_t size, std::uint64_t offset,
               const std::string& path);
// Writes all bytes at the descriptor's position.
Status writeAll(int fd, const void* data, std::size_t size, const std::string& path);

// Creates or truncates path and writes the bytes, closing with the close's result.
Status writeWholeFile(const std::string& path, std::string_view bytes);
// The whole file.
Result<std::string> readWholeFile(const std::string& path);
// The file's first bytes, at most maxBytes (fewer when the file is shorter).
Result<std::vector<std::uint8_t>> readUpTo(const std::string& path, std::size_t maxBytes);

}  // namespace tavrolin::store
