// Turns the bytes of one field into a Value and a Value (or a statement literal) into the exact
// bytes of a field.
//
// Text is kept in the field's encoding (FieldInfo::encoding): code page 1251, or UTF-8.
//
// Reading: C is text with trailing blanks cut; N, F (and M, G, B, P) the number that the
// leading part of the text forms; D eight digits YYYYMMDD; L T/t/Y/y true, F/f/N/n false. A
// field reads as null when nothing is left: all blanks, a number field without a digit (GDAL
// and others fill an empty or overflowing number with '*'), a date that is not eight digits,
// a logical '?'.
//
// Writing: C left-aligned, blank-padded, cut to the field width when longer, never inside a
// character (cp1251 has one byte per character; UTF-8 is cut before the first character that
// does not fit whole); N and F right-aligned with the declared
// decimals, and a number that needs more than the width is error 6 (overflow), never a
// shortened number; L 'T' or 'F'; D YYYYMMDD. Null writes blanks.
#pragma once

#include <string_view>

#include "store/field_info.h"
#include "store/status.h"
#include "store/value.h"

namespace tavrolin::store {

// The value of a field from its bytes (exactly field.length of them).
Value decodeField(const FieldInfo& field, std::string_view bytes);

// The number that a numeric field's bytes form, or false when the field reads as null.
bool decodeNumber(std::string_view bytes, double& number);

// Fills `out` (field.length bytes, already blank) with the value. Errors: 6 a number too wide,
// 13 a value of the wrong kind (text that is not a number for N, not a date for D), 5 a field
// type that the store does not write. On error `out` may be partly written; callers encode into
// a scratch record.
Status encodeValue(const FieldInfo& field, const Value& value, char* out);

// The kinds of value a statement carries.
enum class LiteralKind { Null, Number, Text };

// As encodeValue, for a literal of a statement: a number as written (unquoted), a text in UTF-8
// without its quotes, or Null. Avoids building a Value on the INSERT path.
Status encodeLiteral(const FieldInfo& field, LiteralKind kind, std::string_view text, char* out);

// The common cases of encodeLiteral without building a Status: Null, text into a C field, a
// plain integer that fits an N or F field without decimals. False, with `out` untouched, for
// anything else; encodeLiteral then does the work and reports the errors.
bool encodeCommonLiteral(const FieldInfo& field, LiteralKind kind, std::string_view text,
                         char* out);

}  // namespace tavrolin::store
