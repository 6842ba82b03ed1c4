#include "convert/output_files.h"

#include <sys/stat.h>

#include <filesystem>
#include <vector>

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

}  // namespace tavrolin
