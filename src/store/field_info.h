// What a table tells about one of its fields: name, type letter, width and decimals, and the
// encoding its text is kept in on disk.
#pragma once

#include <string>

namespace tavrolin::store {

// How text is kept in a file: UTF-8, or code page 1251 (the encoding of every table unless the
// table's owner says otherwise).
enum class TextEncoding { Utf8, Cp1251 };

struct FieldInfo {
    std::string name;  // upper case, as stored
    char type = 'C';   // C, N, F, D, L, ...
    int length = 0;
    int decimals = 0;
    // Of the text of C fields. Not in the file: the table's owner chooses it (see
    // Connection::setTextEncoding); a table is code page 1251 unless told otherwise.
    TextEncoding encoding = TextEncoding::Cp1251;
};

}  // namespace tavrolin::store
