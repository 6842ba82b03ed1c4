// Field bytes to values and values to field bytes.
#include "store/field_codec.h"

#include <gtest/gtest.h>

namespace tavrolin::store {
namespace {

// The field's bytes after encoding, or the error number as text.
std::string encode(const FieldInfo& field, const Value& value) {
    std::string out(static_cast<std::size_t>(field.length), ' ');
    const Status status = encodeValue(field, value, out.data());
    return status ? out : "error " + std::to_string(status.number());
}
std::string encode(const FieldInfo& field, LiteralKind kind, const std::string& text) {
    std::string out(static_cast<std::size_t>(field.length), ' ');
    const Status status = encodeLiteral(field, kind, text, out.data());
    return status ? out : "error " + std::to_string(status.number());
}

FieldInfo field(char type, int length, int decimals = 0) { return {"F", type, length, decimals}; }

TEST(FieldCodec, DecodesEachTypeAndItsEmptyForms) {
    const std::tuple<FieldInfo, std::string, Value> cases[] = {
        {field('C', 3), "\xCA\xE8\xE9", Value::text("Кий")},
        {field('C', 3), "   ", Value()},
        {field('N', 5, 1), " 12.5", Value::number(12.5)},
        {field('F', 6), "  +7.0", Value::number(7)},
        {field('N', 5), " 12ab", Value::number(12)},
        {field('N', 5), "*****", Value()},
        {field('D', 8), "20240229", Value::date(Date{2024, 2, 29})},
        {field('D', 8), "2024022x", Value()},
        {field('L', 1), "T", Value::logical(true)},
        {field('L', 1), "N", Value::logical(false)},
        {field('L', 1), "?", Value()}};
    for (const auto& [info, bytes, expected] : cases) {
        EXPECT_EQ(decodeField(info, bytes), expected) << info.type << " '" << bytes << "'";
    }
}

TEST(FieldCodec, EncodesValuesOrRefusesThem) {
    const std::tuple<FieldInfo, Value, const char*> cases[] = {
        {field('N', 3), Value::number(25), " 25"},
        {field('N', 4, 1), Value::number(2.25), " 2.2"},  // nearest, ties to even
        {field('N', 4, 1), Value::number(2.35), " 2.4"},
        {field('N', 3), Value::number(-0.2), "  0"},
        {field('N', 3), Value::number(-123), "error 6"},
        {field('N', 4, 2), Value::number(10), "error 6"},  // "10.00" needs 5
        {field('N', 2), Value(), "  "},
        {field('N', 2), Value::text("7"), " 7"},
        {field('N', 2), Value::text("7x"), "error 13"},
        {field('C', 3), Value::text("Щукарь"), "\xD9\xF3\xEA"},  // cut to the width
        {field('C', 3), Value::text("中"), "?  "},
        {field('C', 4), Value::number(2.5), "2.5 "},
        {field('D', 8), Value::date(Date{2024, 1, 2}), "20240102"},
        {field('D', 8), Value::text("2024-1-2"), "error 13"},
        {field('L', 1), Value::text("maybe"), "error 13"},
        {field('M', 10), Value::text("x"), "error 5"}};
    for (const auto& [info, value, expected] : cases) {
        EXPECT_EQ(encode(info, value), expected) << info.type << " " << value.toText();
    }
    EXPECT_EQ(encode(field('N', 3), LiteralKind::Number, "007"), "  7");
    EXPECT_EQ(encode(field('N', 5, 1), LiteralKind::Number, "25"), " 25.0");
    EXPECT_EQ(encode(field('N', 2), LiteralKind::Number, "-10"), "error 6");
}

// The quick path takes only what it writes exactly as encodeLiteral does, and leaves the rest
// (errors, rounding, decimals, other types) untouched to encodeLiteral.
TEST(FieldCodec, CommonLiteralsMatchTheFullEncoding) {
    const std::tuple<FieldInfo, LiteralKind, const char*, bool> cases[] = {
        {field('C', 5), LiteralKind::Text, "Щука и ёж", true},
        {field('C', 5), LiteralKind::Number, "12", false},
        {field('N', 3), LiteralKind::Number, "255", true},
        {field('N', 3), LiteralKind::Number, "-25", true},
        {field('N', 2), LiteralKind::Number, "100", false},  // too wide: error 6
        {field('N', 3), LiteralKind::Number, "007", false},  // leading zeros
        {field('N', 3), LiteralKind::Number, "-0", false},   // written without its sign
        {field('N', 4), LiteralKind::Number, "2.5", false},  // rounds
        {field('N', 3), LiteralKind::Text, "abc", false},    // error 13
        {field('D', 8), LiteralKind::Text, "20240102", false}};
    for (const auto& [info, kind, text, quick] : cases) {
        std::string out(static_cast<std::size_t>(info.length), ' ');
        EXPECT_EQ(encodeCommonLiteral(info, kind, text, out.data()), quick) << text;
        const std::string full = encode(info, kind, text);
        EXPECT_EQ(out, quick ? full : std::string(out.size(), ' ')) << text;
    }
}

}  // namespace
}  // namespace tavrolin::store
