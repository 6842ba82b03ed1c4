#include "store/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <utility>

#include "store/file_error.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
// After windows.h, whose types it takes.
#include <shellapi.h>
#else
#include <dirent.h>
#endif

namespace tavrolin::store::io {

#ifdef _WIN32

namespace {

std::wstring wide(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), length);
    return out;
}

std::string utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), length,
                        nullptr, nullptr);
    return out;
}

int failWith(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            errno = ENOENT;
            break;
        case ERROR_ALREADY_EXISTS:
        case ERROR_FILE_EXISTS:
            errno = EEXIST;
            break;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            errno = EACCES;
            break;
        case ERROR_NOT_SAME_DEVICE:
            errno = EXDEV;
            break;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            errno = ENOSPC;
            break;
        case ERROR_DIRECTORY:
            errno = ENOTDIR;
            break;
        case ERROR_INVALID_FUNCTION:
        case ERROR_NOT_SUPPORTED:
            errno = ENOSYS;
            break;
        default:
            errno = EIO;
            break;
    }
    return -1;
}

long long transferAt(int fd, void* data, std::size_t size, std::uint64_t offset, bool write) {
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
    if (handle == INVALID_HANDLE_VALUE) {
        errno = EBADF;
        return -1;
    }
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    const DWORD chunk = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
    DWORD done = 0;
    const BOOL ok = write ? WriteFile(handle, data, chunk, &done, &at)
                          : ReadFile(handle, data, chunk, &done, &at);
    if (!ok) {
        const DWORD error = GetLastError();
        if (!write && error == ERROR_HANDLE_EOF) return 0;
        return failWith(error);
    }
    return done;
}

std::optional<FileIdentity> identityOfHandle(HANDLE handle) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(handle, &info)) return std::nullopt;
    return FileIdentity{
        info.dwVolumeSerialNumber,
        (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

}  // namespace

// Opened as POSIX opens: others may read, write, rename and delete the file meanwhile, which
// the C runtime's own open does not allow.
int openFile(const std::string& path, int flags, int mode) {
    const int accessMode = flags & (O_RDONLY | O_WRONLY | O_RDWR);
    const DWORD access = accessMode == O_RDWR     ? GENERIC_READ | GENERIC_WRITE
                         : accessMode == O_WRONLY ? GENERIC_WRITE
                                                  : GENERIC_READ;
    DWORD disposition = OPEN_EXISTING;
    if ((flags & O_CREAT) != 0) {
        disposition = (flags & O_EXCL) != 0    ? CREATE_NEW
                      : (flags & O_TRUNC) != 0 ? CREATE_ALWAYS
                                               : OPEN_ALWAYS;
    } else if ((flags & O_TRUNC) != 0) {
        disposition = TRUNCATE_EXISTING;
    }
    const DWORD attributes = (mode & 0200) == 0 && (flags & O_CREAT) != 0 ? FILE_ATTRIBUTE_READONLY
                                                                          : FILE_ATTRIBUTE_NORMAL;
    const std::wstring name = wide(path);
    HANDLE handle =
        CreateFileW(name.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, disposition, attributes, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        const DWORD found = GetFileAttributesW(name.c_str());
        if (error == ERROR_ACCESS_DENIED && found != INVALID_FILE_ATTRIBUTES &&
            (found & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            errno = EISDIR;
            return -1;
        }
        return failWith(error);
    }
    const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(handle), accessMode | O_BINARY);
    if (fd < 0) CloseHandle(handle);
    return fd;
}

long long readAt(int fd, void* data, std::size_t size, std::uint64_t offset) {
    return transferAt(fd, data, size, offset, false);
}

long long writeAt(int fd, const void* data, std::size_t size, std::uint64_t offset) {
    return transferAt(fd, const_cast<void*>(data), size, offset, true);
}

int syncFile(int fd) { return ::_commit(fd); }

void syncFolder(const std::string&) {}  // NTFS makes a rename durable with the file

int renameNoReplace(const std::string& from, const std::string& to) {
    if (MoveFileExW(wide(from).c_str(), wide(to).c_str(), 0)) return 0;
    return failWith(GetLastError());
}

int renameReplacing(const std::string& from, const std::string& to) {
    if (MoveFileExW(wide(from).c_str(), wide(to).c_str(), MOVEFILE_REPLACE_EXISTING)) return 0;
    return failWith(GetLastError());
}

int linkFile(const std::string& from, const std::string& to) {
    if (CreateHardLinkW(wide(to).c_str(), wide(from).c_str(), nullptr)) return 0;
    return failWith(GetLastError());
}

int removeFile(const std::string& path) {
    if (DeleteFileW(wide(path).c_str())) return 0;
    return failWith(GetLastError());
}

bool mayWrite(const std::string& path) { return ::_waccess(wide(path).c_str(), 2) == 0; }

int listFolder(const std::string& folder, std::vector<std::string>& names) {
    if (folder.empty()) return failWith(ERROR_PATH_NOT_FOUND);
    std::wstring pattern = wide(folder);
    if (!isPathSeparator(folder.back())) pattern += L'\\';
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((pattern + L'*').c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        // Only a drive's empty root has no "." to find.
        const DWORD folderAttributes = GetFileAttributesW(pattern.c_str());
        if (error == ERROR_FILE_NOT_FOUND && folderAttributes != INVALID_FILE_ATTRIBUTES &&
            (folderAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            return 0;
        }
        return failWith(error);
    }
    do {
        names.push_back(utf8(found.cFileName));
    } while (FindNextFileW(search, &found));
    const DWORD error = GetLastError();
    FindClose(search);
    return error == ERROR_NO_MORE_FILES ? 0 : failWith(error);
}

std::filesystem::path pathFromUtf8(const std::string& text) {
    return std::filesystem::path(wide(text));
}

std::string utf8FromPath(const std::filesystem::path& path) { return utf8(path.wstring()); }

std::vector<std::string> programArguments(int argc, char** argv) {
    int count = 0;
    wchar_t** wideArgs = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> args;
    if (wideArgs != nullptr && count == argc) {
        for (int i = 1; i < count; ++i) args.push_back(utf8(wideArgs[i]));
    } else if (argc > 1) {
        args.assign(argv + 1, argv + argc);  // parsed otherwise than the runtime did: keep its own
    }
    if (wideArgs != nullptr) LocalFree(wideArgs);
    return args;
}

std::optional<FileIdentity> identityOf(int fd) {
    return identityOfHandle(reinterpret_cast<HANDLE>(_get_osfhandle(fd)));
}

std::optional<FileIdentity> identityOf(const std::string& path) {
    // Folders need the backup-semantics flag to be opened at all.
    HANDLE handle =
        CreateFileW(wide(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
    std::optional<FileIdentity> identity = identityOfHandle(handle);
    CloseHandle(handle);
    return identity;
}

std::optional<double> physicalMemoryBytes() {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status)) return std::nullopt;
    return static_cast<double>(status.ullTotalPhys);
}

std::tm localTime(std::time_t time) {
    std::tm local{};
    localtime_s(&local, &time);
    return local;
}

std::optional<std::string> runningProgramPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return std::nullopt;
        if (length < path.size()) {
            path.resize(length);
            return utf8(path);
        }
        path.resize(path.size() * 2);
    }
}

