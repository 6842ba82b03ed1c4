// Null-to-default, file writer, dialog and start path, document opener, file primitives.
#include "store/common_services.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <filesystem>
#include <vector>

#include "store/case_fold.h"
#include "store/codepage.h"
#include "store/dbf_table.h"
#include "store/file_error.h"
#include "store/file_io.h"
#include "store/utf8_text.h"

namespace tavrolin::store {

namespace {

constexpr std::size_t kDialogPathLimit = 255;  // the dialog's file-name field

// The first `limit` characters of a UTF-8 text: never cuts a character in two.
std::string firstCharacters(const std::string& text, std::size_t limit) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;  // continuation
        if (characters++ == limit) return text.substr(0, i);
    }
    return text;
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of(io::kPathSeparators);
    return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

// Copies `from` into a new hidden file in the folder of `to`, flushed to disk, and returns its
// path: the first half of a move across file systems. On failure nothing is left behind.
Result<std::string> copyBeside(const std::string& from, const std::string& to) {
    static std::atomic<unsigned> counter{0};
    Result<FileDescriptor> in = openFile(from, O_RDONLY);
    if (!in) return in.status();
    struct stat info {};
    if (::fstat(in->get(), &info) != 0) return fileError(errno, "open", from);
    const std::string stem = folderOf(to) + "." +
                             to.substr(to.find_last_of(io::kPathSeparators) + 1) + ".part" +
                             std::to_string(::getpid()) + "-";
    std::string part;
    Result<FileDescriptor> out = Status::error(err::kFileAlreadyExists, "no free name");
    for (int attempt = 0; attempt < 100; ++attempt) {
        part = stem + std::to_string(counter++);
        out = openFile(part, O_WRONLY | O_CREAT | O_EXCL, info.st_mode & 0777);
        if (out || out.status().number() != err::kFileAlreadyExists) break;
    }
    if (!out) return out.status();
    Status status;
    std::vector<char> buffer(1 << 20);
    for (;;) {
        const ssize_t n = ::read(in->get(), buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            status = fileError(errno, "read", from);
            break;
        }
        if (n == 0) break;
        status = writeAll(out->get(), buffer.data(), static_cast<std::size_t>(n), part);
        if (!status) break;
    }
    if (status && io::syncFile(out->get()) != 0) status = fileError(errno, "write", part);
    Status closed = out->close(part);
    if (status) status = closed;
    if (!status) {
        io::removeFile(part);
        return status;
    }
    return part;
}

}  // namespace

Value Nz(const Value& value, const std::string& defaultText) {
    if (value.isNull() || (value.kind() == Value::Kind::Text && value.asText().empty())) {
        return Value::text(defaultText);
    }
    return value;
}

Value Nz(const Result<Value>& value, const std::string& defaultText, const MessageSink& sink,
         Platform* platform) {
    if (value) return Nz(*value, defaultText);
    if (sink) {
        sink(" ! Nz " + std::to_string(value.status().number()) + ": " +
             value.status().description());
    }
    if (platform != nullptr) platform->beep();
    return Value::text("");
}

Status writeLines(const std::string& path, const std::vector<std::string>& lines,
                  TextEncoding encoding) {
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += encoding == TextEncoding::Cp1251 ? encodeCp1251(line) : line;
        bytes += "\r\n";
    }
    return writeWholeFile(path, bytes);
}

int WriteF(const std::string& path, const std::string& text, const MessageSink& sink,
           TextEncoding encoding) {
    const Status status = writeLines(path, {text}, encoding);
    if (status) return 1;
    if (sink) sink(" ! WriteF: " + status.toString());
    return 0;
}

std::string OpenPath(const std::string& pattern, const std::string& sourceText,
                     const std::string& programFolder) {
    const std::string suffix = pattern.empty() ? std::string() : pattern.substr(1);
    std::string folder = programFolder;
    const std::size_t slash = sourceText.find_last_of(io::kPathSeparators);
    if (slash != std::string::npos && sourceText.size() >= suffix.size() &&
        sourceText.compare(sourceText.size() - suffix.size(), suffix.size(), suffix) == 0) {
        folder = sourceText.substr(0, slash + 1);
    }
    if (folder.empty() || !io::isPathSeparator(folder.back())) folder += io::kPathSeparator;
    return folder + pattern;
}

std::string OpenDialog(Platform& platform, const std::string& startPath,
                       const std::string& filterText, bool russian, const MessageSink& sink) {
    return OpenDialogWithTitle(platform, startPath, filterText,
                               russian ? "Выберите исходный файл:" : "Select source file:", sink);
}

std::string OpenDialogWithTitle(Platform& platform, const std::string& startPath,
                                const std::string& filterText, const std::string& title,
                                const MessageSink& sink) {
    (void)sink;  // the dialog behind the Platform reports nothing that could fail here
    FileQuestion question;
    question.title = title;
    question.startPath = firstCharacters(std::string(trimSpaces(startPath)), kDialogPathLimit);

    // "description,pattern,description,pattern...": every comma separates.
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= filterText.size() && !filterText.empty()) {
        const std::size_t comma = filterText.find(',', start);
        parts.push_back(filterText.substr(start, comma - start));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        question.filters.emplace_back(parts[i], parts[i + 1]);
    }
    if (question.filters.empty()) question.filters.emplace_back(" ", "*.*");

    // After a cancel the file-name field still holds the start path.
    std::optional<std::string> chosen = platform.takeOpenFileAnswer();
    if (!chosen) chosen = platform.askOpenFile(question);
    const std::string field = chosen ? *chosen : question.startPath;
    return field.find_first_of(io::kPathSeparators) != std::string::npos ? field : std::string();
}

