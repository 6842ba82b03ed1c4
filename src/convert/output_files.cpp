#include "convert/output_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "store/file_error.h"

namespace tavrolin {

namespace {

namespace fs = std::filesystem;

bool equalsIgnoringAsciiCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

// Makes a rename or a new file in the folder durable; failures only weaken durability.
void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    (void)::fsync(fd);
    ::close(fd);
}

// Closes a descriptor when it goes out of scope.
struct FileDescriptor {
    int fd = -1;
    ~FileDescriptor() {
        if (fd >= 0) ::close(fd);
    }
};

Status copyContents(int from, int to, const std::string& fromPath, const std::string& toPath) {
    std::vector<char> buffer(1 << 20);
    for (;;) {
        const ssize_t got = ::read(from, buffer.data(), buffer.size());
        if (got < 0) {
            if (errno == EINTR) continue;
            return store::fileError(errno, "read", fromPath);
        }
        if (got == 0) return {};
        for (ssize_t done = 0; done < got;) {
            const ssize_t put = ::write(to, buffer.data() + done, static_cast<size_t>(got - done));
            if (put < 0) {
                if (errno == EINTR) continue;
                return store::fileError(errno, "write", toPath);
            }
            done += put;
        }
    }
}

// Copies from into a fresh file beside to, flushes it and renames it over to.
Status copyReplacing(const std::string& from, const std::string& to) {
    static std::atomic<unsigned> counter{0};
    const std::string folder = folderOf(to);
    const std::string name = to.substr(to.find_last_of('/') + 1);

    FileDescriptor source;
    source.fd = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (source.fd < 0) return store::fileError(errno, "open", from);

    std::string part;
    FileDescriptor target;
    for (int attempt = 0; attempt < 100 && target.fd < 0; ++attempt) {
        part = folder + "." + name + ".part" + std::to_string(::getpid()) + "-" +
               std::to_string(counter++);
        target.fd = ::open(part.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (target.fd < 0 && errno != EEXIST) return store::fileError(errno, "create", part);
    }
    if (target.fd < 0) return store::fileError(EEXIST, "create", part);

    Status status = copyContents(source.fd, target.fd, from, part);
    if (status && ::fsync(target.fd) != 0) status = store::fileError(errno, "write", part);
    if (status && ::close(target.fd) != 0) status = store::fileError(errno, "write", part);
    target.fd = -1;
    if (status && ::rename(part.c_str(), to.c_str()) != 0)
        status = store::fileError(errno, "replace", to);
    if (!status) {
        ::unlink(part.c_str());
        return status;
    }
    syncFolder(folder);
    // The copy is in place; the original is only a leftover now.
    ::unlink(from.c_str());
    return {};
}

}  // namespace

std::vector<std::string> namesIgnoringCase(const std::string& folder, const std::string& name) {
    std::vector<std::string> names;
    std::error_code error;
    fs::directory_iterator it(folder.empty() ? fs::path(".") : fs::path(folder), error);
    if (error) return names;
    for (const fs::directory_entry& entry : it) {
        std::string found = entry.path().filename().string();
        if (!equalsIgnoringAsciiCase(found, name)) continue;
        if (found == name) {
            names.insert(names.begin(), std::move(found));
        } else {
            names.push_back(std::move(found));
        }
    }
    return names;
}

bool sameFile(const std::string& first, const std::string& second) {
    struct stat a {};
    struct stat b {};
    if (::stat(first.c_str(), &a) != 0 || ::stat(second.c_str(), &b) != 0) return false;
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

Status moveReplacing(const std::string& from, const std::string& to) {
    if (::rename(from.c_str(), to.c_str()) == 0) {
        syncFolder(folderOf(to));
        return {};
    }
    if (errno != EXDEV) return store::fileError(errno, "move " + from + " to", to);
    return copyReplacing(from, to);
}

}  // namespace tavrolin