#else

int openFile(const std::string& path, int flags, int mode) {
    return ::open(path.c_str(), flags | O_CLOEXEC, mode);
}

long long readAt(int fd, void* data, std::size_t size, std::uint64_t offset) {
    return ::pread(fd, data, size, static_cast<off_t>(offset));
}

long long writeAt(int fd, const void* data, std::size_t size, std::uint64_t offset) {
    return ::pwrite(fd, data, size, static_cast<off_t>(offset));
}

int syncFile(int fd) { return ::fsync(fd); }

void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    (void)::fsync(fd);
    ::close(fd);
}

int renameNoReplace(const std::string& from, const std::string& to) {
    return ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE);
}

int renameReplacing(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str());
}

int linkFile(const std::string& from, const std::string& to) {
    return ::link(from.c_str(), to.c_str());
}

int removeFile(const std::string& path) { return ::unlink(path.c_str()); }

bool mayWrite(const std::string& path) { return ::access(path.c_str(), W_OK) == 0; }

int listFolder(const std::string& folder, std::vector<std::string>& names) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return -1;
    while (dirent* entry = ::readdir(dir)) names.emplace_back(entry->d_name);
    ::closedir(dir);
    return 0;
}

std::filesystem::path pathFromUtf8(const std::string& text) { return text; }

std::string utf8FromPath(const std::filesystem::path& path) { return path.string(); }

std::vector<std::string> programArguments(int argc, char** argv) {
    if (argc <= 1) return {};
    return {argv + 1, argv + argc};
}

std::optional<FileIdentity> identityOf(int fd) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) return std::nullopt;
    return FileIdentity{static_cast<std::uint64_t>(info.st_dev),
                        static_cast<std::uint64_t>(info.st_ino)};
}

std::optional<FileIdentity> identityOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return std::nullopt;
    return FileIdentity{static_cast<std::uint64_t>(info.st_dev),
                        static_cast<std::uint64_t>(info.st_ino)};
}

std::optional<double> physicalMemoryBytes() {
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGE_SIZE);
    if (pages <= 0 || pageSize <= 0) return std::nullopt;
    return static_cast<double>(pages) * static_cast<double>(pageSize);
}

std::tm localTime(std::time_t time) {
    std::tm local{};
    localtime_r(&time, &local);
    return local;
}

std::optional<std::string> runningProgramPath() {
    std::error_code error;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || self.empty()) return std::nullopt;
    return self.string();
}

