// Field bytes to values and values to field bytes.
#include "store/field_codec.h"

#include <gtest/gtest.h>

namespace tavrolin::store {
namespace {

Value decode(char type, int length, int decimals, const std::string& bytes) {
    return decodeField(FieldInfo{"F", type, length, decimals}, bytes);
}

// The field's bytes after encoding `value`, or the error number as text.
std::string encode(char type, int length, int decimals, const Value& value) {
    std::string out(static_cast<std::size_t>(length), ' ');
    Status status = encodeValue(FieldInfo{"F", type, length, decimals}, value, out.data());
    return status ? out : "error " + std::to_string(status.number());
}

std::string encodeText(char type, int length, int decimals, LiteralKind kind,
                       const std::string& text) {
    std::string out(static_cast<std::size_t>(length), ' ');
    Status status = encodeLiteral(FieldInfo{"F", type, length, decimals}, kind, text, out.data());
    return status ? out : "error " + std::to_string(status.number());
}

TEST(FieldCodec, DecodesEachTypeAndItsEmptyForms) {
    EXPECT_EQ(decode('C', 6, 0, " ab   "), Value::text(" ab"));
    EXPECT_EQ(decode('C', 3, 0, "\xCA\xE8\xE9"), Value::text("Кий"));
    EXPECT_TRUE(decode('C', 3, 0, "   ").isNull());
    EXPECT_TRUE(decode('C', 3, 0, std::string(3, '\0')).isNull());
    EXPECT_EQ(decode('N', 5, 1, " 12.5"), Value::number(12.5));
    EXPECT_EQ(decode('N', 5, 0, "  -3 "), Value::number(-3));
    EXPECT_EQ(decode('F', 6, 0, "  +7.0"), Value::number(7));
    EXPECT_EQ(decode('N', 5, 0, " 12ab"), Value::number(12));
    EXPECT_TRUE(decode('N', 5, 0, "     ").isNull());
    EXPECT_TRUE(decode('N', 5, 0, "*****").isNull());
    EXPECT_TRUE(decode('N', 5, 0, "  -  ").isNull());
    EXPECT_EQ(decode('D', 8, 0, "20240229"), Value::date(Date{2024, 2, 29}));
    EXPECT_TRUE(decode('D', 8, 0, "        ").isNull());
    EXPECT_TRUE(decode('D', 8, 0, "2024022x").isNull());
    for (const char* yes : {"T", "t", "Y", "y"})
        EXPECT_EQ(decode('L', 1, 0, yes), Value::logical(true));
    for (const char* no : {"F", "f", "N", "n"})
        EXPECT_EQ(decode('L', 1, 0, no), Value::logical(false));
    EXPECT_TRUE(decode('L', 1, 0, "?").isNull());
    EXPECT_TRUE(decode('L', 1, 0, " ").isNull());
}

TEST(FieldCodec, WritesNumbersRightAlignedOrRefusesThem) {
    EXPECT_EQ(encode('N', 3, 0, Value::number(25)), " 25");
    EXPECT_EQ(encode('N', 6, 2, Value::number(-2.5)), " -2.50");
    EXPECT_EQ(encode('N', 4, 1, Value::number(2.25)), " 2.2");  // nearest, ties to even
    EXPECT_EQ(encode('N', 3, 0, Value::number(-0.2)), "  0");
    EXPECT_EQ(encode('N', 3, 0, Value::number(-0.0)), "  0");
    EXPECT_EQ(encode('N', 3, 0, Value::number(-12)), "-12");
    EXPECT_EQ(encode('N', 3, 0, Value::number(-123)), "error 6");
    EXPECT_EQ(encode('N', 2, 0, Value::number(123)), "error 6");
    EXPECT_EQ(encode('N', 4, 2, Value::number(10)), "error 6");  // "10.00" needs 5
    EXPECT_EQ(encode('N', 2, 0, Value()), "  ");
    EXPECT_EQ(encode('N', 2, 0, Value::text("7")), " 7");
    EXPECT_EQ(encode('N', 2, 0, Value::text(" ")), "  ");
    EXPECT_EQ(encode('N', 2, 0, Value::text("7x")), "error 13");
    EXPECT_EQ(encode('N', 2, 0, Value::logical(true)), "error 13");
    EXPECT_EQ(encodeText('N', 3, 0, LiteralKind::Number, "007"), "  7");
    EXPECT_EQ(encodeText('N', 5, 1, LiteralKind::Number, "25"), " 25.0");
    EXPECT_EQ(encodeText('N', 5, 0, LiteralKind::Number, "1e3"), " 1000");
    EXPECT_EQ(encodeText('N', 2, 0, LiteralKind::Number, "-10"), "error 6");
}

TEST(FieldCodec, WritesTextDatesAndLogicals) {
    EXPECT_EQ(encode('C', 5, 0, Value::text("ab")), "ab   ");
    EXPECT_EQ(encode('C', 3, 0, Value::text("Щукарь")), "\xD9\xF3\xEA");  // cut to the width
    EXPECT_EQ(encode('C', 3, 0, Value::text("中")), "?  ");
    EXPECT_EQ(encode('C', 4, 0, Value::number(2.5)), "2.5 ");
    EXPECT_EQ(encode('D', 8, 0, Value::date(Date{2024, 1, 2})), "20240102");
    EXPECT_EQ(encode('D', 8, 0, Value::text("2024-1-2")), "error 13");
    EXPECT_EQ(encode('L', 1, 0, Value::logical(true)), "T");
    EXPECT_EQ(encode('L', 1, 0, Value::text("false")), "F");
    EXPECT_EQ(encode('L', 1, 0, Value::text("maybe")), "error 13");
    EXPECT_EQ(encode('M', 10, 0, Value::text("x")), "error 5");
}

// The quick path takes only what it writes exactly as encodeLiteral does, and leaves the rest
// (errors, rounding, decimals, other types) untouched to encodeLiteral.
TEST(FieldCodec, CommonLiteralsMatchTheFullEncoding) {
    struct Case {
        char type;
        int length;
        int decimals;
        LiteralKind kind;
        const char* text;
        bool quick;
    };
    const Case cases[] = {
        {'C', 5, 0, LiteralKind::Text, "Щука и ёж", true},
        {'C', 5, 0, LiteralKind::Null, "", true},
        {'C', 5, 0, LiteralKind::Number, "12", false},
        {'N', 3, 0, LiteralKind::Number, "255", true},
        {'N', 3, 0, LiteralKind::Number, "-25", true},
        {'N', 3, 0, LiteralKind::Text, "7", true},
        {'F', 2, 0, LiteralKind::Number, "0", true},
        {'N', 2, 0, LiteralKind::Number, "100", false},  // too wide: error 6
        {'N', 3, 0, LiteralKind::Number, "007", false},  // leading zeros
        {'N', 3, 0, LiteralKind::Number, "-0", false},   // written without its sign
        {'N', 3, 0, LiteralKind::Number, " 5", false},   // blanks
        {'N', 4, 0, LiteralKind::Number, "2.5", false},  // rounds
        {'N', 5, 1, LiteralKind::Number, "25", false},   // decimals
        {'N', 3, 0, LiteralKind::Text, "abc", false},    // error 13
        {'D', 8, 0, LiteralKind::Text, "20240102", false},
        {'L', 1, 0, LiteralKind::Text, "T", false},
    };
    for (const Case& c : cases) {
        const FieldInfo field{"F", c.type, c.length, c.decimals};
        std::string quick(static_cast<std::size_t>(c.length), ' ');
        EXPECT_EQ(encodeCommonLiteral(field, c.kind, c.text, quick.data()), c.quick) << c.text;
        if (c.quick) {
            EXPECT_EQ(quick, encodeText(c.type, c.length, c.decimals, c.kind, c.text)) << c.text;
        } else {
            EXPECT_EQ(quick, std::string(static_cast<std::size_t>(c.length), ' ')) << c.text;
        }
    }
}

}  // namespace
}  // namespace tavrolin::store
