// The template rows of the kind are read once into memory; a type code finds its row through a
// hash map (the same row that a search from the first row in the order MP_TYPE, YN DESC finds),
// and each row's attributes are built once per variant (label empty or not, level above 0 or
// not) and then only handed out.
#include "convert/type_attributes.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string_view>

#include "convert/translit.h"
#include "store/case_fold.h"
#include "store/object_kind.h"

namespace tavrolin {

namespace {

constexpr int kTranslitScheme = 2;
constexpr const char* kLowerLimitAboveLevel0 = "25";
constexpr const char* kUpperLimitAboveLevel0 = "34";

bool isRecordColumn(const std::string& name) {
    std::string upper = name;
    for (char& c : upper) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
    return upper == "LVL" || upper == "TYPE" || upper == "VALUE" || upper == "[VALUE]";
}

std::string lowerAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    }
    return text;
}

bool isT(const std::string& text) { return text == "T" || text == "t"; }

Result<std::string> valueText(const store::RecordSet& rows, const std::string& column) {
    Result<store::Value> value = rows.value(column);
    if (!value) return value.status();
    return value->toText();
}

}  // namespace

ConversionOptions conversionOptions(const Form& form) {
    ConversionOptions options;
    options.garminColumns = form("TagMPC").value == 1;
    options.keepLevelLimits = form("LvlNull").value == 1;
    options.transliterate = form("TrnCase").value == 1;
    options.lowerCase = form("LowCase").value == 1;
    return options;
}

Result<TypeAttributes> TypeAttributes::read(Main& main, const ConversionOptions& options) {
    TypeAttributes attributes;
    const Form& form = main.form;
    attributes.m_options = options;

    // The bound controls in use, in window order.
    for (const Control* control : form.controls()) {
        if (control->kind != ControlKind::ComboBox && control->kind != ControlKind::TextBox) {
            continue;
        }
        if (!control->enabled || control->tag.empty()) continue;
        CopiedColumn column;
        column.name = control->tag;
        column.quoted = control->whatsThisHelpId == 1;
        if (column.name == "MODE") column.role = CopiedColumn::Role::Mode;
        if (column.name == "L_LIMIT") column.role = CopiedColumn::Role::LowerLimit;
        if (column.name == "U_LIMIT") column.role = CopiedColumn::Role::UpperLimit;
        if (isRecordColumn(column.name)) attributes.m_copiesRecordColumns = true;
        attributes.m_columns.push_back(std::move(column));
    }

    Result<store::RecordSet> rows =
        main.connection.openRecordSet("SELECT * FROM " + main.programName +
                                      " WHERE VID=" + std::to_string(store::kindNumber(main.kind)) +
                                      " ORDER BY MP_TYPE, YN DESC");
    main.doEvents();
    if (!rows) return rows.status();
    static constexpr const char* kGarminColumns[] = {"GRMN_TYPE", "HGT_DP_FMT", "HGT_DP"};
    for (; !rows->eof();) {
        TemplateRow row;
        Result<std::string> code = valueText(*rows, "MP_TYPE");
        if (!code) return code.status();
        row.typeCode = lowerAscii(*code);
        for (const CopiedColumn& column : attributes.m_columns) {
            Result<std::string> value = valueText(*rows, column.name);
            if (value && !value->empty()) {
                row.copiesValues = true;
                if (column.role == CopiedColumn::Role::LowerLimit ||
                    column.role == CopiedColumn::Role::UpperLimit) {
                    row.hasLimits = true;
                }
            }
            row.values.push_back(std::move(value));
        }
        if (attributes.m_options.garminColumns) {
            for (int i = 0; i < 3; ++i) row.garmin[i] = valueText(*rows, kGarminColumns[i]);
        }
        // Names only show a type; an old template without them still converts.
        if (Result<std::string> name = valueText(*rows, "MP_NAME")) row.nameRussian = *name;
        if (Result<std::string> name = valueText(*rows, "MP_ENG")) row.nameEnglish = *name;
        const int index = static_cast<int>(attributes.m_rows.size());
        if (!row.typeCode.empty()) attributes.m_rowByType.emplace(row.typeCode, index);
        attributes.m_rows.push_back(std::move(row));
        if (Status moved = rows->moveNext(); !moved) return moved;
    }

    RecordAttributes& unknown = attributes.m_unknownType;
    unknown.values = {{"L_LIMIT", "0", false}, {"U_LIMIT", "34", false}};
    unknown.statementColumns = ",L_LIMIT,U_LIMIT";
    unknown.statementValues = ",0,34";
    return attributes;
}

int TypeAttributes::rowOf(std::string_view typeCode) const {
    // The reader delivers codes in small letters; others are lowered for the lookup.
    const auto found = m_rowByType.find(lowerAscii(std::string(typeCode)));
    return found == m_rowByType.end() ? -1 : found->second;
}

bool TypeAttributes::readsLevel(int row) const {
    return !m_options.keepLevelLimits && m_rows[static_cast<std::size_t>(row)].copiesValues;
}

namespace {

// A level as a plain decimal number: surrounding blanks, an optional sign, digits and at most one
// decimal point or comma. Hexadecimal ("0x10"), exponents and inner blanks ("2 3") are no level.
bool isPlainDecimal(std::string_view text) {
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
    bool digits = false;
    bool separator = false;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            digits = true;
        } else if ((c == '.' || c == ',') && !separator) {
            separator = true;
        } else {
            return false;
        }
    }
    return digits;
}

}  // namespace

