// The depth pass works on the updatable rows of the temporary output table that the conversion
// by types filled, reading the swatches once: codes are looked up 50 times, not per row.
#include "convert/convert_by_depth.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include "convert/conversion_guard.h"
#include "convert/convert_by_type.h"
#include "convert/output_table.h"
#include "store/common_services.h"
#include "store/object_kind.h"

namespace tavrolin {

namespace {

constexpr std::string_view kPlusMark = "!+";
constexpr int kLargestDepth = 32767;  // what a 16-bit whole number holds
constexpr int kLayerBase = 40;        // layer of an unmarked depth d: 40 - d
constexpr int kHaloWithoutColor = 15;
constexpr int kEventEveryRows = 10000;  // the window's events are let in this often

// Display limits of a depth line or area: a whole multiple of 5 m is shown from further out.
struct Limits {
    int upper;
    int pointUpper;
    int labelUpper;  // RTP_LIMIT of lines
};
constexpr Limits kLimitsEveryFifthMetre{20, 20, 18};
constexpr Limits kLimitsOther{14, 14, 12};

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The field numbers of the columns the pass writes; -1 for a column the kind lacks.
struct Columns {
    int value, lowerLimit, upperLimit, pointLimit, labelLimit, layer, color, borderColor,
        labelColor, haloColor, mode, font;

    // The field of a column the depth rules name.
    int field(std::string_view name) const {
        const std::pair<std::string_view, int> fields[] = {{"VALUE", value},
                                                           {"L_LIMIT", lowerLimit},
                                                           {"U_LIMIT", upperLimit},
                                                           {"P_LIMIT", pointLimit},
                                                           {"RTP_LIMIT", labelLimit},
                                                           {"LAYER", layer},
                                                           {"COLOR", color},
                                                           {"BDR_COLOR", borderColor},
                                                           {"RTP_COLOR", labelColor},
                                                           {"HAL_COLOR", haloColor},
                                                           {"MODE", mode},
                                                           {"FONT", font}};
        for (const auto& [column, number] : fields) {
            if (column == name) return number;
        }
        return -1;
    }
};

Result<Columns> findColumns(const store::RecordSet& rows, bool lines) {
    Columns columns{};
    struct Wanted {
        const char* name;
        int Columns::*member;
        bool needed;
    };
    const Wanted wanted[] = {
        {"VALUE", &Columns::value, true},
        {"L_LIMIT", &Columns::lowerLimit, true},
        {"U_LIMIT", &Columns::upperLimit, true},
        {"P_LIMIT", &Columns::pointLimit, true},
        {"RTP_LIMIT", &Columns::labelLimit, lines},
        {"LAYER", &Columns::layer, true},
        {"COLOR", &Columns::color, true},
        {"BDR_COLOR", &Columns::borderColor, !lines},
        {"RTP_COLOR", &Columns::labelColor, lines},
        {"HAL_COLOR", &Columns::haloColor, lines},
        {"MODE", &Columns::mode, true},
        {"FONT", &Columns::font, true},
    };
    for (const Wanted& column : wanted) {
        columns.*column.member = -1;
        if (!column.needed) continue;
        Result<int> index = rows.fieldIndex(column.name);
        if (!index) return index.status();
        columns.*column.member = *index;
    }
    return columns;
}

class DepthPass {
   public:
    DepthPass(Main& main, const DepthServices& services)
        : m_main(main),
          m_lines(main.namedKind == store::ObjectKind::Line),
          m_rules(main, services),
          m_sourceFolder(main.sourceFolder),
          m_sourceFileName(main.sourceFileName),
          m_namedKind(main.namedKind) {}

    // Lets the window's events in now and then; a source or kind chosen meanwhile stops it.
    Status run();

    // Error when another source or kind was chosen since the pass began: the table would go
    // beside the new source under its name.
    Status unchanged() const;

   private:
    Status revisit(store::RecordSet& rows, const Columns& columns);

