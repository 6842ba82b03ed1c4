// The per-record work is kept small: the template rows of the kind are read once into memory, a
// type code finds its row through a hash map (the same row that a search from the first row in
// the order MP_TYPE, YN DESC finds), and the attribute part of a row is made once per template
// row and variant (label empty or not, level above 0 or not). What a record's texts need (their
// check for double quotes, the label after the label options, the level read as a number, the
// template row of a type code) is worked out once per distinct text of the source record list.
//
// Rows go straight into the output's record buffer: the attribute part as a prepared record
// image, the level, type code and label encoded into their columns. Every value passes the
// store's INSERT encoding, so the bytes are those that one INSERT INTO statement per record
// stores; that statement path is kept for a template whose controls name LVL, TYPE or VALUE
// (their value would overwrite the record's own) and for comparing the two.
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
#include "store/text_pool.h"

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

// The attribute part of a row for one template row and variant: as statement text, and as a
// record image for the direct path (made at its first use).
struct Suffix {
    bool built = false;
    std::string columns;
    std::string values;
    bool imageBuilt = false;
    std::vector<char> image;
};

// Variant bits of a suffix.
constexpr int kLabelEmpty = 1;
constexpr int kAboveLevel0 = 2;

// What the conversion needs of one text of the source record list, worked out at its first use.
struct TextFacts {
    static constexpr int kUnknownRow = -2;
    std::int8_t hasQuote = -1;                           // -1: not checked yet
    std::int8_t aboveLevel0 = -1;                        // as a level; -1: not read yet
    int row = kUnknownRow;                               // as a type code: its template row, or -1
    store::TextPool::Id label = store::TextPool::kNone;  // as a label, after the label options
};

Result<std::string> valueText(const store::RecordSet& rows, const std::string& column) {
    Result<store::Value> value = rows.value(column);
    if (!value) return value.status();
    return value->toText();
}

bool isRecordColumn(const std::string& name) {
    std::string upper = name;
    for (char& c : upper) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
    return upper == "LVL" || upper == "TYPE" || upper == "VALUE" || upper == "[VALUE]";
}

class TypeConversion {
   public:
    TypeConversion(Main& main, RowWriting writing) : m_main(main), m_writing(writing) {}

    Status run(bool moveWhenDone);

   private:
    using Id = store::TextPool::Id;

    Status readTemplate();
    Status convertRecord(std::size_t index, const SourceRecords::Row& ids);
    TextFacts& facts(Id id);
    bool hasQuote(Id id);
    // The record's label after the label options, as a number of m_labels.
    Result<Id> labelAfterOptions(Id id);
    // The template row of a type code, or -1.
    int findRow(Id typeCode);
    Result<bool> aboveLevel0(Id level, std::size_t index);
    Status buildSuffix(int row, int variant, Suffix& suffix) const;
    Status writeDirect(Suffix& suffix, std::string_view level, std::string_view typeCode,
                       std::string_view label);
    Status writeStatement(const Suffix& suffix, std::string_view level, std::string_view typeCode,
                          std::string_view label);

    Main& m_main;
    RowWriting m_writing;
    bool m_garmin = false;
    bool m_keepLimits = false;
    bool m_translit = false;
    bool m_lowerCase = false;
    std::vector<CopiedColumn> m_columns;
    std::vector<TemplateRow> m_rows;
    std::vector<bool> m_rowHasLimits;
    std::vector<bool> m_rowCopiesValues;  // the level is checked for such rows
    std::vector<std::array<Suffix, 4>> m_suffixes;
    Suffix m_unknownType;
    std::unordered_map<std::string, int> m_rowByType;
    const SourceRecords* m_records = nullptr;
    std::vector<TextFacts> m_facts;  // by text number of the source record list
    store::TextPool m_labels;        // labels after the label options
    std::optional<store::RowAppender> m_appender;
    int m_levelColumn = -1;
    int m_typeColumn = -1;
    int m_valueColumn = -1;
    std::string m_statement;
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
        if (isRecordColumn(column.name)) m_writing = RowWriting::Statements;
        m_columns.push_back(std::move(column));
    }

    Result<store::RecordSet> rows = m_main.connection.openRecordSet(
        "SELECT * FROM " + m_main.programName + " WHERE VID=" +
        std::to_string(store::kindNumber(m_main.kind)) + " ORDER BY MP_TYPE, YN DESC");
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
    m_unknownType.columns = kUnknownTypeColumns;
    m_unknownType.values = kUnknownTypeValues;
    m_unknownType.built = true;
    return {};
}

