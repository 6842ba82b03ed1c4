#include "source/source_reader.h"

#include <algorithm>
#include <new>
#include <utility>

#include "source/encodings.h"
#include "source/field_text.h"
#include "source/found_lists.h"
#include "source/label_rules.h"
#include "source/source_file.h"
#include "source/source_layout.h"
#include "store/case_fold.h"
#include "store/common_services.h"
#include "store/dbf_format.h"
#include "store/file_io.h"

namespace tavrolin {

namespace {

using source::FieldRole;
using source::SourceField;

constexpr int kMaxLabelWidth = 254;  // widest C column the output table can hold
constexpr int kLabelWidthMargin = 10;
constexpr const char* kActionButtons[] = {"btnMakeType", "btnMakeSkin", "btnMakeName"};

// The last field of each role: a later field of a role overrides an earlier one.
struct RoleFields {
    const SourceField* typeCode = nullptr;
    const SourceField* label = nullptr;
    const SourceField* level = nullptr;
};

RoleFields lastFieldOfEachRole(const std::vector<SourceField>& fields) {
    RoleFields roles;
    for (const SourceField& field : fields) {
        if (field.ignored) continue;
        switch (field.role) {
            case FieldRole::TypeCode:
                roles.typeCode = &field;
                break;
            case FieldRole::Label:
                roles.label = &field;
                break;
            case FieldRole::Level:
                roles.level = &field;
                break;
            case FieldRole::None:
                break;
        }
    }
    return roles;
}

double physicalMemoryBytes() {
    // Unknown: let the allocation decide.
    return store::io::physicalMemoryBytes().value_or(1e18);
}

std::string_view fieldBytes(std::string_view record, const SourceField& field) {
    // Offsets were checked against the record length when the descriptors were read.
    return record.substr(field.offset, field.length);
}

// The texts that one field gives, remembered by the field's bytes: a value met before (and
// above all the value of the record before) is not decoded again.
class FieldTexts {
   public:
    using Id = SourceRecords::Id;

    // The record list's number of the text for these field bytes; `make` makes it when the
    // bytes are new.
    template <typename Make>
    Id idOf(std::string_view bytes, Make&& make) {
        if (m_last != store::TextPool::kNone && m_raw.text(m_last) == bytes) return m_ids[m_last];
        const Id raw = m_raw.intern(bytes);
        if (raw >= m_ids.size()) m_ids.resize(m_raw.size(), store::TextPool::kNone);
        if (m_ids[raw] == store::TextPool::kNone) m_ids[raw] = make(bytes);
        m_last = raw;
        return m_ids[raw];
    }
    // Forgets every field value (their texts would now be made differently).
    void clear() {
        m_raw.clear();
        m_ids.clear();
        m_last = store::TextPool::kNone;
    }

