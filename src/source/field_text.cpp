#include "source/field_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace tavrolin::source {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

int daysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

void dateText(std::string_view bytes, bool russian, std::string* out) {
    if (bytes.size() != 8 || !std::all_of(bytes.begin(), bytes.end(), isDigit)) return;
    auto number = [&](std::size_t from, std::size_t count) {
        int value = 0;
        for (std::size_t i = from; i < from + count; ++i) value = value * 10 + (bytes[i] - '0');
        return value;
    };
    int year = number(0, 4);
    int month = number(4, 2);
    int day = number(6, 2);
    if (month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month)) return;
    std::string_view yyyy = bytes.substr(0, 4);
    std::string_view mm = bytes.substr(4, 2);
    std::string_view dd = bytes.substr(6, 2);
    if (russian) {
        out->append(dd).append(".").append(mm).append(".").append(yyyy);
    } else {
        out->append(mm).append("/").append(dd).append("/").append(yyyy);
    }
}

// The leading number of a trimmed text: sign, digits, point, digits, exponent.
void numericText(std::string_view bytes, bool russian, std::string* out) {
    std::size_t first = bytes.find_first_not_of(' ');
    if (first == std::string_view::npos) return;
    std::string_view text = bytes.substr(first);
    if (std::none_of(text.begin(), text.end(), isDigit)) return;

    std::string number;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) number.push_back(text[i++]);
    bool mantissa = false;
    while (i < text.size() && isDigit(text[i])) number.push_back(text[i++]), mantissa = true;
    if (i < text.size() && text[i] == '.') {
        number.push_back(text[i++]);
        while (i < text.size() && isDigit(text[i])) number.push_back(text[i++]), mantissa = true;
    }
    if (mantissa && i + 1 < text.size() &&
        (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) exponent.push_back(text[j++]);
        if (j < text.size() && isDigit(text[j])) {
            while (j < text.size() && isDigit(text[j])) exponent.push_back(text[j++]);
            number += exponent;
        }
    }
    double value = 0.0;
    if (mantissa) {
        const char* begin = number.data();
        if (*begin == '+') ++begin;
        auto [end, error] = std::from_chars(begin, number.data() + number.size(), value);
        if (error != std::errc()) return;  // beyond what a double holds: no value
    }
    out->append(numberText(value, russian));
}

}  // namespace

std::string numberText(double value, bool russian) {
    if (value == 0.0) return "0";  // also for -0
    // Plain digits for everyday magnitudes (100000, not the shorter 1e+05 that the general
    // shortest form would pick); the exponent form only for very large or very small numbers.
    const double magnitude = std::fabs(value);
    const std::chars_format format = magnitude >= 1e-4 && magnitude < 1e15
                                         ? std::chars_format::fixed
                                         : std::chars_format::scientific;
    char buffer[64];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, format);
    std::string text(buffer, error == std::errc() ? end : buffer);
    for (char& c : text) {
        if (c == '.' && russian) c = ',';
        if (c == 'e') c = 'E';
    }
    return text;
}

void fieldText(std::string_view bytes, char type, bool russian, std::string* out) {
    out->clear();
    switch (type) {
        case 'C': {
            // Trailing blanks and zero bytes cut; a plain loop, as most of a field is padding.
            std::size_t end = bytes.size();
            while (end > 0 && (bytes[end - 1] == ' ' || bytes[end - 1] == '\0')) --end;
            out->assign(bytes.substr(0, end));
            return;
        }
        case 'D':
            dateText(bytes, russian, out);
            return;
        case 'L': {
            bool yes = !bytes.empty() &&
                       (bytes[0] == 'T' || bytes[0] == 't' || bytes[0] == 'Y' || bytes[0] == 'y');
            out->assign(yes ? "True" : "False");
            return;
        }
        default:
            numericText(bytes, russian, out);
            return;
    }
}

}  // namespace tavrolin::source
