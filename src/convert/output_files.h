// File steps of a conversion that must never lose the user's data: finding a file by name
// without regard to letter case, and moving a finished table over its output name in one step,
// also from another file system.
#pragma once

#include <string>
#include <vector>

#include "store/status.h"

namespace tavrolin {

// Names of the entries of a folder (ending in the separator, or empty for the current folder)
// that equal name when ASCII letter case is ignored; the exact name first. Empty when there are
// none or the folder cannot be listed.
std::vector<std::string> namesIgnoringCase(const std::string& folder, const std::string& name);

// True when both paths name the same existing file (same device and inode).
bool sameFile(const std::string& first, const std::string& second);

// Moves the file from to the path to, replacing a file already there. At every moment the path
// to holds either the old file or the complete new one: on one file system by a rename; across
// file systems by a copy to a fresh name in the target folder, flushed to disk, then renamed
// over the target. On failure the target is as it was and no partial copy is left; the file
// from stays where it was.
Status moveReplacing(const std::string& from, const std::string& to);

}  // namespace tavrolin