TextFacts& TypeConversion::facts(Id id) {
    if (id >= m_facts.size()) m_facts.resize(m_records->textCount());
    return m_facts[id];
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

bool TypeConversion::hasQuote(Id id) {
    TextFacts& text = facts(id);
    if (text.hasQuote < 0) text.hasQuote = m_records->text(id).find('"') != std::string_view::npos;
    return text.hasQuote != 0;
}

Result<TypeConversion::Id> TypeConversion::labelAfterOptions(Id id) {
    TextFacts& text = facts(id);
    if (text.label != store::TextPool::kNone) return text.label;
    // A double quote would end the text early.
    std::string label(m_records->text(id));
    if (!label.empty()) {
        if (m_translit) {
            Result<std::string> latin = Translit(label, kTranslitScheme);
            if (!latin) return latin.status();
            label = std::move(*latin);
        }
        if (m_lowerCase) label = store::foldUtf8(label);
        std::replace(label.begin(), label.end(), '"', '\'');
    }
    text.label = m_labels.intern(label);
    return text.label;
}

int TypeConversion::findRow(Id typeCode) {
    TextFacts& text = facts(typeCode);
    if (text.row != TextFacts::kUnknownRow) return text.row;
    // The reader delivers codes in small letters; others are lowered for the lookup.
    const auto found = m_rowByType.find(lowerAscii(std::string(m_records->text(typeCode))));
    text.row = found == m_rowByType.end() ? -1 : found->second;
    return text.row;
}

Result<bool> TypeConversion::aboveLevel0(Id levelId, std::size_t index) {
    TextFacts& known = facts(levelId);
    if (known.aboveLevel0 >= 0) return known.aboveLevel0 != 0;
    const std::string_view level = m_records->text(levelId);
    bool above = false;
    if (level.size() == 1 && level[0] >= '0' && level[0] <= '9') {
        above = level[0] != '0';
    } else {
        std::string_view trimmed = level;
        while (!trimmed.empty() && trimmed.front() == ' ') trimmed.remove_prefix(1);
        while (!trimmed.empty() && trimmed.back() == ' ') trimmed.remove_suffix(1);
        if (!trimmed.empty()) {
            const std::string number1 = std::to_string(index + 1);  // counted from 1 for the user
            const std::string where = "level \"" + std::string(level) + "\" of record " + number1;
            const std::string whereRu = "уровень \"" + std::string(level) + "\" записи " + number1;
            if (!isPlainDecimal(trimmed)) {
                return Status::error(err::kTypeMismatch, where + " is not a number",
                                     whereRu + " не является числом");
            }
            std::string text(trimmed);
            std::replace(text.begin(), text.end(), ',', '.');
            const double number = std::strtod(text.c_str(), nullptr);
            const double whole = std::nearbyint(number);  // to even, as a conversion to a byte
            if (!std::isfinite(number) || whole < 0 || whole > 255) {
                return Status::error(err::kOverflow, where + " is not a level from 0 to 255",
                                     whereRu + " не является уровнем от 0 до 255");
            }
            above = whole >= 1;
        }
    }
    known.aboveLevel0 = above ? 1 : 0;
    return above;
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

Status TypeConversion::convertRecord(std::size_t index, const SourceRecords::Row& ids) {
    if (hasQuote(ids.level) || hasQuote(ids.typeCode)) {
        return Status::error(err::kInvalidArgument,
                             "the level or type code of record " + std::to_string(index + 1) +
                                 " contains a double quote",
                             "уровень или код типа записи " + std::to_string(index + 1) +
                                 " содержит двойную кавычку");
    }
    Result<Id> label = labelAfterOptions(ids.label);
    if (!label) return label.status();

    Suffix* suffix = &m_unknownType;
    const int row = findRow(ids.typeCode);
    if (row >= 0) {
        int variant = ids.label == store::TextPool::kEmpty ? kLabelEmpty : 0;
        // The level is read for every row that copies values, limits or not, so that a bad
        // level stops the run whatever the type.
        if (!m_keepLimits && m_rowCopiesValues[static_cast<std::size_t>(row)]) {
            Result<bool> above = aboveLevel0(ids.level, index);
            if (!above) return above.status();
            if (*above && m_rowHasLimits[static_cast<std::size_t>(row)]) variant |= kAboveLevel0;
        }
        suffix = &m_suffixes[static_cast<std::size_t>(row)][variant];
        if (!suffix->built) {
            if (Status s = buildSuffix(row, variant, *suffix); !s) return s;
        }
    }

    const std::string_view level = m_records->text(ids.level);
    const std::string_view typeCode = m_records->text(ids.typeCode);
    if (m_writing == RowWriting::Statements) {
        return writeStatement(*suffix, level, typeCode, m_labels.text(*label));
    }
    return writeDirect(*suffix, level, typeCode, m_labels.text(*label));
}

Status TypeConversion::writeDirect(Suffix& suffix, std::string_view level,
                                   std::string_view typeCode, std::string_view label) {
    // Resolved at the first row, where the first statement would resolve them.
    if (!m_appender) {
        Result<store::RowAppender> appender = m_main.connection.appender(m_main.outputTableName);
        if (!appender) return appender.status();
        Result<int> levelColumn = appender->column("LVL");
        if (!levelColumn) return levelColumn.status();
        Result<int> typeColumn = appender->column("TYPE");
        if (!typeColumn) return typeColumn.status();
        Result<int> valueColumn = appender->column("[VALUE]");
        if (!valueColumn) return valueColumn.status();
        m_levelColumn = *levelColumn;
        m_typeColumn = *typeColumn;
        m_valueColumn = *valueColumn;
        m_appender = std::move(*appender);
    }
    if (!suffix.imageBuilt) {
        // The lists without their leading commas.
        const std::string_view columns =
            std::string_view(suffix.columns).substr(suffix.columns.empty() ? 0 : 1);
        const std::string_view values =
            std::string_view(suffix.values).substr(suffix.values.empty() ? 0 : 1);
        if (Status s = m_appender->prepare(columns, values, suffix.image); !s) return s;
        suffix.imageBuilt = true;
    }
    return m_appender->append(
        suffix.image, {{m_levelColumn, level}, {m_typeColumn, typeCode}, {m_valueColumn, label}});
}

Status TypeConversion::writeStatement(const Suffix& suffix, std::string_view level,
                                      std::string_view typeCode, std::string_view label) {
    m_statement.clear();
    m_statement += "INSERT INTO ";
    m_statement += m_main.outputTableName;
    m_statement += " (LVL,TYPE,[VALUE]";
    m_statement += suffix.columns;
    m_statement += ") VALUES (\"";
    m_statement += level;
    m_statement += "\",\"";
    m_statement += typeCode;
    m_statement += "\",\"";
    m_statement += label;
    m_statement += '"';
    m_statement += suffix.values;
    m_statement += ')';
    return m_main.connection.execute(m_statement);
}

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
        const SourceRecords& records = m_main.sourceRecords;
        m_records = &records;
        const long long count = static_cast<long long>(records.size());
        const long long step = count > 0 ? (count - 1) / 100 : 0;
        const std::string progress =
            m_main.tr(" создание файла по типам: ", " file creation by type: ");
        const std::string sourceFileName = m_main.sourceFileName;
        const store::ObjectKind kind = m_main.kind;
        const std::size_t texts = records.textCount();
        m_statement.reserve(1024);
        for (long long i = 0; i < count; ++i) {
            const auto index = static_cast<std::size_t>(i);
            if (Status s = convertRecord(index, records.row(index)); !s) return s;
            if (step > 0 && i % step == 0) {
                m_main.att(progressBar(progress, i, step));
                m_main.doEvents();
                // Handlers run while events are processed; a new source or kind chosen meanwhile
                // would mix two maps in one table (or pull the records from under the loop).
                if (records.size() != static_cast<std::size_t>(count) ||
                    records.textCount() != texts || m_main.sourceFileName != sourceFileName ||
                    m_main.kind != kind) {
                    return Status::error(err::kInvalidArgument,
                                         "the source or the object kind changed during the "
                                         "conversion",
                                         "исходный файл или вид объектов изменился во время "
                                         "конвертации");
                }
                if (m_appender && !m_appender->stillOpen()) {
                    return Status::error(err::kInvalidArgument,
                                         "the output table was closed during the conversion",
                                         "выходная таблица была закрыта во время конвертации");
                }
            }
        }
    }
    if (moveWhenDone) return moveOutputTable(m_main);
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

bool RunType(Main& main, bool moveWhenDone, RowWriting writing) {
    main.platform.setBusy(true);
    main.att(main.tr(" создание файла по типам... ", " file creation by type... "));
    main.doEvents();
    main.platform.pause(100);
    Status status = TypeConversion(main, writing).run(moveWhenDone);
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
