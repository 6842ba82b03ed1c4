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
#include "convert/convert_by_depth.h"
#include "convert/output_table.h"
#include "convert/type_attributes.h"
#include "store/common_services.h"
#include "store/dbf_table.h"
#include "store/text_pool.h"

namespace tavrolin {

namespace {

// A prepared record image of a template row's attributes in one variant, made at its first use.
struct Image {
    bool built = false;
    std::vector<char> bytes;
};

// What a label as written gives as a depth, worked out at its first use.
struct DepthFacts {
    static constexpr int kUnread = -2;
    static constexpr int kNoDepth = -1;
    int key = kUnread;  // which values: see depthKey()
    int depth = 0;
    bool plusMark = false;
    store::TextPool::Id written = store::TextPool::kNone;  // VALUE as written (a marked line's
                                                           // label loses its mark)
};

// Depths that share their values: each depth of a swatch with and without the plus mark, and
// beyond the swatches the multiples of 5 and the others.
constexpr int kDepthKeys = 2 * kSwatchCount + 2;
int depthKey(int d, bool plusMark) {
    return d < kSwatchCount ? 2 * d + (plusMark ? 1 : 0) : 2 * kSwatchCount + (d % 5 == 0 ? 1 : 0);
}

bool isBlank(std::string_view text) {
    return text.find_first_not_of(' ') == std::string_view::npos;
}

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
    TypeConversion(Main& main, const ConversionOptions& options, RowWriting writing,
                   DepthInRows* depth)
        : m_main(main), m_options(options), m_writing(writing), m_depth(depth) {}

    Status run(bool moveWhenDone);
    // Whether the run stopped on a depth (RunName's failure).
    bool depthFailed() const { return m_depthFailed; }

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
                       std::string_view level, std::string_view typeCode, Id label);
    Status openAppender();
    // The depth facts of a label as written; error 6 for a depth beyond 16 bits.
    Result<const DepthFacts*> depthOf(Id label);
    // The record image of a row and variant with the values of a depth over it.
    Result<const Image*> depthImage(int row, int variant, const RecordAttributes& attributes,
                                    const DepthFacts& depth);
    Status writeStatement(const RecordAttributes& attributes, std::string_view level,
                          std::string_view typeCode, std::string_view label);

    Main& m_main;
    const ConversionOptions m_options;
    RowWriting m_writing;
    DepthInRows* m_depth;
    bool m_depthFailed = false;
    long long m_depthRow = 0;              // rows without level and with a label so far
    std::vector<DepthFacts> m_depthFacts;  // by number of m_labels
    std::unordered_map<std::size_t, Image> m_depthImages;
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
    if (text.row == TextFacts::kUnknownRow)
        text.row = m_attributes->rowOf(m_records->text(typeCode));
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
    return writeDirect(row, variant, **attributes, level, typeCode, *label);
}

Status TypeConversion::openAppender() {
    if (m_appender) return {};
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
    return {};
}

Result<const DepthFacts*> TypeConversion::depthOf(Id label) {
    if (label >= m_depthFacts.size()) m_depthFacts.resize(m_labels.size());
    DepthFacts& facts = m_depthFacts[label];
    if (facts.key != DepthFacts::kUnread) return &facts;
    const DepthLabel read =
        readDepthLabel(m_labels.text(label), m_main.russian, m_main.depthInMetres);
    facts.written = label;
    if (!read.isNumber) {
        facts.key = DepthFacts::kNoDepth;
        return &facts;
    }
    Result<int> whole = wholeDepth(read.metres);
    if (!whole) return whole.status();
    facts.depth = *whole;
    facts.plusMark = read.plusMark;
    facts.key = depthKey(facts.depth, facts.plusMark);
    // A marked line keeps the label before its mark.
    if (m_main.namedKind == store::ObjectKind::Line && read.plusMark &&
        facts.depth < kSwatchCount) {
        facts.written = m_labels.intern(read.text);
    }
    return &facts;
}

Result<const Image*> TypeConversion::depthImage(int row, int variant,
                                                const RecordAttributes& attributes,
                                                const DepthFacts& depth) {
    const std::size_t key = (static_cast<std::size_t>(row + 1) * TypeAttributes::kVariants +
                             static_cast<std::size_t>(variant)) *
                                kDepthKeys +
                            static_cast<std::size_t>(depth.key);
    Image& image = m_depthImages[key];
    if (image.built) return &image;
    // The depth's values after the template's: in a statement a column named twice takes its
    // last value.
    std::string columns = attributes.statementColumns;
    std::string values = attributes.statementValues;
    for (const DepthValue& value : m_depth->rules->valuesForDepth(depth.depth, depth.plusMark)) {
        columns += ',';
        columns += value.column;
        values += ',';
        values += value.text ? '"' + *value.text + '"' : std::to_string(value.number);
    }
    const std::string_view columnList = std::string_view(columns).substr(1);
    const std::string_view valueList = std::string_view(values).substr(1);
    if (Status s = m_appender->prepare(columnList, valueList, image.bytes); !s) return s;
    image.built = true;
    return &image;
}

