// The per-record work is kept small: the attributes of each template row and variant come ready
// from TypeAttributes (the rules the map preview draws with too). What a record's texts need
// (their check for double quotes, the label after the label options, the level read as a number,
// the template row of a type code) is worked out once per distinct text of the source record
// list.
//
// Rows go straight into the output's record buffer: the attribute part as a prepared record
// image, the level, type code and label encoded into their columns. Every value passes the
// store's INSERT encoding, so the bytes are those that one INSERT INTO statement per record
// stores; that statement path is kept for a template whose controls name LVL, TYPE or VALUE
// (their value would overwrite the record's own) and for comparing the two.
#include "convert/convert_by_type.h"

#include <array>
#include <optional>
#include <string_view>

#include "convert/conversion_guard.h"
#include "convert/output_table.h"
#include "convert/type_attributes.h"
#include "store/common_services.h"
#include "store/text_pool.h"

namespace tavrolin {

namespace {

// A prepared record image of a template row's attributes in one variant, made at its first use.
struct Image {
    bool built = false;
    std::vector<char> bytes;
};

// What the conversion needs of one text of the source record list, worked out at its first use.
struct TextFacts {
    static constexpr int kUnknownRow = -2;
    std::int8_t hasQuote = -1;                           // -1: not checked yet
    std::int8_t aboveLevel0 = -1;                        // as a level; -1: not read yet
    int row = kUnknownRow;                               // as a type code: its template row, or -1
    store::TextPool::Id label = store::TextPool::kNone;  // as a label, after the label options
};

class TypeConversion {
   public:
    TypeConversion(Main& main, RowWriting writing) : m_main(main), m_writing(writing) {}

    Status run(bool moveWhenDone);

   private:
    using Id = store::TextPool::Id;

    Status convertRecord(std::size_t index, const SourceRecords::Row& ids);
    TextFacts& facts(Id id);
    bool hasQuote(Id id);
    // The record's label after the label options, as a number of m_labels.
    Result<Id> labelAfterOptions(Id id);
    // The template row of a type code, or -1.
    int findRow(Id typeCode);
    Result<bool> aboveLevel0(Id level, std::size_t index);
    Status writeDirect(int row, int variant, const RecordAttributes& attributes,
                       std::string_view level, std::string_view typeCode, std::string_view label);
    Status writeStatement(const RecordAttributes& attributes, std::string_view level,
                          std::string_view typeCode, std::string_view label);

    Main& m_main;
    RowWriting m_writing;
    std::optional<TypeAttributes> m_attributes;
    // By (row + 1) * TypeAttributes::kVariants + variant; row -1 is an unknown type.
    std::vector<Image> m_images;
    const SourceRecords* m_records = nullptr;
    std::vector<TextFacts> m_facts;  // by text number of the source record list
    store::TextPool m_labels;        // labels after the label options
    std::optional<store::RowAppender> m_appender;
    int m_levelColumn = -1;
    int m_typeColumn = -1;
    int m_valueColumn = -1;
    std::string m_statement;
};

TextFacts& TypeConversion::facts(Id id) {
    if (id >= m_facts.size()) m_facts.resize(m_records->textCount());
    return m_facts[id];
}

bool TypeConversion::hasQuote(Id id) {
    TextFacts& text = facts(id);
    if (text.hasQuote < 0) text.hasQuote = m_records->text(id).find('"') != std::string_view::npos;
    return text.hasQuote != 0;
}

Result<TypeConversion::Id> TypeConversion::labelAfterOptions(Id id) {
    TextFacts& text = facts(id);
    if (text.label != store::TextPool::kNone) return text.label;
    Result<std::string> label = m_attributes->labelAsWritten(m_records->text(id));
    if (!label) return label.status();
    text.label = m_labels.intern(*label);
    return text.label;
}

int TypeConversion::findRow(Id typeCode) {
    TextFacts& text = facts(typeCode);
    if (text.row == TextFacts::kUnknownRow) text.row = m_attributes->rowOf(m_records->text(typeCode));
    return text.row;
}

Result<bool> TypeConversion::aboveLevel0(Id levelId, std::size_t index) {
    TextFacts& known = facts(levelId);
    if (known.aboveLevel0 >= 0) return known.aboveLevel0 != 0;
    Result<bool> above = TypeAttributes::aboveLevel0(m_records->text(levelId), index);
    if (!above) return above.status();
    known.aboveLevel0 = *above ? 1 : 0;
    return *above;
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

    const int row = findRow(ids.typeCode);
    int variant = 0;
    if (row >= 0) {
        if (ids.label == store::TextPool::kEmpty) variant |= TypeAttributes::kLabelEmpty;
        if (m_attributes->readsLevel(row)) {
            Result<bool> above = aboveLevel0(ids.level, index);
            if (!above) return above.status();
            if (*above && m_attributes->hasLimits(row)) variant |= TypeAttributes::kAboveLevel0;
        }
    }
    Result<const RecordAttributes*> attributes = m_attributes->attributes(row, variant);
    if (!attributes) return attributes.status();

    const std::string_view level = m_records->text(ids.level);
    const std::string_view typeCode = m_records->text(ids.typeCode);
    if (m_writing == RowWriting::Statements) {
        return writeStatement(**attributes, level, typeCode, m_labels.text(*label));
    }
    return writeDirect(row, variant, **attributes, level, typeCode, m_labels.text(*label));
}

Status TypeConversion::writeDirect(int row, int variant, const RecordAttributes& attributes,
                                   std::string_view level, std::string_view typeCode,
                                   std::string_view label) {
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
    Image& image = m_images[static_cast<std::size_t>((row + 1) * TypeAttributes::kVariants + variant)];
    if (!image.built) {
        // The lists without their leading commas.
        const std::string& columnList = attributes.statementColumns;
        const std::string& valueList = attributes.statementValues;
        const std::string_view columns =
            std::string_view(columnList).substr(columnList.empty() ? 0 : 1);
        const std::string_view values =
            std::string_view(valueList).substr(valueList.empty() ? 0 : 1);
        if (Status s = m_appender->prepare(columns, values, image.bytes); !s) return s;
        image.built = true;
    }
    return m_appender->append(
        image.bytes, {{m_levelColumn, level}, {m_typeColumn, typeCode}, {m_valueColumn, label}});
}

Status TypeConversion::writeStatement(const RecordAttributes& attributes, std::string_view level,
                                      std::string_view typeCode, std::string_view label) {
    m_statement.clear();
    m_statement += "INSERT INTO ";
    m_statement += m_main.outputTableName;
    m_statement += " (LVL,TYPE,[VALUE]";
    m_statement += attributes.statementColumns;
    m_statement += ") VALUES (\"";
    m_statement += level;
    m_statement += "\",\"";
    m_statement += typeCode;
    m_statement += "\",\"";
    m_statement += label;
    m_statement += '"';
    m_statement += attributes.statementValues;
    m_statement += ')';
    return m_main.connection.execute(m_statement);
}

Status TypeConversion::run(bool moveWhenDone) {
    Result<TypeAttributes> attributes = TypeAttributes::read(m_main);
    if (!attributes) return attributes.status();
    m_attributes = std::move(*attributes);
    if (m_attributes->copiesRecordColumns()) m_writing = RowWriting::Statements;
    m_images.resize((m_attributes->rowCount() + 1) * TypeAttributes::kVariants);

    if (!m_attributes->empty()) {
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
    // The flush to disk of a large table takes seconds; the window keeps painting.
    const std::string target = main.sourceFolder + main.outputFileName;
    Status moved = main.whileWindowPaints([&table, &target] { return store::replaceFile(table, target); });
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
