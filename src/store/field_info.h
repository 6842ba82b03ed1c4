// What a table tells about one of its fields: name, type letter, width and decimals.
#pragma once

#include <string>

namespace tavrolin::store {

struct FieldInfo {
    std::string name;  // upper case, as stored
    char type = 'C';   // C, N, F, D, L, ...
    int length = 0;
    int decimals = 0;
};

}  // namespace tavrolin::store
