// The operating system's file calls that differ between POSIX and Windows, in one place. Paths
// are UTF-8 everywhere; on Windows they are handed to the wide-character calls, and every file
// is opened in binary mode. Each call returns what its POSIX model does (-1 with errno set).
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

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