void ShowOutput(Platform& platform, const std::string& path, bool russian) {
    if (platform.showInFileManager(path)) return;
    MessageQuestion box;
    box.title = "Tavrolin";
    box.prompt = (russian ? "Результат записан в файл:\n" : "The result was written to:\n") + path;
    box.buttons = MessageButtons::Ok;
    box.icon = MessageIcon::Information;
    box.copyButton = russian ? "Копировать путь" : "Copy path";
    box.copyText = path;
    (void)platform.showMessage(box);
}

void ShellOpen(Platform& platform, const std::string& path, const MessageSink& sink) {
    if (!platform.openDocument(path) && sink) sink("неизвестный тип файла...");
}

std::vector<std::string> namesIgnoringCase(const std::string& folder, const std::string& name) {
    std::vector<std::string> entries;
    std::vector<std::string> names;
    if (io::listFolder(folder.empty() ? "." : folder, entries) != 0) return names;
    bool exact = false;
    for (std::string& candidate : entries) {
        if (candidate == name) {
            exact = true;
        } else if (equalsIgnoringCase(candidate, name)) {
            names.push_back(std::move(candidate));
        }
    }
    std::sort(names.begin(), names.end());  // the same choice on every run
    if (exact) names.insert(names.begin(), name);
    return names;
}

bool sameFile(const std::string& first, const std::string& second) {
    const std::optional<io::FileIdentity> a = io::identityOf(first);
    const std::optional<io::FileIdentity> b = io::identityOf(second);
    return a && b && *a == *b;
}

std::string executablePath(const char* argv0) {
    std::error_code ec;
    if (std::optional<std::string> self = io::runningProgramPath()) return *self;
    if (argv0 == nullptr || *argv0 == '\0') return {};
    const std::filesystem::path given = io::pathFromUtf8(argv0);
    const std::filesystem::path absolute = std::filesystem::weakly_canonical(given, ec);
    return ec ? std::string(argv0) : io::utf8FromPath(absolute);
}

Status deleteFile(const std::string& path) {
    Status status = releaseTableFile(path);
    if (!status) return status;
    if (io::removeFile(path) != 0) return fileError(errno, "delete", path);
    return {};
}

Status moveFile(const std::string& from, const std::string& to) {
    Status status = releaseTableFile(from);
    if (!status) return status;
    std::error_code ec;
    if (std::filesystem::exists(std::filesystem::symlink_status(io::pathFromUtf8(to), ec))) {
        return Status::error(
            err::kFileAlreadyExists, "cannot move " + from + " to " + to + ": the target exists",
            "не удалось переместить " + from + " в " + to + ": такой файл уже есть");
    }
    if (io::renameNoReplace(from, to) == 0) {
        return {};
    }
    int error = errno;
    if (error == EINVAL || error == ENOSYS) {  // a file system without the no-replace rename
        if (io::renameReplacing(from, to) == 0) return {};
        error = errno;
    }
    if (error != EXDEV) return fileError(error, "move " + from + " to", to);

    // Another file system: copy beside the target, then link it in place (fails if the
    // target appeared meanwhile), then remove the source.
    Result<std::string> part = copyBeside(from, to);
    if (!part) return part.status();
    if (io::linkFile(*part, to) != 0) {
        const int saved = errno;
        io::removeFile(*part);
        return fileError(saved, "move " + from + " to", to);
    }
    io::removeFile(*part);
    if (io::removeFile(from) != 0) return fileError(errno, "remove", from);
    return {};
}

Status replaceFile(const std::string& from, const std::string& to) {
    // Flushed before the rename, or the file system may put the new name on disk before the
    // data: after a crash the target would be empty where the old file was whole. (ext4 flushes
    // at a rename over an existing file anyway, holding the rename up for as long.)
    const int fd = io::openFile(from, O_RDWR);  // Windows flushes only what it may write
    if (fd < 0) return fileError(errno, "move " + from + " to", to);
    const bool synced = io::syncFile(fd) == 0;
    const int saved = errno;
    ::close(fd);
    if (!synced) return fileError(saved, "write", from);

    if (io::renameReplacing(from, to) == 0) {
        io::syncFolder(folderOf(to));
        return {};
    }
    if (errno != EXDEV) return fileError(errno, "move " + from + " to", to);

    // Another file system: copy beside the target, then rename the copy over it; the source
    // is removed only once the copy is in place.
    Result<std::string> part = copyBeside(from, to);
    if (!part) return part.status();
    if (io::renameReplacing(*part, to) != 0) {
        const int saved = errno;
        io::removeFile(*part);
        return fileError(saved, "replace", to);
    }
    io::syncFolder(folderOf(to));
    io::removeFile(from);
    return {};
}

}  // namespace tavrolin::store
