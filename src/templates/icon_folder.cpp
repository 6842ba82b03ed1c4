#include "templates/icon_folder.h"

#include <algorithm>
#include <system_error>

#include "store/case_fold.h"
#include "store/file_io.h"

namespace tavrolin::templates {

namespace fs = std::filesystem;
using store::io::pathFromUtf8;
using store::io::utf8FromPath;

namespace {

constexpr std::string_view kGifExtension = ".gif";

bool hasGifExtension(const std::string& name) {
    return name.size() > kGifExtension.size() &&
           store::equalsIgnoringCase(
               std::string_view(name).substr(name.size() - kGifExtension.size()), kGifExtension);
}

}  // namespace

std::optional<fs::path> iconFolder(const std::string& programFolder) {
    std::error_code ec;
    const fs::path folder = pathFromUtf8(programFolder);
    fs::path exact = folder / "icons";
    if (fs::is_directory(exact, ec)) return exact;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (store::equalsIgnoringCase(utf8FromPath(it->path().filename()), "icons") &&
            it->is_directory(ec)) {
            return it->path();
        }
    }
    return std::nullopt;
}

std::vector<std::string> iconNames(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string file = utf8FromPath(it->path().filename());
        if (!hasGifExtension(file) || it->is_directory(ec)) continue;
        names.push_back(file.substr(0, file.size() - kGifExtension.size()));
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        std::string fa = store::foldUtf8(a), fb = store::foldUtf8(b);
        return fa != fb ? fa < fb : a < b;
    });
    return names;
}

std::optional<fs::path> iconFile(const std::string& programFolder, const std::string& name) {
    if (name.empty() || name.find_first_of("/\\") != std::string::npos) return std::nullopt;
    std::optional<fs::path> folder = iconFolder(programFolder);
    if (!folder) return std::nullopt;
    // The name as the folder spells it, also where the file system itself ignores letter case.
    std::error_code ec;
    const std::string wanted = name + ".gif";
    std::optional<fs::path> other;
    for (fs::directory_iterator it(*folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string found = utf8FromPath(it->path().filename());
        if (!store::equalsIgnoringCase(found, wanted) || !it->is_regular_file(ec)) continue;
        if (found == wanted) return it->path();
        if (!other) other = it->path();
    }
    if (other) return other;
    // A folder that may be searched but not listed.
    fs::path exact = *folder / pathFromUtf8(wanted);
    if (fs::is_regular_file(exact, ec)) return exact;
    return std::nullopt;
}

}  // namespace tavrolin::templates
