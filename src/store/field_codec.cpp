// Field bytes <-> values.
#include "store/field_codec.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <string>

#include "store/codepage.h"
#include "store/utf8_text.h"

namespace tavrolin::store {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\0')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\0')) text.remove_suffix(1);
    return text;
}

bool isNumericType(char type) {
    return type == 'N' || type == 'F' || type == 'M' || type == 'G' || type == 'B' || type == 'P';
}

std::string describe(const FieldInfo& field) {
    std::string text = field.name;
    text += " (";
    text += field.type;
    text += ' ';
    text += std::to_string(field.length);
    if (field.type == 'N' || field.type == 'F') {
        text += '.';
        text += std::to_string(field.decimals);
    }
    text += ')';
    return text;
}

Status overflow(const FieldInfo& field, std::string_view value) {
    return Status::error(
        err::kOverflow, "value " + std::string(value) + " does not fit field " + describe(field),
        "значение " + std::string(value) + " не помещается в поле " + describe(field));
}

Status mismatch(const FieldInfo& field, std::string_view value) {
    return Status::error(
        err::kTypeMismatch,
        "value '" + std::string(value) + "' is not valid for field " + describe(field),
        "значение '" + std::string(value) + "' недопустимо для поля " + describe(field));
}

// Copies `text` right-aligned into the field; error when it is wider.
Status writeRightAligned(const FieldInfo& field, std::string_view text, std::string_view shown,
                         char* out) {
    const auto width = static_cast<std::size_t>(field.length);
    if (text.size() > width) return overflow(field, shown);
    std::memcpy(out + (width - text.size()), text.data(), text.size());
    return {};
}

Status writeNumber(const FieldInfo& field, double number, std::string_view shown, char* out) {
    if (!std::isfinite(number)) return overflow(field, shown);
    char buffer[1024];
    // Whole numbers in whole-number fields, the common case, as integers.
    constexpr double kExactWhole = 1e15;
    if (field.decimals == 0 && number > -kExactWhole && number < kExactWhole &&
        number == std::trunc(number)) {
        const auto whole = static_cast<long long>(number);
        const char* end = std::to_chars(buffer, buffer + sizeof buffer, whole).ptr;
        return writeRightAligned(
            field, std::string_view(buffer, static_cast<std::size_t>(end - buffer)), shown, out);
    }
    auto result = std::to_chars(buffer, buffer + sizeof buffer, number, std::chars_format::fixed,
                                field.decimals);
    if (result.ec != std::errc()) return overflow(field, shown);
    std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    // A negative number that rounds to zero is written without its sign.
    if (text.front() == '-' && text.find_first_not_of("0.", 1) == std::string_view::npos) {
        text.remove_prefix(1);
    }
    return writeRightAligned(field, text, shown, out);
}

// Parses a whole text as a number: optional sign, digits, optional fraction and exponent.
bool parseWholeNumber(std::string_view text, double& number) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty() || text.front() == '+') return false;
    auto result = std::from_chars(text.data(), text.data() + text.size(), number);
    return result.ec == std::errc() && result.ptr == text.data() + text.size() &&
           std::isfinite(number);
}

// A plain integer literal without leading zeros ("25", "-3", "0"): written as it stands.
bool isPlainInteger(std::string_view text) {
    std::size_t start = (!text.empty() && text.front() == '-') ? 1 : 0;
    if (start >= text.size() || text.size() - start > 15) return false;
    if (text[start] == '0' && text.size() - start > 1) return false;
    if (start == 1 && text == "-0") return false;
    for (std::size_t i = start; i < text.size(); ++i) {
        if (!isDigit(text[i])) return false;
    }
    return true;
}

Status writeNumberText(const FieldInfo& field, std::string_view text, char* out) {
    text = trimBlanks(text);
    if (text.empty()) return {};  // blank: null
    if (field.decimals == 0 && isPlainInteger(text)) {
        return writeRightAligned(field, text, text, out);
    }
    double number = 0;
    if (!parseWholeNumber(text, number)) return mismatch(field, text);
    return writeNumber(field, number, text, out);
}

void writeText(const FieldInfo& field, std::string_view utf8, char* out) {
    const auto capacity = static_cast<std::size_t>(field.length);
    if (field.encoding == TextEncoding::Utf8) {
        encodeUtf8Into(utf8, out, capacity);
    } else {
        encodeCp1251Into(utf8, out, capacity);
    }
}

// The text of a field's bytes (trailing blanks already cut) in its encoding. Bytes of a UTF-8
// field that are not UTF-8 (written by another program) are read as code page 1251.
std::string readText(const FieldInfo& field, std::string_view bytes) {
    if (field.encoding == TextEncoding::Utf8 && isWellFormedUtf8(bytes)) return std::string(bytes);
    return decodeCp1251(bytes);
}

Status writeDateText(const FieldInfo& field, std::string_view text, char* out) {
    text = trimBlanks(text);
    if (text.empty()) return {};
    if (text.size() != 8 || field.length < 8) return mismatch(field, text);
    for (char c : text) {
        if (!isDigit(c)) return mismatch(field, text);
    }
    std::memcpy(out, text.data(), 8);
    return {};
}

Status writeLogical(const FieldInfo& field, bool value, char* out) {
    if (field.length < 1) return overflow(field, value ? "True" : "False");
    out[0] = value ? 'T' : 'F';
    return {};
}