   private:
    store::TextPool m_raw;  // field bytes met
    std::vector<Id> m_ids;  // by number of the bytes
    Id m_last = store::TextPool::kNone;
};

void clearResults(Main& main) {
    main.sourceRecords.clear();
    main.depthInMetres = false;
    main.labelWidth = 0;
    main.form.clearList("GM");
    main.form.clearList("GM_TYPE");
    main.namedKind = store::ObjectKind::None;
    for (Control* option : main.form.array("SVID")) main.form.setValue("SVID", 0, option->index);
    main.sourceRead = false;
    for (const char* button : kActionButtons) main.form.setEnabled(button, false);
}

// The file name the kind may be read from: the chosen source's, else the Source path's.
std::string sourceFileName(const Main& main, const std::string& path) {
    if (!main.sourceFileName.empty()) return main.sourceFileName;
    std::size_t slash = path.find_last_of(store::io::kPathSeparators);
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void chooseKindFromFileName(Main& main, const std::string& fileName) {
    if (main.namedKind != store::ObjectKind::None) return;
    std::string lower = store::foldUtf8(fileName);
    static constexpr std::pair<const char*, store::ObjectKind> kKindWords[] = {
        {"polygons", store::ObjectKind::Polygon},
        {"polylines", store::ObjectKind::Line},
        {"points", store::ObjectKind::Point}};
    for (const auto& [word, kind] : kKindWords) {
        if (lower.find(word) != std::string::npos) {
            main.form.setValue("SVID", 1, store::kindNumber(kind));
            return;
        }
    }
}

// The decoding that the source's own code-page file names: the file of the source's name with
// ".cpg" in place of its extension, in any letter case, beside it (GDAL, QGIS and others write
// one). Nothing when there is none, it cannot be read, or it names no encoding known here.
std::optional<source::LabelDecoding> sourceCodePage(const std::string& path) {
    constexpr std::size_t kLongestUsefulText = 64;
    const std::size_t slash = path.find_last_of(store::io::kPathSeparators);
    const std::string folder =
        slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = base.find_last_of('.');
    if (dot != std::string::npos && dot > 0) base.resize(dot);
    const std::vector<std::string> names = store::namesIgnoringCase(folder, base + ".cpg");
    if (names.empty()) return std::nullopt;
    const Result<std::vector<std::uint8_t>> bytes =
        store::readUpTo(folder + names.front(), kLongestUsefulText);
    if (!bytes) return std::nullopt;
    return source::codePageDecoding(std::string(bytes->begin(), bytes->end()));
}

// The read proper: steps from opening the file to the end messages. Returns true when at
// least one type code was found.
class TableRead {
   public:
    explicit TableRead(Main& main) : m_main(main) {}

    bool run(const std::string& path);

   private:
    bool readHeader();
    bool readFields();
    bool readRecords();
    bool finish();

    Main& m_main;
    source::SourceFile m_file;
    source::SourceHeader m_header;
    source::SourceLayout m_layout;
    std::int64_t m_count = 0;
    int m_mark = 0;
    std::optional<source::LabelDecoding> m_codePage;  // named by the source's code-page file
    std::vector<std::string> m_gm;
    std::vector<std::string> m_gmType;
    int m_labelWidthCounter = 0;
};

bool TableRead::run(const std::string& path) {
    Result<source::SourceFile> file = source::SourceFile::open(path);
    if (!file) {
        reportSourceFileError(m_main, "DBFread", file.status());
        return false;
    }
    m_file = std::move(file.value());
    if (!readHeader() || !readFields()) return false;
    // A file without a language mark may have a code-page file that says what its text is;
    // that beats guessing from the bytes (and the "ignore names" mark, which only stands in
    // for a missing mark).
    if (m_header.languageDriver == source::kMarkNone) m_codePage = sourceCodePage(path);
    bool recordsRead = readRecords();
    m_main.form.setItems("GM", std::move(m_gm));
    m_main.form.setItems("GM_TYPE", std::move(m_gmType));
    return recordsRead && finish();
}

bool TableRead::readHeader() {
    std::vector<std::uint8_t> bytes;
    Status status = m_file.read(0, store::kFileHeaderSize, &bytes);
    Result<source::SourceHeader> header =
        status ? source::parseHeader(bytes) : Result<source::SourceHeader>(status);
    if (!header) {
        m_main.fail("DBFread", header.status());
        return false;
    }
    m_header = header.value();
    m_mark = m_main.form("NoName").value != 0 ? source::kMarkCp1251 : m_header.languageDriver;

    if (m_header.isVisualFoxPro()) {
        // This refusal exists in Russian only. The read ends here: the box waits for the user
        // with the normal pointer.
        m_main.platform.setBusy(false);
        m_main.platform.showMessage({m_main.programName, " ! файлы VFP не поддерживаются",
                                     MessageButtons::Ok, MessageIcon::Exclamation});
        return false;
    }
    if (m_header.recordLength == 0 || m_header.headerLength < store::kFileHeaderSize) {
        const std::string length = std::to_string(m_header.headerLength);
        const bool noRecord = m_header.recordLength == 0;
        m_main.fail("DBFread",
                    Status::error(source::kErrBadFileFormat,
                                  noRecord ? "the header gives a record length of 0"
                                           : "the header length " + length +
                                                 " is shorter than the 32-byte file header",
                                  noRecord ? "заголовок указывает длину записи 0"
                                           : "длина заголовка " + length +
                                                 " меньше 32 байт заголовка файла"));
        return false;
    }

    // Trust the file's size over the header's count: a count that disagrees is reported and
    // replaced.
    m_count =
        source::computedRecordCount(m_file.size(), m_header.headerLength, m_header.recordLength);
    if (m_count != m_header.declaredRecordCount) {
        m_main.att(m_main.tr(" * некорректное количество записей в файле",
                             " ! selected file contains wrong records amount"));
        m_main.platform.beep();
        m_main.platform.pause(1000);
    }
    if (m_count == 0) {
        m_main.att(m_main.tr(" ! указанный файл поврежден или не содержит записей",
                             " ! selected file is broken or contains no records"));
        m_main.platform.beep();
        return false;
    }
    return true;
}

bool TableRead::readFields() {
    int announced = source::announcedFieldCount(m_header.headerLength);
    std::vector<std::uint8_t> descriptors;
    Status status = m_file.read(store::kFileHeaderSize,
                                static_cast<std::size_t>(announced) * store::kFieldDescriptorSize,
                                &descriptors);
    Result<source::SourceLayout> layout =
        status ? source::parseFields(descriptors, announced, m_header.recordLength)
               : Result<source::SourceLayout>(status);
    if (!layout) {
        m_main.att(" ! ReadDBF " + layout.status().description(m_main.russian));
        m_main.platform.beep();
        return false;
    }
    m_layout = std::move(layout.value());
    for (const SourceField& field : m_layout.fields) {
        if (field.selectsKind != store::ObjectKind::None) {
            m_main.form.setValue("SVID", 1, store::kindNumber(field.selectsKind));
        }
    }
    m_main.depthInMetres = m_layout.hasDepthInMetres;
    return true;
}

bool TableRead::readRecords() {
    const bool russian = m_main.russian;
    const bool listNames = m_main.form("NoName").value == 0;
    const RoleFields roles = lastFieldOfEachRole(m_layout.fields);
    source::LabelRules labels =
        m_codePage ? source::LabelRules(*m_codePage, m_layout.hasDepthInMetres)
                   : source::LabelRules(russian, m_mark, m_main.platform.oemCodePage(),
                                        m_layout.hasDepthInMetres);
    const std::int64_t step = m_count / 100;
    const std::string progressText =
        m_main.tr(" чтение атрибутов файла: ", " reading file with attributes: ");

    // A count this machine could never hold is refused before the system would end the
    // program for taking all memory (allocation may succeed and fail only when touched).
    const double needed = static_cast<double>(m_count) * sizeof(SourceRecords::Row);
    if (needed > physicalMemoryBytes()) {
        const std::string count = std::to_string(m_count);
        m_main.fail("DBFread",
                    Status::error(
                        source::kErrOutOfMemory,
                        "Out of memory: " + count + " records need more than the machine's memory",
                        "недостаточно памяти: " + count +
                            " записей требуют больше памяти, чем есть у компьютера"));
        return false;
    }
    SourceRecords& records = m_main.sourceRecords;
    records.assignEmpty(static_cast<std::size_t>(m_count));
    source::FoundLists found(records, listNames);
    m_file.startRecords(m_header.headerLength, m_header.recordLength, m_count);
    FieldTexts typeCodes;
    FieldTexts labelTexts;
    FieldTexts levels;
    int labelMark = labels.mark();
    std::string text;
    const auto typeCodeOf = [&](std::string_view bytes) {
        source::fieldText(bytes, roles.typeCode->type, russian, &text);
        return records.intern(store::foldUtf8(source::decode1251(text)));
    };
    const auto labelOf = [&](std::string_view bytes) {
        source::fieldText(bytes, roles.label->type, russian, &text);
        return records.intern(labels.apply(text));
    };
    const auto levelOf = [&](std::string_view bytes) {
        source::fieldText(bytes, roles.level->type, russian, &text);
        return text == "0" ? store::TextPool::kEmpty : records.intern(source::decode1251(text));
    };
    for (std::int64_t r = 0; r < m_count; ++r) {
        Result<std::string_view> record = m_file.record(r);
        if (!record) {
            m_gm = found.takeNames();
            m_gmType = found.takeTypes();
            m_main.fail("DBFread", record.status());
            return false;
        }
        std::string_view bytes = record.value();
        if (bytes[0] != store::kDeletedFlag) {
            SourceRecords::Row& row = records.row(static_cast<std::size_t>(r));
            if (roles.typeCode) {
                row.typeCode = typeCodes.idOf(fieldBytes(bytes, *roles.typeCode), typeCodeOf);
            }
            if (roles.label) {
                row.label = labelTexts.idOf(fieldBytes(bytes, *roles.label), labelOf);
                // A guessed encoding changes how the labels met so far would read.
                if (labels.mark() != labelMark) {
                    labelMark = labels.mark();
                    labelTexts.clear();
                }
            }
            if (roles.level) row.level = levels.idOf(fieldBytes(bytes, *roles.level), levelOf);
            if (row.typeCode != store::TextPool::kEmpty) found.add(row.typeCode, row.label);
        }
        if (step > 0 && r % step == 0) {
            m_main.att(progressBar(progressText, r, step));
            m_main.doEvents();
        }
    }
    m_gm = found.takeNames();
    m_gmType = found.takeTypes();
    m_labelWidthCounter = labels.widthCounter();
    return true;
}

bool TableRead::finish() {
    if (m_main.form("GM_TYPE").items.empty()) {
        m_main.att(m_main.tr(" ! указанный файл не содержит записей с типами объектов",
                             " ! selected file contains no records with object types"));
        m_main.platform.beep();
        return false;
    }
    m_main.labelWidth = std::min(m_labelWidthCounter + kLabelWidthMargin, kMaxLabelWidth);
    m_main.sourceRead = true;
    m_main.att(m_main.tr(" атрибуты исходного файла успешно прочитаны",
                         " attributes from the original file read successfully"));
    if (m_layout.hasValueField) {
        m_main.att(m_main.tr(" * данный файл возможно уже обработан для конвертации в IMC",
                             " * selected file may already be processed for conversion in IMC"));
        m_main.platform.beep();
    }
    return true;
}

}  // namespace

void reportSourceFileError(Main& main, const std::string& procedure, const Status& status) {
    switch (status.number()) {
        case err::kFileNotFound:
        case err::kBadFileName:
        case err::kInvalidArgument:
            (void)main.sourceChosen(false);
            return;
        case err::kPermissionDenied:
            main.att(main.tr(" ! файл занят другим приложением, чтение атрибутов невозможно",
                             " ! file is in use by another application, failed to open"));
            main.platform.beep();
            return;
        default:
            main.fail(procedure, status);
            return;
    }
}

bool DBFread(Main& main) {
    main.att(main.tr(" чтение файла атрибутов... ", " reading file with attributes... "));
    main.doEvents();
    clearResults(main);

    const std::string path = main.form("Source").text;
    bool found = false;
    {
        TableRead read(main);
        try {
            found = read.run(path);
        } catch (const std::bad_alloc&) {
            // A table whose records do not fit in memory: give the memory back and say so.
            main.sourceRecords.clear();
            main.fail("DBFread", Status::error(source::kErrOutOfMemory, "Out of memory",
                                               "недостаточно памяти"));
            found = false;
        }
    }  // the file is closed here

    chooseKindFromFileName(main, sourceFileName(main, path));
    // Conversion buttons only after a successful read: a failed one leaves nothing to convert.
    if (main.namedKind != store::ObjectKind::None && main.sourceRead) {
        for (const char* button : kActionButtons) main.form.setEnabled(button, true);
    }
    return found;
}

}  // namespace tavrolin
