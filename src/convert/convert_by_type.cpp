// The per-record work is kept small: the template rows of the kind are read once into memory,
// a type code finds its row through a hash map (the same row that a search from the first row in
// the order MP_TYPE, YN DESC finds), and the attribute part of the INSERT statement is built
// once per row and variant (label empty or not, level above 0 or not) and then only appended.
#include "convert/convert_by_type.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "convert/conversion_guard.h"
#include "convert/output_table.h"
#include "convert/translit.h"
#include "store/case_fold.h"
#include "store/common_services.h"

namespace tavrolin {

namespace {

constexpr const char* kLowerLimit = "L_LIMIT";
constexpr const char* kUpperLimit = "U_LIMIT";
constexpr const char* kLowerLimitAboveLevel0 = "25";
constexpr const char* kUpperLimitAboveLevel0 = "34";
constexpr std::string_view kUnknownTypeColumns = ",L_LIMIT,U_LIMIT";
constexpr std::string_view kUnknownTypeValues = ",0,34";
constexpr int kTranslitScheme = 2;

std::string lowerAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    }
    return text;
}

bool isT(const std::string& text) { return text == "T" || text == "t"; }

// One column the conversion copies from the template: a bound control that is enabled.
struct CopiedColumn {
    enum class Role { Plain, Mode, LowerLimit, UpperLimit };
    std::string name;
    bool quoted = false;
    Role role = Role::Plain;
};

// A template row as the conversion needs it: the copied columns' values as text (empty for
// null), or the error for a column the template lacks.
struct TemplateRow {
    std::string typeCode;
    std::vector<Result<std::string>> values;                   // per copied column
    std::array<std::optional<Result<std::string>>, 3> garmin;  // with TagMPC only
};

// The attribute part of a statement for one row and variant.
struct Suffix {
    bool built = false;
    std::string columns;
    std::string values;
};

// Variant bits of a suffix.
constexpr int kLabelEmpty = 1;
constexpr int kAboveLevel0 = 2;

Result<std::string> valueText(const store::RecordSet& rows, const std::string& column) {
    Result<store::Value> value = rows.value(column);
    if (!value) return value.status();
    return value->toText();
}

class TypeConversion {
   public:
    explicit TypeConversion(Main& main) : m_main(main) {}

    Status run(bool moveWhenDone);

   private:
    Status readTemplate();
    Status convertRecord(std::size_t index, const SourceRecord& record);
    // The row of a type code, or -1.
    int findRow(const std::string& typeCode);
    Result<bool> aboveLevel0(const SourceRecord& record, std::size_t index) const;
    Status buildSuffix(int row, int variant, Suffix& suffix) const;
    Status moveOutput();

    Main& m_main;
    bool m_garmin = false;
    bool m_keepLimits = false;
    bool m_translit = false;
    bool m_lowerCase = false;
    std::vector<CopiedColumn> m_columns;
    std::vector<TemplateRow> m_rows;
    std::vector<bool> m_rowHasLimits;
    std::vector<bool> m_rowCopiesValues;  // the level is checked for such rows
    std::vector<std::array<Suffix, 4>> m_suffixes;
    std::unordered_map<std::string, int> m_rowByType;
    std::string m_lastType;
    int m_lastRow = -1;
    std::string m_statement;
    std::string m_label;
};

Status TypeConversion::readTemplate() {
    const Form& form = m_main.form;
    m_garmin = form("TagMPC").value == 1;
    m_keepLimits = form("LvlNull").value == 1;
    m_translit = form("TrnCase").value == 1;
    m_lowerCase = form("LowCase").value == 1;

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
        if (column.name == kLowerLimit) column.role = CopiedColumn::Role::LowerLimit;
        if (column.name == kUpperLimit) column.role = CopiedColumn::Role::UpperLimit;
        m_columns.push_back(std::move(column));
    }

    Result<store::RecordSet> rows = m_main.connection.openRecordSet(
        "SELECT * FROM " + m_main.programName + " WHERE VID=" + std::to_string(store::kindNumber(m_main.kind)) +
        " ORDER BY MP_TYPE, YN DESC");
    m_main.doEvents();
    if (!rows) return rows.status();
    static constexpr const char* kGarminColumns[] = {"GRMN_TYPE", "HGT_DP_FMT", "HGT_DP"};
    for (; !rows->eof(); rows->moveNext()) {
        TemplateRow row;
        Result<std::string> code = valueText(*rows, "MP_TYPE");
        if (!code) return code.status();
        row.typeCode = lowerAscii(*code);
        for (const CopiedColumn& column : m_columns) {
            row.values.push_back(valueText(*rows, column.name));
        }
        if (m_garmin) {
            for (int i = 0; i < 3; ++i) row.garmin[i] = valueText(*rows, kGarminColumns[i]);
        }
        const int index = static_cast<int>(m_rows.size());
        if (!row.typeCode.empty()) m_rowByType.emplace(row.typeCode, index);
        m_rows.push_back(std::move(row));
    }
    m_suffixes.resize(m_rows.size());
    return {};
}

