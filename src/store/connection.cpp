// The folder connection: resolving table names to files, opening record sets, and running
// CREATE TABLE and INSERT INTO.
#include "store/connection.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <unordered_map>

#include "store/dbf_table.h"
#include "store/field_codec.h"
#include "store/file_error.h"
#include "store/file_io.h"
#include "store/record_set_state.h"
#include "store/statement.h"

namespace tavrolin::store {

namespace {

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

std::string lowerName(std::string_view name) {
    std::string out(name);
    for (char& c : out) c = lowerAscii(c);
    return out;
}

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
    }
    return true;
}

// A table name without its ".dbf" extension (any letter case): a statement may name the table
// by its file name with the extension, as the migration utility does.
std::string_view withoutExtension(std::string_view name) {
    if (name.size() > 4 && equalsIgnoringAsciiCase(name.substr(name.size() - 4), ".dbf")) {
        name.remove_suffix(4);
    }
    return name;
}

Status notOpen() { return Status::error(err::kFail, "the connection is not open"); }

}  // namespace

class ConnectionImpl {
   public:
    std::string folder;  // as given to open()
    std::string folderWithSlash;
    bool open = false;

    // Tables open for writing, by lower-case table name. They keep their append buffers
    // between statements.
    std::unordered_map<std::string, std::shared_ptr<TableFile>> tables;

    // The INSERT fast path: the table of the previous INSERT, trusted while nothing else ran.
    std::string lastInsertName;
    std::shared_ptr<TableFile> lastInsertTable;
    bool lastStatementWasInsert = false;
    InsertStatement insert;  // reused, to keep its capacity

    // Tables declared to hold text in another encoding than code page 1251, by lower-case name.
    std::unordered_map<std::string, TextEncoding> encodings;

    TextEncoding encodingOf(std::string_view name) const {
        auto it = encodings.find(lowerName(withoutExtension(name)));
        return it == encodings.end() ? TextEncoding::Cp1251 : it->second;
    }

    // The file of a table in the folder: "<name>.dbf" in any letter case (an exact match wins);
    // a name given with its extension names that file.
    Result<std::string> resolveTable(std::string_view name) const {
        if (name.find_first_of(io::kPathSeparators) != std::string_view::npos || name == "." ||
            name == "..") {
            return Status::error(err::kInvalidArgument,
                                 "'" + std::string(name) + "' is not a table name");
        }
        const std::string_view stem = withoutExtension(name);
        const std::string wanted = std::string(stem) + ".dbf";
        // The file exactly as named wins over others that differ in letter case only
        // ("A.DBF" beside "a.dbf" is not the same table).
        const std::string exact = stem.size() < name.size() ? std::string(name) : wanted;
        std::string found;
        std::vector<std::string> names;
        if (io::listFolder(folder, names) != 0) return fileError(errno, "list", folder);
        for (const std::string& candidate : names) {
            if (candidate == exact) {
                found = exact;
                break;
            }
            if (found.empty() && equalsIgnoringAsciiCase(candidate, wanted)) found = candidate;
        }
        if (found.empty()) {
            return Status::error(
                err::kTableNotFound,
                "table '" + std::string(name) + "' not found: no file " + wanted + " in " + folder,
                "таблица '" + std::string(name) + "' не найдена: нет файла " + wanted + " в " +
                    folder);
        }
        return folderWithSlash + found;
    }

    // The writable table of that name, opened once and then kept.
    Result<std::shared_ptr<TableFile>> writableTable(std::string_view name) {
        const std::string key = lowerName(withoutExtension(name));  // one entry per file
        Result<std::string> path = resolveTable(name);
        if (!path) return path.status();
        auto it = tables.find(key);
        if (it != tables.end()) {
            // Still the same file? A delete or rename behind our back leaves a stale handle.
            const std::optional<io::FileIdentity> identity = io::identityOf(*path);
            if (it->second->isOpen() && it->second->path() == *path && identity &&
                it->second->isSameFile(*identity)) {
                return it->second;
            }
            Status status = it->second->close();
            tables.erase(it);
            if (!status) return status;
        }
        Result<std::shared_ptr<TableFile>> table = TableFile::open(*path, true);
        if (!table) return table.status();
        (*table)->setTextEncoding(encodingOf(name));
        tables.emplace(key, *table);
        return table;
    }

