#include "app/program_home.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "store/common_services.h"
#include "store/file_error.h"
#include "store/file_io.h"

namespace tavrolin {

namespace fs = std::filesystem;
using store::io::pathFromUtf8;
using store::io::utf8FromPath;

namespace {

std::string folderText(const fs::path& folder) {
    std::string text = utf8FromPath(folder.lexically_normal());
    if (text.empty() || !store::io::isPathSeparator(text.back())) text += store::io::kPathSeparator;
    return text;
}

bool holdsTemplate(const std::string& folder, const std::string& templateFileName) {
    return !store::namesIgnoringCase(folder, templateFileName).empty();
}

}  // namespace

ProgramHome chooseProgramHome(const HomeFacts& facts) {
    if (facts.templateBesideExecutable && facts.executableFolderWritable) {
        return {facts.executableFolder, ""};
    }
    if (facts.templateBesideExecutable) return {facts.userDataFolder, facts.executableFolder};
    if (!facts.installedDataFolder.empty()) {
        return {facts.userDataFolder, facts.installedDataFolder};
    }
    if (facts.executableFolderWritable || facts.userDataFolder.empty()) {
        return {facts.executableFolder, ""};
    }
    return {facts.userDataFolder, ""};
}

std::string userDataFolder(const char* xdgDataHome, const char* home) {
    // An XDG variable that is not absolute is invalid and must be ignored. The variables are the
    // environment's own text, which the narrow path constructor reads as the system encodes it.
    if (xdgDataHome != nullptr && *xdgDataHome == '/') {
        return folderText(fs::path(xdgDataHome) / "tavrolin");
    }
    if (home != nullptr && *home == '/') {
        return folderText(fs::path(home) / ".local" / "share" / "tavrolin");
    }
    return {};
}

std::string installedDataFolderFor(const std::string& executableFolder) {
    fs::path bin = pathFromUtf8(executableFolder).lexically_normal();
    if (!bin.has_filename()) bin = bin.parent_path();  // "/usr/bin/" -> "/usr/bin"
    return folderText(bin.parent_path() / "share" / "tavrolin");
}

namespace {

// Copies into `to` whatever of `from` it lacks, folder by folder, so that a file added to an
// installed folder reaches a home seeded before. Folders are made anew rather than copied with
// the installed modes: a read-only installed folder would give a copy nobody can fill.
Status seedFolder(const fs::path& from, const fs::path& to) {
    std::error_code error;
    for (fs::directory_iterator it(from, error), end; !error && it != end; it.increment(error)) {
        const fs::path target = to / it->path().filename();
        const fs::file_status status = fs::symlink_status(target, error);
        if (status.type() == fs::file_type::none) {
            return store::fileError(error, "look at", utf8FromPath(target));
        }
        const bool present = status.type() != fs::file_type::not_found;
        error.clear();  // not found is an answer here, not a failure
        if (it->is_directory(error)) {
            if (!present && !fs::create_directory(target, error) && error) {
                return store::fileError(error, "create", utf8FromPath(target));
            }
            if (!fs::is_directory(target, error)) continue;  // the user's own file of that name
            if (Status s = seedFolder(it->path(), target); !s) return s;
            continue;
        }
        if (present) continue;
        fs::copy_file(it->path(), target, fs::copy_options::none, error);
        if (error) return store::fileError(error, "copy", utf8FromPath(target));
        // An installed file is read-only for the user; its copy is theirs to change.
        fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write,
                        fs::perm_options::add, error);
        if (error) {
            return store::fileError(error, "change the permissions of", utf8FromPath(target));
        }
    }
    if (error) return store::fileError(error, "list", utf8FromPath(from));
    return {};
}

}  // namespace

Status seedHome(const std::string& from, const std::string& home) {
    std::error_code error;
    fs::create_directories(pathFromUtf8(home), error);
    if (error) return store::fileError(error, "create", home);
    return seedFolder(pathFromUtf8(from), pathFromUtf8(home));
}

HomeFacts gatherHomeFacts(const std::string& executableFolder,
                          const std::string& templateFileName) {
    HomeFacts facts;
    facts.executableFolder = folderText(executableFolder);
    facts.executableFolderWritable = store::io::mayWrite(facts.executableFolder);
    facts.templateBesideExecutable = holdsTemplate(facts.executableFolder, templateFileName);
    const std::string installed = installedDataFolderFor(facts.executableFolder);
    if (installed != facts.executableFolder && holdsTemplate(installed, templateFileName)) {
        facts.installedDataFolder = installed;
    }
    facts.userDataFolder = userDataFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    return facts;
}

}  // namespace tavrolin
