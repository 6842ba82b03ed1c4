// A field value as the table store hands it out: empty (null), text, number, date or logical.
#pragma once

#include <cstdint>
#include <string>

namespace tavrolin::store {

struct Date {
    int year = 0;
    int month = 0;
    int day = 0;
    bool operator==(const Date&) const = default;
};

class Value {
   public:
    enum class Kind : std::uint8_t { Null, Text, Number, Date, Logical };

    Value() = default;  // null
    static Value text(std::string text);
    static Value number(double number);
    static Value date(Date date);
    static Value logical(bool value);

    Kind kind() const { return m_kind; }
    bool isNull() const { return m_kind == Kind::Null; }
    // Text kept as UTF-8; empty for other kinds.
    const std::string& asText() const { return m_text; }
    double asNumber() const { return m_number; }
    bool asLogical() const { return m_logical; }

    // The value as text: text unchanged, a number in its shortest form with "." ("12", "2.5"),
    // a date as YYYYMMDD, a logical as "True"/"False", null as "".
    std::string toText() const;

    bool operator==(const Value& other) const = default;

   private:
    Kind m_kind = Kind::Null;
    std::string m_text;
    double m_number = 0;
    Date m_date;
    bool m_logical = false;
};

}  // namespace tavrolin::store
