// The attributes the conversion by types gives each source record: the template row of its type
// code (a custom row before a standard one), the columns of the enabled attribute controls, the
// MODE of an unlabelled record and the display limits of a record above level 0. The conversion
// writes them into the output table; the map preview draws with them. One set of rules for both.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "store/status.h"
#include "window/main_state.h"
#include "window/source_records.h"

namespace tavrolin {

// The window's choices that a conversion by types follows.
struct ConversionOptions {
    bool garminColumns = false;    // TagMPC: the Garmin MPC columns are filled
    bool keepLevelLimits = false;  // LvlNull: levels above 0 keep the template's limits
    bool transliterate = false;    // TrnCase: labels in Latin letters
    bool lowerCase = false;        // LowCase: labels in small letters
};

// The options as the window's check boxes set them.
ConversionOptions conversionOptions(const Form& form);

// The attributes of one record, in the window's control order.
struct RecordAttributes {
    // Column and value as text; only columns whose value is not empty. Quoted marks a text
    // column (written between double quotes), else a numeric one (written bare).
    struct Value {
        std::string column;
        std::string value;
        bool quoted = false;
    };
    std::vector<Value> values;
    bool knownType = false;  // false: the type has no template row (L_LIMIT 0, U_LIMIT 34 only)
    // With TagMPC and a known type: GRMN_TYPE, HGT_DP_FMT, HGT_DP (the last one empty for Null).
    std::optional<std::array<std::string, 3>> garmin;
    // The column and value parts of an INSERT statement: ",COLOR,MODE" and ",16,\"T\"".
    std::string statementColumns;
    std::string statementValues;
};

class TypeAttributes {
   public:
    // Variant bits of a template row's attributes.
    static constexpr int kLabelEmpty = 1;
    static constexpr int kAboveLevel0 = 2;
    static constexpr int kVariants = 4;

    // Reads the template rows of the current object kind once ("SELECT * FROM <template> WHERE
    // VID=k ORDER BY MP_TYPE, YN DESC"), to be applied with the options. Lets the window
    // process pending events after the read. Errors are the store's.
    static Result<TypeAttributes> read(Main& main, const ConversionOptions& options);

    // Whether the kind has no template rows at all (the conversion then writes no record).
    bool empty() const { return m_rows.empty(); }
    std::size_t rowCount() const { return m_rows.size(); }
    // Whether an enabled control copies into LVL, TYPE or VALUE, the columns of the record's own.
    bool copiesRecordColumns() const { return m_copiesRecordColumns; }

    // The template row of a type code (in any letter case), or -1.
    int rowOf(std::string_view typeCode) const;
    // Whether a record of the row has its level read: the row copies values and LvlNull is off.
    // A bad level then stops the run whatever the type.
    bool readsLevel(int row) const;
    // Whether the row has display limits that a level above 0 replaces.
    bool hasLimits(int row) const { return m_rows[static_cast<std::size_t>(row)].hasLimits; }
    // The attributes of a row (-1: an unknown type) in a variant; built at the first call.
    // Errors: a template value holding a double quote, a column the template lacks.
    Result<const RecordAttributes*> attributes(int row, int variant);

    // The attributes of source record index: the three steps above together. The reference
    // stays valid as long as this object. Errors: as attributes(), and a level that is not a
    // whole number from 0 to 255.
    Result<const RecordAttributes*> forRecord(std::size_t index, const SourceRecord& record);

    // Whether a level (as the reader wrote it) is above 0. Errors name record index + 1: a level
    // that is not a plain decimal number, or not one from 0 to 255 once rounded to even.
    static Result<bool> aboveLevel0(std::string_view level, std::size_t index);

    // A record's label as the conversion writes it into VALUE: transliterated (TrnCase), in
    // lower case (LowCase), double quotes made apostrophes. Errors are the transliteration's.
    Result<std::string> labelAsWritten(std::string_view label) const;

    // The names (MP_NAME, MP_ENG) of a type code's row; empty when the type has no row or the
    // template lacks the column.
    std::pair<std::string, std::string> namesOf(std::string_view typeCode) const;

   private:
    struct CopiedColumn {
        enum class Role { Plain, Mode, LowerLimit, UpperLimit };
        std::string name;
        bool quoted = false;
        Role role = Role::Plain;
    };
    struct TemplateRow {
        std::string typeCode;
        std::vector<Result<std::string>> values;                   // per copied column
        std::array<std::optional<Result<std::string>>, 3> garmin;  // with TagMPC only
        std::string nameRussian;
        std::string nameEnglish;
        bool hasLimits = false;     // holds L_LIMIT or U_LIMIT
        bool copiesValues = false;  // holds any copied value
        std::array<std::optional<RecordAttributes>, kVariants> variants;  // built on first use
    };

    TypeAttributes() = default;
    Status build(const TemplateRow& row, int variant, RecordAttributes& out) const;

    ConversionOptions m_options;
    bool m_copiesRecordColumns = false;
    std::vector<CopiedColumn> m_columns;
    std::vector<TemplateRow> m_rows;
    std::unordered_map<std::string, int> m_rowByType;
    RecordAttributes m_unknownType;
};

}  // namespace tavrolin