    void dropTable(const std::string& key) {
        auto it = tables.find(key);
        if (it == tables.end()) return;
        (void)it->second->close();
        tables.erase(it);
    }

    Status executeInsert(std::string_view statement);
    Status executeCreate(std::string_view statement);
};

namespace {

// The meaning of the INSERT's column list on this table: column names resolve once per list.
Result<const TableFile::ColumnMap*> columnMapOf(TableFile& table, const InsertStatement& insert) {
    if (const TableFile::ColumnMap* known = table.knownColumnMap(insert.columnList)) return known;
    Result<std::vector<std::string>> names = parseColumnList(insert.columnList);
    if (!names) return names.status();
    TableFile::ColumnMap map;
    std::vector<bool> named(table.fields().size(), false);
    for (const std::string& name : *names) {
        const int index = table.fieldIndex(name);
        if (index < 0) return itemNotFound(name, std::string(insert.table));
        map.indexes.push_back(index);
        map.repeats = map.repeats || named[static_cast<std::size_t>(index)];
        named[static_cast<std::size_t>(index)] = true;
    }
    map.columnList = std::string(insert.columnList);
    return &table.rememberColumnMap(std::move(map));
}

// Encodes an INSERT's values into a record, in the order of the column list.
Status encodeValues(const TableFile& table, const TableFile::ColumnMap& columnMap,
                    const std::vector<Literal>& values, char* record) {
    const std::vector<int>& indexes = columnMap.indexes;
    if (indexes.size() != values.size()) {
        return Status::error(err::kSyntax, "INSERT INTO names " + std::to_string(indexes.size()) +
                                               " columns but gives " +
                                               std::to_string(values.size()) + " values");
    }
    const DbfHeader& header = table.header();
    for (std::size_t i = 0; i < indexes.size(); ++i) {
        const auto field = static_cast<std::size_t>(indexes[i]);
        char* out = record + header.offsets[field];
        const FieldInfo& info = header.fields[field];
        const Literal& value = values[i];
        // The record starts blank; only a column named twice needs its earlier value wiped.
        if (columnMap.repeats) std::memset(out, ' ', static_cast<std::size_t>(info.length));
        if (encodeCommonLiteral(info, value.kind, value.text, out)) continue;
        Status status = encodeLiteral(info, value.kind, value.text, out);
        if (!status) return status;
    }
    return {};
}

}  // namespace

Status ConnectionImpl::executeInsert(std::string_view statement) {
    Status status = parseInsert(statement, insert);
    if (!status) return status;

    TableFile* table = nullptr;
    if (lastStatementWasInsert && lastInsertTable && lastInsertTable->isOpen() &&
        equalsIgnoringAsciiCase(insert.table, lastInsertName)) {
        table = lastInsertTable.get();
    } else {
        Result<std::shared_ptr<TableFile>> opened = writableTable(insert.table);
        if (!opened) return opened.status();
        lastInsertTable = *opened;
        lastInsertName = std::string(insert.table);
        table = lastInsertTable.get();
    }
    lastStatementWasInsert = true;

    Result<const TableFile::ColumnMap*> columnMap = columnMapOf(*table, insert);
    if (!columnMap) return columnMap.status();
    status = encodeValues(*table, **columnMap, insert.values, table->beginAppend());
    if (!status) {
        table->cancelAppend();
        return status;
    }
    return table->commitAppend();
}

Status ConnectionImpl::executeCreate(std::string_view statement) {
    Result<CreateStatement> create = parseCreate(statement);
    if (!create) return create.status();
    const std::string& fileName = create->fileName;
    if (fileName.find_first_of(io::kPathSeparators) != std::string::npos) {
        return Status::error(err::kInvalidArgument, "'" + fileName + "' is not a table name");
    }
    // A table of that name in any letter case counts as existing.
    const std::string tableName = fileName.substr(0, fileName.size() - 4);
    Result<std::string> existing = resolveTable(tableName);
    if (existing) {
        return Status::error(err::kFileAlreadyExists, "table " + *existing + " already exists",
                             "таблица " + *existing + " уже существует");
    }
    if (existing.status().number() != err::kTableNotFound) return existing.status();
    // A handle kept from an earlier table of this name (deleted since) must not take rows.
    dropTable(lowerName(tableName));
    if (lastInsertTable && equalsIgnoringAsciiCase(lastInsertName, tableName)) {
        lastInsertTable.reset();
    }
    return createTableFile(folderWithSlash + fileName, create->columns);
}

