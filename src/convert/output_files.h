// Telling whether two paths name one file, so that a conversion never deletes or replaces its
// source or the template through another name.
#pragma once

#include <string>

namespace tavrolin {

// True when both paths name the same existing file (same device and inode).
bool sameFile(const std::string& first, const std::string& second);

}  // namespace tavrolin