int TypeConversion::findRow(const std::string& typeCode) {
    if (m_lastRow >= 0 && typeCode == m_lastType) return m_lastRow;
    // The reader delivers codes in small letters; others are lowered for the lookup.
    const bool hasCapitals =
        std::any_of(typeCode.begin(), typeCode.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
    const auto found = m_rowByType.find(hasCapitals ? lowerAscii(typeCode) : typeCode);
    if (found == m_rowByType.end()) return -1;
    m_lastType = typeCode;
    m_lastRow = found->second;
    return m_lastRow;
}

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

Result<bool> TypeConversion::aboveLevel0(const SourceRecord& record, std::size_t index) const {
    const std::string& level = record.level;
    if (level.size() == 1 && level[0] >= '0' && level[0] <= '9') return level[0] != '0';
    std::string_view trimmed = level;
    while (!trimmed.empty() && trimmed.front() == ' ') trimmed.remove_prefix(1);
    while (!trimmed.empty() && trimmed.back() == ' ') trimmed.remove_suffix(1);
    if (trimmed.empty()) return false;
    const std::string number1 = std::to_string(index + 1);  // records count from 1 for the user
    const std::string where = "level \"" + level + "\" of record " + number1;
    const std::string whereRu = "уровень \"" + level + "\" записи " + number1;
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

Status TypeConversion::buildSuffix(int rowIndex, int variant, Suffix& suffix) const {
    const TemplateRow& row = m_rows[static_cast<std::size_t>(rowIndex)];
    suffix.columns.clear();
    suffix.values.clear();
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
        suffix.columns += ',';
        suffix.columns += column.name;
        suffix.values += ',';
        if (column.quoted) suffix.values += '"';
        suffix.values += value;
        if (column.quoted) suffix.values += '"';
    }
    if (m_garmin) {
        for (const auto& value : row.garmin) {
            if (!*value) return value->status();
            if ((*value)->find('"') != std::string::npos) {
                return Status::error(
                    err::kInvalidArgument,
                    "the template's Garmin columns of type " + row.typeCode +
                        " contain a double quote",
                    "столбцы Garmin типа " + row.typeCode + " в шаблоне содержат двойную кавычку");
            }
        }
        suffix.columns += ",GRMN_TYPE,HGT_DP_FMT,HGT_DP";
        suffix.values += ",\"" + **row.garmin[0] + "\",\"" + **row.garmin[1] + "\",";
        suffix.values += (*row.garmin[2])->empty() ? std::string("Null") : **row.garmin[2];
    }
    suffix.built = true;
    return {};
}

Status TypeConversion::convertRecord(std::size_t index, const SourceRecord& record) {
    if (record.level.find('"') != std::string::npos ||
        record.typeCode.find('"') != std::string::npos) {
        return Status::error(err::kInvalidArgument,
                             "the level or type code of record " + std::to_string(index + 1) +
                                 " contains a double quote",
                             "уровень или код типа записи " + std::to_string(index + 1) +
                                 " содержит двойную кавычку");
    }
    // The label after the label options; a double quote would end the text early.
    std::string_view label = record.label;
    if (!label.empty() && (m_translit || m_lowerCase || label.find('"') != label.npos)) {
        m_label = record.label;
        if (m_translit) {
            Result<std::string> latin = Translit(m_label, kTranslitScheme);
            if (!latin) return latin.status();
            m_label = std::move(*latin);
        }
        if (m_lowerCase) m_label = store::foldUtf8(m_label);
        std::replace(m_label.begin(), m_label.end(), '"', '\'');
        label = m_label;
    }

    std::string_view columns = kUnknownTypeColumns;
    std::string_view values = kUnknownTypeValues;
    const int row = findRow(record.typeCode);
    if (row >= 0) {
        int variant = record.label.empty() ? kLabelEmpty : 0;
        // The level is read for every row that copies values, limits or not, so that a bad
        // level stops the run whatever the type.
        if (!m_keepLimits && m_rowCopiesValues[static_cast<std::size_t>(row)]) {
            Result<bool> above = aboveLevel0(record, index);
            if (!above) return above.status();
            if (*above && m_rowHasLimits[static_cast<std::size_t>(row)]) variant |= kAboveLevel0;
        }
        Suffix& suffix = m_suffixes[static_cast<std::size_t>(row)][variant];
        if (!suffix.built) {
            if (Status s = buildSuffix(row, variant, suffix); !s) return s;
        }
        columns = suffix.columns;
        values = suffix.values;
    }

    m_statement.clear();
    m_statement += "INSERT INTO ";
    m_statement += m_main.outputTableName;
    m_statement += " (LVL,TYPE,[VALUE]";
    m_statement += columns;
    m_statement += ") VALUES (\"";
    m_statement += record.level;
    m_statement += "\",\"";
    m_statement += record.typeCode;
    m_statement += "\",\"";
    m_statement += label;
    m_statement += '"';
    m_statement += values;
    m_statement += ')';
    return m_main.connection.execute(m_statement);
}

Status TypeConversion::moveOutput() { return moveOutputTable(m_main); }

Status TypeConversion::run(bool moveWhenDone) {
    if (Status s = readTemplate(); !s) return s;

    // Which rows copy values, and which have limits that the level may change.
    m_rowHasLimits.assign(m_rows.size(), false);
    m_rowCopiesValues.assign(m_rows.size(), false);
    for (std::size_t r = 0; r < m_rows.size(); ++r) {
        for (std::size_t c = 0; c < m_columns.size(); ++c) {
            if (!m_rows[r].values[c] || m_rows[r].values[c]->empty()) continue;
            m_rowCopiesValues[r] = true;
            if (m_columns[c].role == CopiedColumn::Role::LowerLimit ||
                m_columns[c].role == CopiedColumn::Role::UpperLimit) {
                m_rowHasLimits[r] = true;
            }
        }
    }

    if (!m_rows.empty()) {
        const std::vector<SourceRecord>& records = m_main.sourceRecords;
        const long long count = static_cast<long long>(records.size());
        const long long step = count > 0 ? (count - 1) / 100 : 0;
        const std::string progress =
            m_main.tr(" создание файла по типам: ", " file creation by type: ");
        const std::string sourceFileName = m_main.sourceFileName;
        const store::ObjectKind kind = m_main.kind;
        m_statement.reserve(1024);
        for (long long i = 0; i < count; ++i) {
            if (Status s = convertRecord(static_cast<std::size_t>(i), records[i]); !s) return s;
            if (step > 0 && i % step == 0) {
                m_main.att(progressBar(progress, i, step));
                m_main.doEvents();
                // Handlers run while events are processed; a new source or kind chosen meanwhile
                // would mix two maps in one table (or pull the records from under the loop).
                if (records.size() != static_cast<std::size_t>(count) ||
                    m_main.sourceFileName != sourceFileName || m_main.kind != kind) {
                    return Status::error(err::kInvalidArgument,
                                         "the source or the object kind changed during the "
                                         "conversion",
                                         "исходный файл или вид объектов изменился во время "
                                         "конвертации");
                }
            }
        }
    }
    if (moveWhenDone) return moveOutput();
    return m_main.connection.flush();
}

}  // namespace