Connection::Connection() : m_impl(std::make_unique<ConnectionImpl>()) {}
Connection::Connection(Connection&&) noexcept = default;
Connection& Connection::operator=(Connection&& other) noexcept {
    if (this != &other) {
        (void)close();
        m_impl = std::move(other.m_impl);
    }
    return *this;
}
Connection::~Connection() { (void)close(); }

Status Connection::open(const std::string& folder) {
    if (!m_impl) m_impl = std::make_unique<ConnectionImpl>();
    (void)close();
    std::vector<std::string> names;
    if (io::listFolder(folder, names) != 0) {
        if (errno == ENOENT) {
            return Status::error(err::kPathNotFound, "folder " + folder + " not found",
                                 "папка " + folder + " не найдена");
        }
        return fileError(errno, "open the folder", folder);
    }
    m_impl->folder = folder;
    m_impl->folderWithSlash = folder;
    if (folder.empty() || !io::isPathSeparator(folder.back())) {
        m_impl->folderWithSlash += io::kPathSeparator;
    }
    m_impl->open = true;
    return {};
}

bool Connection::isOpen() const { return m_impl && m_impl->open; }

const std::string& Connection::folder() const {
    static const std::string none;
    return m_impl ? m_impl->folder : none;
}

Status Connection::close() {
    if (!m_impl) return {};
    Status first;
    for (auto& [name, table] : m_impl->tables) {
        Status status = table->close();
        if (!status && first) first = status;
    }
    m_impl->tables.clear();
    m_impl->lastInsertTable.reset();
    m_impl->lastStatementWasInsert = false;
    m_impl->open = false;
    m_impl->encodings.clear();
    return first;
}

Status Connection::flush() {
    if (!m_impl) return {};
    m_impl->lastStatementWasInsert = false;
    Status first;
    for (auto& [name, table] : m_impl->tables) {
        Status status = table->flush();
        if (!status && first) first = status;
    }
    return first;
}

Result<RecordSet> Connection::openRecordSet(const std::string& statement, LockType lock) {
    if (!isOpen()) return notOpen();
    ConnectionImpl& impl = *m_impl;
    impl.lastStatementWasInsert = false;
    Result<SelectStatement> select = parseSelect(statement);
    if (!select) return select.status();
    // Rows appended anywhere in the program are on disk before any table is read.
    Status status = flushAllTables();
    if (!status) return status;

    auto state = std::make_unique<RecordSet::State>();
    state->tableName = select->table;
    state->readOnly = lock != LockType::Optimistic;
    std::shared_ptr<TableFile> table;
    if (state->readOnly) {
        Result<std::string> path = impl.resolveTable(select->table);
        if (!path) return path.status();
        Result<std::shared_ptr<TableFile>> opened = TableFile::open(*path, false);
        if (!opened) return opened.status();
        table = *opened;
        table->setTextEncoding(impl.encodingOf(select->table));
    } else {
        Result<std::shared_ptr<TableFile>> opened = impl.writableTable(select->table);
        if (!opened) return opened.status();
        table = *opened;
        state->table = table;
    }
    status = table->readRecords(state->data);
    if (!status) return status;
    state->fields = table->header().fields;
    state->offsets = table->header().offsets;
    state->recordLength = table->header().recordLength;
    state->loadedCount = static_cast<std::uint32_t>(state->data.size() / state->recordLength);

    // WHERE, skipping deleted records.
    const RecordLayout layout = state->layout();
    std::vector<CompiledCondition> conditions;
    for (const Condition& condition : select->where) {
        Result<CompiledCondition> compiled = compileCondition(condition, layout);
        if (!compiled) return compiled.status();
        conditions.push_back(std::move(compiled.value()));
    }
    state->rows.reserve(state->loadedCount);
    for (std::uint32_t slot = 0; slot < state->loadedCount; ++slot) {
        const char* record = state->record(slot);
        if (record[0] == '*') continue;
        bool keep = true;
        for (const CompiledCondition& condition : conditions) {
            if (!matches(condition, layout, record)) {
                keep = false;
                break;
            }
        }
        if (keep) state->rows.push_back(slot);
    }
    status = sortRows(state->rows, state->data, layout, select->orderBy);
    if (!status) return status;

    RecordSet set;
    set.m_state = std::move(state);
    return set;
}

