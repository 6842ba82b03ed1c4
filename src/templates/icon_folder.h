// The icon folder beside the program: finding it, listing its GIF icons and finding one icon's
// file, all without regard to the letter case of the names.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tavrolin::templates {

// The folder "icons" in the program folder (any letter case), or nothing when there is none.
std::optional<std::filesystem::path> iconFolder(const std::string& programFolder);

// The names of the folder's GIF files (extension ".gif" in any case) without the extension,
// sorted ignoring case so that every file system gives the same order.
std::vector<std::string> iconNames(const std::filesystem::path& folder);

// The GIF file of an icon name in the program's icon folder (name + ".gif", any case), or
// nothing when the folder or the file is missing. Names holding a path separator never match.
std::optional<std::filesystem::path> iconFile(const std::string& programFolder,
                                              const std::string& name);

}  // namespace tavrolin::templates