Status writeLogicalText(const FieldInfo& field, std::string_view text, char* out) {
    text = trimBlanks(text);
    if (text.empty()) return {};
    const std::string upper = [&] {
        std::string u(text);
        for (char& c : u) c = static_cast<char>(upperCp1251(static_cast<std::uint8_t>(c)));
        return u;
    }();
    if (upper == "T" || upper == "Y" || upper == "TRUE") return writeLogical(field, true, out);
    if (upper == "F" || upper == "N" || upper == "FALSE") return writeLogical(field, false, out);
    double number = 0;
    if (parseWholeNumber(text, number)) return writeLogical(field, number != 0, out);
    return mismatch(field, text);
}

Status unsupported(const FieldInfo& field) {
    return Status::error(err::kInvalidArgument,
                         "field " + describe(field) + " has a type that cannot be written",
                         "поле " + describe(field) + " имеет тип, который нельзя записать");
}

}  // namespace

bool decodeNumber(std::string_view bytes, double& number) {
    std::string_view text = trimBlanks(bytes);
    bool hasDigit = false;
    for (char c : text) {
        if (isDigit(c)) {
            hasDigit = true;
            break;
        }
    }
    if (!hasDigit) return false;
    if (text.front() == '+') text.remove_prefix(1);
    auto result = std::from_chars(text.data(), text.data() + text.size(), number);
    return result.ec == std::errc() && std::isfinite(number);
}

Value decodeField(const FieldInfo& field, std::string_view bytes) {
    if (field.type == 'C') {
        while (!bytes.empty() && (bytes.back() == ' ' || bytes.back() == '\0')) {
            bytes.remove_suffix(1);
        }
        if (bytes.empty()) return {};
        return Value::text(readText(field, bytes));
    }
    if (isNumericType(field.type)) {
        double number = 0;
        if (!decodeNumber(bytes, number)) return {};
        return Value::number(number);
    }
    if (field.type == 'D') {
        if (bytes.size() < 8) return {};
        for (std::size_t i = 0; i < 8; ++i) {
            if (!isDigit(bytes[i])) return {};
        }
        auto digits = [&](std::size_t from, std::size_t count) {
            int n = 0;
            for (std::size_t i = from; i < from + count; ++i) n = n * 10 + (bytes[i] - '0');
            return n;
        };
        return Value::date(Date{digits(0, 4), digits(4, 2), digits(6, 2)});
    }
    if (field.type == 'L') {
        if (bytes.empty()) return {};
        const char c = bytes.front();
        if (c == 'T' || c == 't' || c == 'Y' || c == 'y') return Value::logical(true);
        if (c == ' ' || c == '?' || c == '\0') return {};
        return Value::logical(false);
    }
    // Any other type letter: its bytes as text.
    std::string_view text = bytes;
    while (!text.empty() && (text.back() == ' ' || text.back() == '\0')) text.remove_suffix(1);
    if (text.empty()) return {};
    return Value::text(decodeCp1251(text));
}

Status encodeValue(const FieldInfo& field, const Value& value, char* out) {
    switch (value.kind()) {
        case Value::Kind::Null:
            return {};
        case Value::Kind::Text:
            return encodeLiteral(field, LiteralKind::Text, value.asText(), out);
        case Value::Kind::Number:
            if (field.type == 'N' || field.type == 'F') {
                // The number's text is only wanted for the message of a refusal.
                Status written = writeNumber(field, value.asNumber(), {}, out);
                if (!written) return writeNumber(field, value.asNumber(), value.toText(), out);
                return written;
            }
            if (field.type == 'L') return writeLogical(field, value.asNumber() != 0, out);
            return encodeLiteral(field, LiteralKind::Number, value.toText(), out);
        case Value::Kind::Date:
            if (field.type == 'N' || field.type == 'F' || field.type == 'L') {
                return mismatch(field, value.toText());
            }
            return encodeLiteral(field, LiteralKind::Text, value.toText(), out);
        case Value::Kind::Logical:
            if (field.type == 'L') return writeLogical(field, value.asLogical(), out);
            if (field.type == 'C') {
                writeText(field, value.toText(), out);
                return {};
            }
            return mismatch(field, value.toText());
    }
    return {};
}

bool encodeCommonLiteral(const FieldInfo& field, LiteralKind kind, std::string_view text,
                         char* out) {
    if (kind == LiteralKind::Null) return true;
    if (field.type == 'C') {
        if (kind != LiteralKind::Text) return false;
        writeText(field, text, out);
        return true;
    }
    if ((field.type == 'N' || field.type == 'F') && field.decimals == 0 &&
        text.size() <= static_cast<std::size_t>(field.length) && isPlainInteger(text)) {
        std::memcpy(out + (static_cast<std::size_t>(field.length) - text.size()), text.data(),
                    text.size());
        return true;
    }
    return false;
}

Status encodeLiteral(const FieldInfo& field, LiteralKind kind, std::string_view text, char* out) {
    if (kind == LiteralKind::Null) return {};
    switch (field.type) {
        case 'C':
            writeText(field, text, out);
            return {};
        case 'N':
        case 'F':
            return writeNumberText(field, text, out);
        case 'D':
            return writeDateText(field, text, out);
        case 'L':
            return writeLogicalText(field, text, out);
        default:
            return unsupported(field);
    }
}

}  // namespace tavrolin::store