#endif

}  // namespace tavrolin::store::io

namespace tavrolin::store {

namespace {

std::string folderOf(const std::string& path) {
    std::size_t slash = std::string::npos;
    for (std::size_t i = path.size(); i-- > 0;) {
        if (io::isPathSeparator(path[i])) {
            slash = i;
            break;
        }
    }
    if (slash == std::string::npos) return ".";
    return slash == 0 ? path.substr(0, 1) : path.substr(0, slash);
}

bool exists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(io::pathFromUtf8(path), error);
}

}  // namespace

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept {
    if (this != &other) {
        reset();
        m_fd = other.release();
    }
    return *this;
}

int FileDescriptor::release() { return std::exchange(m_fd, -1); }

void FileDescriptor::reset() {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
}

Status FileDescriptor::close(const std::string& path) {
    if (m_fd < 0) return {};
    const int fd = release();
    if (::close(fd) != 0) return fileError(errno, "write", path);
    return {};
}

Result<FileDescriptor> openFile(const std::string& path, int flags, int mode) {
    const int fd = io::openFile(path, flags, mode);
    if (fd >= 0) return FileDescriptor(fd);
    const int error = errno;
    const bool creating = (flags & O_CREAT) != 0;
    // Permission refused while creating: say so when it is the folder that may not be written.
    if (creating && error == EACCES && !exists(path) && !io::mayWrite(folderOf(path))) {
        return Status::error(err::kReadOnlyFolder,
                             "cannot create " + path + ": the folder is read-only",
                             "не удалось создать " + path + ": папка только для чтения");
    }
    if (creating && error == ENOENT) {
        return Status::error(err::kPathNotFound,
                             "cannot create " + path + ": the folder does not exist",
                             "не удалось создать " + path + ": папки нет");
    }
    return fileError(error, creating ? "create" : "open", path);
}

Status readAt(int fd, void* data, std::size_t size, std::uint64_t offset, const std::string& path) {
    auto* bytes = static_cast<char*>(data);
    while (size > 0) {
        const long long n = io::readAt(fd, bytes, size, offset);
        if (n < 0) {
            if (errno == EINTR) continue;
            return fileError(errno, "read", path);
        }
        if (n == 0) {
            return Status::error(err::kInputPastEnd, "the file " + path + " ended early",
                                 "файл " + path + " закончился раньше времени");
        }
        bytes += n;
        size -= static_cast<std::size_t>(n);
        offset += static_cast<std::uint64_t>(n);
    }
    return {};
}

Status writeAt(int fd, const void* data, std::size_t size, std::uint64_t offset,
               const std::string& path) {
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const long long n = io::writeAt(fd, bytes, size, offset);
        if (n < 0) {
            if (errno == EINTR) continue;
            return fileError(errno, "write", path);
        }
        bytes += n;
        size -= static_cast<std::size_t>(n);
        offset += static_cast<std::uint64_t>(n);
    }
    return {};
}

Status writeAll(int fd, const void* data, std::size_t size, const std::string& path) {
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const unsigned chunk = size > 0x40000000u ? 0x40000000u : static_cast<unsigned>(size);
        const auto n = ::write(fd, bytes, chunk);
        if (n < 0) {
            if (errno == EINTR) continue;
            return fileError(errno, "write", path);
        }
        bytes += n;
        size -= static_cast<std::size_t>(n);
    }
    return {};
}

Status writeWholeFile(const std::string& path, std::string_view bytes) {
    Result<FileDescriptor> file = openFile(path, O_WRONLY | O_CREAT | O_TRUNC);
    if (!file) return file.status();
    Status status = writeAll(file->get(), bytes.data(), bytes.size(), path);
    Status closed = file->close(path);
    return status ? closed : status;
}

Result<std::string> readWholeFile(const std::string& path) {
    Result<FileDescriptor> file = openFile(path, O_RDONLY);
    if (!file) return file.status();
    struct stat info {};
    if (::fstat(file->get(), &info) != 0) return fileError(errno, "read", path);
    if ((info.st_mode & S_IFMT) == S_IFDIR) return fileError(EISDIR, "read", path);
    std::string bytes(static_cast<std::size_t>(info.st_size), '\0');
    if (Status s = readAt(file->get(), bytes.data(), bytes.size(), 0, path); !s) return s;
    return bytes;
}

Result<std::vector<std::uint8_t>> readUpTo(const std::string& path, std::size_t maxBytes) {
    Result<FileDescriptor> file = openFile(path, O_RDONLY);
    if (!file) return file.status();
    std::vector<std::uint8_t> bytes(maxBytes);
    std::size_t got = 0;
    while (got < bytes.size()) {
        const long long n = io::readAt(file->get(), bytes.data() + got, bytes.size() - got, got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return fileError(errno, "read", path);
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);
    return bytes;
}

}  // namespace tavrolin::store
