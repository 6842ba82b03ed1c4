#include "store/value.h"

#include <charconv>
#include <cstdio>

namespace tavrolin::store {

Value Value::text(std::string text) {
    Value v;
    v.m_kind = Kind::Text;
    v.m_text = std::move(text);
    return v;
}

Value Value::number(double number) {
    Value v;
    v.m_kind = Kind::Number;
    v.m_number = number;
    return v;
}

Value Value::date(Date date) {
    Value v;
    v.m_kind = Kind::Date;
    v.m_date = date;
    return v;
}

Value Value::logical(bool value) {
    Value v;
    v.m_kind = Kind::Logical;
    v.m_logical = value;
    return v;
}

std::string Value::toText() const {
    switch (m_kind) {
        case Kind::Null:
            return {};
        case Kind::Text:
            return m_text;
        case Kind::Number: {
            char buffer[64];
            auto result = std::to_chars(buffer, buffer + sizeof buffer, m_number);
            std::string out(buffer, result.ptr);
            if (out == "-0") out = "0";
            return out;
        }
        case Kind::Date: {
            char buffer[16];
            std::snprintf(buffer, sizeof buffer, "%04d%02d%02d", m_date.year % 10000,
                          m_date.month % 100, m_date.day % 100);
            return buffer;
        }
        case Kind::Logical:
            return m_logical ? "True" : "False";
    }
    return {};
}

}  // namespace tavrolin::store