Status TypeConversion::writeDirect(int row, int variant, const RecordAttributes& attributes,
                                   std::string_view level, std::string_view typeCode, Id labelId) {
    // Resolved at the first row, where the first statement would resolve them.
    if (Status s = openAppender(); !s) return s;
    Image& image =
        m_images[static_cast<std::size_t>((row + 1) * TypeAttributes::kVariants + variant)];
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
    const std::vector<char>* bytes = &image.bytes;
    std::string_view label = m_labels.text(labelId);
    // A row the depth pass would select: no level (a blank one is stored as none) and a label.
    if (m_depth != nullptr && isBlank(level) && !isBlank(label)) {
        ++m_depthRow;
        Result<const DepthFacts*> depth = depthOf(labelId);
        if (!depth) {
            m_depthFailed = true;
            return Status::error(depth.status().number(), "row " + std::to_string(m_depthRow) +
                                                              " of " + m_main.outputTableName +
                                                              ": " + depth.status().description());
        }
        if ((*depth)->key >= 0) {
            Result<const Image*> painted = depthImage(row, variant, attributes, **depth);
            if (!painted) return painted.status();
            bytes = &(*painted)->bytes;
            label = m_labels.text((*depth)->written);
        }
    }
    return m_appender->append(
        *bytes, {{m_levelColumn, level}, {m_typeColumn, typeCode}, {m_valueColumn, label}});
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
    Result<TypeAttributes> attributes = TypeAttributes::read(m_main, m_options);
    if (!attributes) return attributes.status();
    m_attributes = std::move(*attributes);
    if (m_attributes->copiesRecordColumns()) m_writing = RowWriting::Statements;
    m_images.resize((m_attributes->rowCount() + 1) * TypeAttributes::kVariants);
    // Depth values go with the rows only on the direct path; the statements leave them to the
    // pass over the table.
    if (m_depth != nullptr && m_depth->rules->paintsKind() && m_writing == RowWriting::Direct) {
        if (Status s = openAppender(); !s) return s;
        // The columns the pass needs, or its error.
        static constexpr const char* kEvery[] = {"[VALUE]", "L_LIMIT", "U_LIMIT", "P_LIMIT",
                                                 "LAYER",   "COLOR",   "MODE",    "FONT"};
        static constexpr const char* kLines[] = {"RTP_LIMIT", "RTP_COLOR", "HAL_COLOR"};
        static constexpr const char* kAreas[] = {"BDR_COLOR"};
        const bool lines = m_main.namedKind == store::ObjectKind::Line;
        std::vector<const char*> needed(std::begin(kEvery), std::end(kEvery));
        if (lines) {
            needed.insert(needed.end(), std::begin(kLines), std::end(kLines));
        } else {
            needed.insert(needed.end(), std::begin(kAreas), std::end(kAreas));
        }
        for (const char* column : needed) {
            if (Result<int> found = m_appender->column(column); !found) return found.status();
        }
        m_depth->written = true;
    } else if (m_depth != nullptr) {
        m_depth = nullptr;
    }

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
    // Neither file stays open: Windows replaces no file that is open, and a table kept open on
    // the moved file would be the user's output.
    const std::string target = main.sourceFolder + main.outputFileName;
    if (Status s = store::releaseTableFile(table); !s) return s;
    if (Status s = store::releaseTableFile(target); !s) return s;
    // The flush to disk of a large table takes seconds; the window keeps painting.
    Status moved =
        main.whileWindowPaints([&table, &target] { return store::replaceFile(table, target); });
    if (!moved) {
        (void)markOutputTable(table, false);  // still ours to delete on the next run
        return moved;
    }
    if (Status s = removeOldOutputSpellings(main); !s) return s;
    return writeOutputCodePage(main);
}

bool RunType(Main& main, bool moveWhenDone, const ConversionOptions& options, RowWriting writing,
             DepthInRows* depth) {
    main.platform.setBusy(true);
    main.att(main.tr(" создание файла по типам... ", " file creation by type... "));
    main.doEvents();
    main.platform.pause(100);
    if (depth != nullptr) depth->written = false;
    TypeConversion conversion(main, options, writing, depth);
    Status status = conversion.run(moveWhenDone);
    main.platform.setBusy(false);
    if (!status) {
        if (depth != nullptr) depth->written = false;
        main.fail(conversion.depthFailed() ? "RunName" : "RunType", status);
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
    if (!RunType(main, true, conversionOptions(main.form))) return;
    main.att(main.tr(" файл с новыми атрибутами по типам успешно создан",
                     " file with the new attributes by types created successfully"));
    store::ShowOutput(main.platform, main.sourceFolder + main.outputFileName, main.russian);
}

}  // namespace tavrolin
