// Small text helpers of the templates subsystem: trimming blanks. Letter case is folded by
// store/case_fold.h.
#pragma once

#include <string>
#include <string_view>

namespace tavrolin::templates {

// The text without leading and trailing blanks (spaces and tabs).
std::string trim(std::string_view text);
// The text without trailing blanks, as a dBASE character field pads it.
std::string trimRight(std::string_view text);
}  // namespace tavrolin::templates