Result<bool> TypeAttributes::aboveLevel0(std::string_view level, std::size_t index) {
    if (level.size() == 1 && level[0] >= '0' && level[0] <= '9') return level[0] != '0';
    std::string_view trimmed = level;
    while (!trimmed.empty() && trimmed.front() == ' ') trimmed.remove_prefix(1);
    while (!trimmed.empty() && trimmed.back() == ' ') trimmed.remove_suffix(1);
    if (trimmed.empty()) return false;
    const std::string number1 = std::to_string(index + 1);  // records count from 1 for the user
    const std::string where = "level \"" + std::string(level) + "\" of record " + number1;
    const std::string whereRu = "уровень \"" + std::string(level) + "\" записи " + number1;
    if (!isPlainDecimal(trimmed)) {
        return Status::error(err::kTypeMismatch, where + " is not a number",
                             whereRu + " не является числом");
    }
    std::string text(trimmed);
    std::replace(text.begin(), text.end(), ',', '.');
    const double number = std::strtod(text.c_str(), nullptr);
    const double whole = std::nearbyint(number);  // to even, as a conversion to a byte rounds
    if (!std::isfinite(number) || whole < 0 || whole > 255) {
        return Status::error(err::kOverflow, where + " is not a level from 0 to 255",
                             whereRu + " не является уровнем от 0 до 255");
    }
    return whole >= 1;
}

Status TypeAttributes::build(const TemplateRow& row, int variant, RecordAttributes& out) const {
    out = RecordAttributes{};
    out.knownType = true;
    for (std::size_t c = 0; c < m_columns.size(); ++c) {
        const CopiedColumn& column = m_columns[c];
        if (!row.values[c]) return row.values[c].status();
        std::string value = *row.values[c];
        if (value.empty()) continue;
        if (column.role == CopiedColumn::Role::Mode && (variant & kLabelEmpty) && isT(value)) {
            value = "N";
        }
        if (variant & kAboveLevel0) {
            if (column.role == CopiedColumn::Role::LowerLimit) value = kLowerLimitAboveLevel0;
            if (column.role == CopiedColumn::Role::UpperLimit) value = kUpperLimitAboveLevel0;
        }
        if (value.find('"') != std::string::npos) {
            return Status::error(err::kInvalidArgument,
                                 "the template's " + column.name + " of type " + row.typeCode +
                                     " contains a double quote",
                                 "значение " + column.name + " типа " + row.typeCode +
                                     " в шаблоне содержит двойную кавычку");
        }
        out.statementColumns += ',';
        out.statementColumns += column.name;
        out.statementValues += ',';
        if (column.quoted) out.statementValues += '"';
        out.statementValues += value;
        if (column.quoted) out.statementValues += '"';
        out.values.push_back({column.name, std::move(value), column.quoted});
    }
    if (m_options.garminColumns) {
        std::array<std::string, 3> garmin;
        for (std::size_t i = 0; i < 3; ++i) {
            const auto& value = row.garmin[i];
            if (!*value) return value->status();
            if ((*value)->find('"') != std::string::npos) {
                return Status::error(
                    err::kInvalidArgument,
                    "the template's Garmin columns of type " + row.typeCode +
                        " contain a double quote",
                    "столбцы Garmin типа " + row.typeCode + " в шаблоне содержат двойную кавычку");
            }
            garmin[i] = **value;
        }
        out.statementColumns += ",GRMN_TYPE,HGT_DP_FMT,HGT_DP";
        out.statementValues += ",\"" + garmin[0] + "\",\"" + garmin[1] + "\",";
        out.statementValues += garmin[2].empty() ? std::string("Null") : garmin[2];
        out.garmin = std::move(garmin);
    }
    return {};
}

Result<const RecordAttributes*> TypeAttributes::attributes(int rowIndex, int variant) {
    if (rowIndex < 0) return &m_unknownType;
    TemplateRow& row = m_rows[static_cast<std::size_t>(rowIndex)];
    std::optional<RecordAttributes>& built = row.variants[static_cast<std::size_t>(variant)];
    if (!built) {
        RecordAttributes attributes;
        if (Status s = build(row, variant, attributes); !s) return s;
        built = std::move(attributes);
    }
    return &*built;
}

Result<const RecordAttributes*> TypeAttributes::forRecord(std::size_t index,
                                                          const SourceRecord& record) {
    const int row = rowOf(record.typeCode);
    if (row < 0) return &m_unknownType;
    int variant = record.label.empty() ? kLabelEmpty : 0;
    if (readsLevel(row)) {
        Result<bool> above = aboveLevel0(record.level, index);
        if (!above) return above.status();
        if (*above && hasLimits(row)) variant |= kAboveLevel0;
    }
    return attributes(row, variant);
}

Result<std::string> TypeAttributes::labelAsWritten(std::string_view text) const {
    std::string label(text);
    if (label.empty()) return label;
    if (m_options.transliterate) {
        Result<std::string> latin = Translit(label, kTranslitScheme);
        if (!latin) return latin.status();
        label = std::move(*latin);
    }
    if (m_options.lowerCase) label = store::foldUtf8(label);
    // A double quote would end the text early in a statement.
    std::replace(label.begin(), label.end(), '"', '\'');
    return label;
}

std::pair<std::string, std::string> TypeAttributes::namesOf(std::string_view typeCode) const {
    const int row = rowOf(typeCode);
    if (row < 0) return {};
    const TemplateRow& found = m_rows[static_cast<std::size_t>(row)];
    return {found.nameRussian, found.nameEnglish};
}

}  // namespace tavrolin