void Connection::setTextEncoding(const std::string& table, TextEncoding encoding) {
    if (!m_impl) return;
    const std::string key = lowerName(withoutExtension(table));
    m_impl->encodings[key] = encoding;
    // A table already open takes it at once.
    auto open = m_impl->tables.find(key);
    if (open != m_impl->tables.end()) open->second->setTextEncoding(encoding);
}

RowAppender::RowAppender() = default;
RowAppender::RowAppender(RowAppender&&) noexcept = default;
RowAppender& RowAppender::operator=(RowAppender&&) noexcept = default;
RowAppender::~RowAppender() = default;

Result<int> RowAppender::column(std::string_view name) const {
    Result<std::vector<std::string>> names = parseColumnList(name);
    if (!names) return names.status();
    if (names->size() != 1) return Status::error(err::kSyntax, "one column name was expected");
    const int index = m_table->fieldIndex(names->front());
    if (index < 0) return itemNotFound(names->front(), m_tableName);
    return index;
}

Status RowAppender::prepare(std::string_view columns, std::string_view values,
                            std::vector<char>& image) const {
    image = m_table->blankRecord();
    if (columns.empty() && values.empty()) return {};
    const std::string statement = "INSERT INTO " + m_tableName + " (" + std::string(columns) +
                                  ") VALUES (" + std::string(values) + ")";
    InsertStatement insert;
    Status status = parseInsert(statement, insert);
    if (!status) return status;
    Result<const TableFile::ColumnMap*> columnMap = columnMapOf(*m_table, insert);
    if (!columnMap) return columnMap.status();
    return encodeValues(*m_table, **columnMap, insert.values, image.data());
}

Status RowAppender::append(const std::vector<char>& image, std::initializer_list<Text> texts) {
    char* record = m_table->beginAppend(image.data());
    const DbfHeader& header = m_table->header();
    for (const Text& text : texts) {
        const auto field = static_cast<std::size_t>(text.column);
        const FieldInfo& info = header.fields[field];
        char* out = record + header.offsets[field];
        std::memset(out, ' ', static_cast<std::size_t>(info.length));
        if (encodeCommonLiteral(info, LiteralKind::Text, text.text, out)) continue;
        Status status = encodeLiteral(info, LiteralKind::Text, text.text, out);
        if (!status) {
            m_table->cancelAppend();
            return status;
        }
    }
    return m_table->commitAppend();
}

bool RowAppender::stillOpen() const { return m_table && m_table->isOpen(); }

Result<RowAppender> Connection::appender(const std::string& table) {
    if (!isOpen()) return notOpen();
    m_impl->lastStatementWasInsert = false;
    Result<std::shared_ptr<TableFile>> opened = m_impl->writableTable(table);
    if (!opened) return opened.status();
    RowAppender appender;
    appender.m_table = *opened;
    appender.m_tableName = table;
    return appender;
}

Status Connection::execute(const std::string& statement) {
    if (!isOpen()) return notOpen();
    switch (statementKind(statement)) {
        case StatementKind::Insert:
            return m_impl->executeInsert(statement);
        case StatementKind::Create:
            m_impl->lastStatementWasInsert = false;
            return m_impl->executeCreate(statement);
        case StatementKind::Select:
            return Status::error(err::kInvalidArgument,
                                 "a SELECT returns rows: open a record set with it");
        case StatementKind::Unknown:
            break;
    }
    return Status::error(err::kSyntax,
                         "statement not understood: '" + statement.substr(0, 200) + "'");
}

}  // namespace tavrolin::store
