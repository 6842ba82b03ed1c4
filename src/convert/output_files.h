// File checks of a conversion: finding a file by name without regard to letter case, and
// telling whether two paths name one file. (The finished table is moved over its output name
// by store::replaceFile.)
#pragma once

#include <string>
#include <vector>

namespace tavrolin {

// Names of the entries of a folder (ending in the separator, or empty for the current folder)
// that equal name when ASCII letter case is ignored; the exact name first. Empty when there are
// none or the folder cannot be listed.
std::vector<std::string> namesIgnoringCase(const std::string& folder, const std::string& name);

// True when both paths name the same existing file (same device and inode).
bool sameFile(const std::string& first, const std::string& second);

}  // namespace tavrolin
