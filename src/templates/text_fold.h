// Small text helpers of the templates subsystem: trimming and comparing UTF-8 texts without
// regard to letter case (Latin and Cyrillic letters).
#pragma once

#include <string>
#include <string_view>

namespace tavrolin::templates {

// The text without leading and trailing blanks (spaces and tabs).
std::string trim(std::string_view text);
// The text without trailing blanks, as a dBASE character field pads it.
std::string trimRight(std::string_view text);
// Latin A-Z and Cyrillic А-Я, Ё in lower case; every other byte unchanged.
std::string foldCase(std::string_view text);
// Latin a-z and Cyrillic а-я, ё in capital letters.
std::string upperCase(std::string_view text);
bool equalsIgnoringCase(std::string_view a, std::string_view b);
}  // namespace tavrolin::templates