    Main& m_main;
    bool m_lines;
    DepthRules m_rules;
    std::string m_sourceFolder;
    std::string m_sourceFileName;
    store::ObjectKind m_namedKind;
    // valuesFor() encoded, by depth and mark (see revisit).
    std::vector<std::optional<std::vector<store::RecordSet::EncodedValue>>> m_encoded;
};

Status DepthPass::revisit(store::RecordSet& rows, const Columns& c) {
    Result<store::Value> value = rows.value(c.value);
    if (!value) return value.status();
    const DepthLabel label = readDepthLabel(value->asText(), m_main.russian, m_main.depthInMetres);
    if (!label.isNumber) return {};
    Result<int> whole = wholeDepth(label.metres);
    if (!whole) return whole.status();
    const int d = *whole;

    // The values depend on the depth and the mark alone (and beyond the swatches only on
    // whether the depth is a multiple of 5): encoded once, copied into each row.
    const std::size_t key = d < kSwatchCount ? static_cast<std::size_t>(2 * d + label.plusMark)
                                             : 2 * kSwatchCount + (d % 5 == 0 ? 1 : 0);
    if (m_encoded.empty()) m_encoded.resize(2 * kSwatchCount + 2);
    std::optional<std::vector<store::RecordSet::EncodedValue>>& encoded = m_encoded[key];
    if (!encoded) {
        std::vector<store::RecordSet::EncodedValue> fields;
        for (const DepthValue& v : m_rules.valuesForDepth(d, label.plusMark)) {
            const store::Value value =
                v.text ? store::Value::text(*v.text) : store::Value::number(v.number);
            Result<store::RecordSet::EncodedValue> bytes = rows.encode(c.field(v.column), value);
            if (!bytes) return bytes.status();
            fields.push_back(std::move(*bytes));
        }
        encoded = std::move(fields);
    }
    for (const store::RecordSet::EncodedValue& field : *encoded) {
        if (Status s = rows.setEncoded(field); !s) return s;
    }
    if (m_lines && label.plusMark && d < kSwatchCount) {
        if (Status s = rows.setValue(c.value, store::Value::text(label.text)); !s) return s;
    }
    return rows.update();
}

Status DepthPass::run() {
    Result<store::RecordSet> rows = m_main.connection.openRecordSet(
        "SELECT * FROM " + m_main.outputTableName + " WHERE LVL Is Null AND Not [VALUE] Is Null",
        store::LockType::Optimistic);
    if (!rows) return rows.status();
    Result<Columns> columns = findColumns(*rows, m_lines);
    if (!columns) return columns.status();
    long long row = 0;
    for (; !rows->eof(); ++row) {
        Status s = revisit(*rows, *columns);
        if (!s) rows->cancelUpdate();  // a row is stored whole or not at all
        if (s) s = rows->moveNext();   // which stores the row
        if (!s) {
            return Status::error(s.number(), "row " + std::to_string(row + 1) + " of " +
                                                 m_main.outputTableName + ": " + s.description());
        }
        if (row % kEventEveryRows == kEventEveryRows - 1) {
            m_main.doEvents();
            if (Status s = unchanged(); !s) return s;
        }
    }
    if (Status s = rows->close(); !s) return s;  // the last row is written here
    return unchanged();
}

Status DepthPass::unchanged() const {
    if (m_main.sourceFolder == m_sourceFolder && m_main.sourceFileName == m_sourceFileName &&
        m_main.namedKind == m_namedKind) {
        return {};
    }
    return Status::error(err::kInvalidArgument,
                         "the source or the object kind changed during the conversion");
}

}  // namespace

DepthRules::DepthRules(const Main& main, const DepthServices& services)
    : m_paints(main.namedKind == store::ObjectKind::Line ||
               main.namedKind == store::ObjectKind::Polygon),
      m_lines(main.namedKind == store::ObjectKind::Line),
      m_schemeApplied(main.schemeApplied),
      m_russian(main.russian),
      m_depthInMetres(main.depthInMetres) {
    for (int depth = 0; depth < kSwatchCount; ++depth) {
        const Swatch swatch = readSwatch(main, depth);
        m_fill[static_cast<std::size_t>(depth)] = services.colorCode(swatch.fill);
        m_border[static_cast<std::size_t>(depth)] = services.colorCode(swatch.border);
    }
}

std::vector<DepthValue> DepthRules::valuesForDepth(int d, bool plusMark) const {
    std::vector<DepthValue> values;
    auto set = [&values](const char* column, int number) {
        values.push_back({column, number, std::nullopt});
    };
    auto setText = [&values](const char* column, const char* text) {
        values.push_back({column, 0, std::string(text)});
    };
    if (m_schemeApplied) {
        const Limits& limits = d % 5 == 0 ? kLimitsEveryFifthMetre : kLimitsOther;
        set("L_LIMIT", 0);
        set("U_LIMIT", limits.upper);
        set("P_LIMIT", limits.pointUpper);
        if (m_lines) set("RTP_LIMIT", limits.labelUpper);
    }
    if (d >= kSwatchCount) return values;
    const auto swatch = static_cast<std::size_t>(d);
    // Swatch d - 1 is the one a metre up; depth 0 has none above and takes its own.
    const auto above = static_cast<std::size_t>(std::max(d - 1, 0));
    set("LAYER", plusMark ? d : kLayerBase - d);
    if (m_schemeApplied) {
        setText("MODE", "T");
        setText("FONT", "10");
    }
    if (!m_lines) {
        set("COLOR", m_fill[plusMark ? above : swatch]);
        set("BDR_COLOR", m_border[above]);
    } else if (m_schemeApplied) {
        const int lineColor = m_border[swatch];
        int halo = kHaloWithoutColor;
        if (lineColor == 1) {
            halo = m_fill[swatch];
            if (halo == 62) halo = 68;
            if (halo == 56) halo = 42;
        }
        set("COLOR", lineColor);
        set("RTP_COLOR", lineColor);
        set("HAL_COLOR", halo);
    }
    return values;
}

Result<std::vector<DepthValue>> DepthRules::valuesFor(std::string_view text) const {
    if (!m_paints) return std::vector<DepthValue>{};
    const DepthLabel label = readDepthLabel(text, m_russian, m_depthInMetres);
    if (!label.isNumber) return std::vector<DepthValue>{};
    Result<int> whole = wholeDepth(label.metres);
    if (!whole) return whole.status();
    std::vector<DepthValue> values = valuesForDepth(*whole, label.plusMark);
    // A marked line keeps the label before its mark.
    if (m_lines && label.plusMark && *whole < kSwatchCount) {
        values.push_back({"VALUE", 0, label.text});
    }
    return values;
}

DepthLabel readDepthLabel(std::string_view text, bool russian, bool depthInMetres) {
    DepthLabel label;
    if (text.size() >= kPlusMark.size() &&
        text.substr(text.size() - kPlusMark.size()) == kPlusMark) {
        label.plusMark = true;
        text = text.substr(0, text.find(kPlusMark));
    }
    label.text.assign(text);
    if (depthInMetres) std::replace(label.text.begin(), label.text.end(), ',', '.');

    // The number: blanks, sign, digits with one decimal separator, exponent, blanks.
    const char separator = russian ? ',' : '.';
    std::size_t i = 0;
    const std::size_t end = text.size();
    while (i < end && text[i] == ' ') ++i;
    std::string number;
    if (i < end && (text[i] == '+' || text[i] == '-')) number += text[i++];
    bool digits = false;
    bool fraction = false;
    for (; i < end; ++i) {
        const char c = text[i];
        if (isDigit(c)) {
            number += c;
            digits = true;
        } else if (!fraction && (c == separator || (depthInMetres && c == '.'))) {
            number += '.';
            fraction = true;
        } else {
            break;
        }
    }
    if (!digits) return label;
    bool negativeExponent = false;
    if (i < end && (text[i] == 'e' || text[i] == 'E')) {
        number += 'e';
        ++i;
        if (i < end && (text[i] == '+' || text[i] == '-')) {
            negativeExponent = text[i] == '-';
            number += text[i++];
        }
        if (i == end || !isDigit(text[i])) return label;
        while (i < end && isDigit(text[i])) number += text[i++];
    }
    while (i < end && text[i] == ' ') ++i;
    if (i != end) return label;

    const char* first = number.data() + (number[0] == '+' ? 1 : 0);
    auto [stop, error] = std::from_chars(first, number.data() + number.size(), label.metres);
    if (error == std::errc::result_out_of_range) {
        label.metres = negativeExponent ? 0.0 : std::numeric_limits<double>::infinity();
    } else if (error != std::errc() || stop != number.data() + number.size()) {
        return label;
    }
    label.isNumber = true;
    return label;
}

Result<int> wholeDepth(double metres) {
    const double whole = std::nearbyint(std::fabs(metres));  // ties to even
    if (!(whole <= kLargestDepth)) {
        char text[32];
        auto [end, error] = std::to_chars(text, text + sizeof text, std::fabs(metres));
        return Status::error(err::kOverflow,
                             "the depth " + std::string(text, error == std::errc() ? end : text) +
                                 " m does not fit a 16-bit whole number (at most " +
                                 std::to_string(kLargestDepth) + ")");
    }
    return static_cast<int>(whole);
}

bool RunName(Main& main, const DepthServices& services, bool rowsCarryDepth) {
    main.platform.setBusy(true);
    Status status;
    const store::ObjectKind kind = main.namedKind;
    if (kind == store::ObjectKind::Line || kind == store::ObjectKind::Polygon) {
        DepthPass pass(main, services);  // the swatches and the source as they are now
        main.att(main.tr(" перезапись глубин по выбранной схеме... ",
                         " overwrite the depths of the selected scheme... "));
        main.doEvents();
        main.platform.pause(500);
        // Rows written with their depths leave only the check that nothing changed meanwhile.
        status = rowsCarryDepth ? pass.unchanged() : pass.run();
    }
    if (status) status = moveOutputTable(main);
    main.platform.setBusy(false);
    if (!status) {
        main.fail("RunName", status);
        return false;
    }
    return true;
}

void btnMakeName_Click(Main& main, const DepthServices& services) {
    const ConversionGuard guard(main);
    if (!guard.acquired()) return;
    if (!main.templateReady()) return;
    if (!DBFprepare(main)) return;
    // The rows are written with their depth values at once; the pass over the table is left
    // for rows that go as statements.
    const DepthRules rules(main, services);
    DepthInRows depth{&rules};
    if (!RunType(main, false, conversionOptions(main.form), RowWriting::Direct, &depth)) return;
    if (!RunName(main, services, depth.written)) return;
    main.att(main.tr(" файл с новыми атрибутами по глубинам успешно создан",
                     " file with the new attributes by depths created successfully"));
    store::ShowOutput(main.platform, main.sourceFolder + main.outputFileName, main.russian);
}

}  // namespace tavrolin