Status moveOutputTable(Main& main) {
    const std::string table = main.programFolder + main.outputTableName + ".dbf";
    if (Status s = main.connection.flush(); !s) return s;
    if (Status s = markOutputTable(table, true); !s) return s;
    Status moved = store::replaceFile(table, main.sourceFolder + main.outputFileName);
    if (!moved) {
        (void)markOutputTable(table, false);  // still ours to delete on the next run
        return moved;
    }
    if (Status s = removeOldOutputSpellings(main); !s) return s;
    return writeOutputCodePage(main);
}

bool RunType(Main& main, bool moveWhenDone) {
    main.platform.setBusy(true);
    main.att(main.tr(" создание файла по типам... ", " file creation by type... "));
    main.doEvents();
    main.platform.pause(100);
    Status status = TypeConversion(main).run(moveWhenDone);
    main.platform.setBusy(false);
    if (!status) {
        main.fail("RunType", status);
        return false;
    }
    return true;
}

void btnMakeType_Click(Main& main) {
    // A click on "!!!" while a conversion lets events run is not a second conversion.
    const ConversionGuard guard(main);
    if (!guard.acquired()) return;

    if (!main.templateReady()) return;
    if (!DBFprepare(main)) return;
    if (!RunType(main, true)) return;
    main.att(main.tr(" файл с новыми атрибутами по типам успешно создан",
                     " file with the new attributes by types created successfully"));
    store::ShowOutput(main.platform, main.sourceFolder + main.outputFileName, main.russian);
}

}  // namespace tavrolin
