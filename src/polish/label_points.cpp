#include "polish/label_points.h"

#include <cmath>

#include "polish/mp_line_kind.h"
#include "polish/mp_numbers.h"
#include "store/case_fold.h"

namespace tavrolin::polish {

namespace {

constexpr std::size_t kExcerptBytes = 40;  // of a bad text quoted in a message

// The text quoted in a message: at most kExcerptBytes, never cutting a UTF-8 character.
std::string excerpt(std::string_view text) {
    if (text.size() <= kExcerptBytes) return "\"" + std::string(text) + "\"";
    std::size_t cut = kExcerptBytes;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
    return "\"" + std::string(text.substr(0, cut)) + "...\"";
}

Status badLine(int number, long long lineNumber, const std::string& what) {
    return Status::error(number, "line " + std::to_string(lineNumber) + ": " + what);
}

// Widens the box [low, high] to hold the value (the first value starts it).
void widen(double value, bool first, double& low, double& high) {
    if (first) {
        low = high = value;
    } else if (value < low) {
        low = value;
    } else if (value > high) {
        high = value;
    }
}

double middle(double low, double high) {
    const double sum = low + high;
    return std::isfinite(sum) ? sum / 2 : low / 2 + high / 2;
}

// The box of a coordinate line in its usual form: points "(a,b)" joined by ",", plain
// decimals right against the brackets and commas, the line ending at the last ")". One scan,
// no searching; false for any other form (blanks, signs, exponents, a bad point), which the
// general reading then takes, so both give the same answer wherever this one gives any.
bool quickBox(const char* p, const char* end, double& middleFirst, double& middleSecond) {
    double lowFirst = 0, highFirst = 0, lowSecond = 0, highSecond = 0;
    bool first = true;
    for (;;) {
        double a = 0, b = 0;
        if (!readPlainDecimal(p, end, a) || p == end || *p++ != ',') return false;
        if (!readPlainDecimal(p, end, b) || p == end || *p++ != ')') return false;
        widen(a, first, lowFirst, highFirst);
        widen(b, first, lowSecond, highSecond);
        first = false;
        if (p == end) break;
        if (end - p < 2 || p[0] != ',' || p[1] != '(') return false;
        p += 2;
    }
    middleFirst = middle(lowFirst, highFirst);
    middleSecond = middle(lowSecond, highSecond);
    return true;
}

}  // namespace

Result<LabelPoint> labelPointOf(std::string_view dataLine, long long lineNumber) {
    const std::size_t open = dataLine.find('(');
    if (open != std::string_view::npos) {
        LabelPoint point;
        point.prefix = dataLine.substr(0, open + 1);
        if (quickBox(dataLine.data() + open + 1, dataLine.data() + dataLine.size(), point.first,
                     point.second)) {
            return point;
        }
    }
    return labelPointOfAnyForm(dataLine, lineNumber);
}

Result<LabelPoint> labelPointOfAnyForm(std::string_view dataLine, long long lineNumber) {
    const std::size_t open = dataLine.find('(');
    if (open == std::string_view::npos) {
        return badLine(err::kInvalidArgument, lineNumber,
                       "coordinate line without \"(\": " + excerpt(dataLine));
    }
    LabelPoint point;
    point.prefix = dataLine.substr(0, open + 1);
    std::string_view rest = dataLine.substr(open + 1);
    if (!rest.empty()) rest.remove_suffix(1);  // the closing ")"

    double lowFirst = 0, highFirst = 0, lowSecond = 0, highSecond = 0;
    bool first = true;
    for (;;) {
        const std::size_t end = rest.find("),(");
        const std::string_view text = rest.substr(0, end);
        const std::size_t comma = text.find(',');
        if (comma == std::string_view::npos) {
            return badLine(err::kInvalidArgument, lineNumber,
                           "point without \",\": " + excerpt(text));
        }
        const std::optional<double> a = parseCoordinate(text.substr(0, comma));
        const std::optional<double> b = parseCoordinate(text.substr(comma + 1));
        if (!a || !b) {
            return badLine(err::kTypeMismatch, lineNumber,
                           "coordinate is not a number: " +
                               excerpt(!a ? text.substr(0, comma) : text.substr(comma + 1)));
        }
        widen(*a, first, lowFirst, highFirst);
        widen(*b, first, lowSecond, highSecond);
        first = false;
        if (end == std::string_view::npos) break;
        rest.remove_prefix(end + 3);
    }
    point.first = middle(lowFirst, highFirst);
    point.second = middle(lowSecond, highSecond);
    return point;
}

Status LabelPoints::line(std::string_view line, long long number) {
    if (!m_headerEnded) {
        m_out.line(line);
        if (store::equalsIgnoringCase(line, "[END-IMG ID]")) {
            m_headerEnded = true;
            m_out.line("");
        }
    }
    switch (classifyLine(line)) {
        case LineKind::PolygonHead:
            m_polygonMode = true;
            break;
        case LineKind::OtherPoHead:
            m_polygonMode = false;
            break;
        case LineKind::Label:
            if (m_polygonMode) {
                // "Label=" alone names nothing.
                if (labelText(line).empty()) {
                    m_label.clear();
                } else {
                    m_label.assign(line);
                }
            }
            break;
        case LineKind::Data: {
            if (!m_polygonMode || m_label.empty()) break;
            Result<LabelPoint> point = labelPointOf(line, number);
            if (!point) return point.status();
            char first[kCoordinateTextMax];
            char second[kCoordinateTextMax];
            const std::size_t firstLength = formatCoordinate(point->first, first);
            const std::size_t secondLength = formatCoordinate(point->second, second);
            // The record is put together first and written in one piece.
            std::string& record = m_pointText;
            record.assign("[POI]\r\nType=0x2800\r\n");
            record.append(m_label).append("\r\n").append(point->prefix);
            record.append(first, firstLength).append(",").append(second, secondLength);
            record.append(")\r\n[END]\r\n\r\n");
            m_out.raw(record);
            ++m_records;
            m_label.clear();  // later coordinate lines of the polygon make no point
            break;
        }
        default:
            break;
    }
    return {};
}

}  // namespace tavrolin::polish
