// The table store: a folder connection on which SELECT statements open record sets and
// CREATE TABLE / INSERT INTO statements run as commands. Built directly on the dBASE IV file
// format; text is UTF-8 in memory and code page 1251 on disk, unless a table is declared to
// hold UTF-8 (setTextEncoding).
//
// Statement shapes understood (T a table, n an integer, c a text):
//   SELECT * FROM T [WHERE cond [AND cond]...] [ORDER BY col [DESC][, col [DESC]]...]
//     cond: col=n | col='c' | col="c" | col Is Null | Not col Is Null   ([col] is col)
//   CREATE TABLE T.dbf (col char(n), col numeric(p,s), ...)[;]
//   INSERT INTO T (col, ...) VALUES (value, ...)   value: number | 'text' | "text" | Null
//
// Appends (INSERT INTO, AddNew/Update) are buffered per table and written in large blocks. The
// files are exactly consistent (record count, end byte 0x1A) after flush(), close(), the
// destructor, RecordSet::close(), and before any record set is read. Before touching a table
// file by other means (reading its bytes, moving, deleting), call flush() - or use
// store::moveFile / store::deleteFile (common_services.h), which write a table's pending rows
// and release it first.
//
// Errors: 3011 no such table (no "<T>.dbf" in the folder in any letter case), 3134 syntax,
// 3265 unknown column, 3021 no current row, 3027 change on a read-only set, 6 a number too wide
// for its field, 13 a value of the wrong kind, 58 CREATE TABLE over an existing table, 53/70/61
// file not found / not allowed / disk full, E_FAIL a malformed table file.
#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "store/field_info.h"
#include "store/status.h"
#include "store/value.h"

namespace tavrolin::store {

enum class LockType : std::uint8_t { ReadOnly = 1, Optimistic = 3 };

class TableFile;  // an open .dbf file (defined in the store's sources)
class ConnectionImpl;

class RecordSet {
   public:
    RecordSet();
    RecordSet(RecordSet&&) noexcept;
    RecordSet& operator=(RecordSet&&) noexcept;
    ~RecordSet();

    int recordCount() const;
    int fieldCount() const;
    const FieldInfo& field(int index) const;
    const std::vector<FieldInfo>& fields() const;
    // The index of a field by name (any letter case); error 3265 when there is none.
    Result<int> fieldIndex(const std::string& name) const;

    bool bof() const;
    bool eof() const;
    // Moving off a changed row stores it first. When that fails the row's changes are dropped,
    // the position stays and the failure is returned.
    Status moveFirst();
    Status moveNext();
    // Criterion "MP_TYPE='code'": from the current row forward to the first row whose MP_TYPE
    // equals the code (trailing blanks cut, letter case ignored); EOF when none does.
    Status find(const std::string& criterion);

    // Values of the current row. Error 3021 when BOF or EOF, 3265 for an unknown name.
    Result<Value> value(const std::string& name) const;
    Result<Value> value(int index) const;

    // Changes need a set opened with LockType::Optimistic (else error 3027).
    Status setValue(const std::string& name, const Value& value);
    Status setValue(int index, const Value& value);
    // A value encoded once for field `index`, to be set on many rows with setEncoded(): a pass
    // that writes the same few values into a million rows encodes each of them once.
    struct EncodedValue {
        int field = -1;
        std::string bytes;
    };
    Result<EncodedValue> encode(int index, const Value& value) const;
    Status setEncoded(const EncodedValue& value);
    // Drops the changes made to the current row (or the row begun with addNew) since the last
    // update().
    void cancelUpdate();
    Status addNew();
    // Writes the current row in place, or appends the row begun with addNew.
    Status update();
    // Ends the set: a row still being edited is written first, then the table is flushed. The
    // failure of either is returned. Moving another set over this one and destroying it close it
    // too, without a result: close explicitly where a pending change must not be lost quietly.
    Status close();

   private:
    friend class Connection;
    struct State;
    Result<char*> beginChange(int index);
    std::unique_ptr<State> m_state;
};

// Rows appended to one table with their values already apart, for a writer of many rows whose
// attribute part repeats (the conversion by types). The table is resolved once. A prepared image
// is a record holding the values of an INSERT's column and value lists; each row is an image
// with a few texts written into their columns. Every value goes through the encoding INSERT INTO
// uses, so the bytes stored are those of the matching statements.
class RowAppender {
   public:
    RowAppender();
    RowAppender(RowAppender&&) noexcept;
    RowAppender& operator=(RowAppender&&) noexcept;
    ~RowAppender();

    // The field index of a column (any letter case, [brackets] allowed). Error 3265 when the
    // table has none.
    Result<int> column(std::string_view name) const;
    // Fills `image` with one record holding the values that
    // "INSERT INTO T (columns) VALUES (values)" stores, the other fields blank: the same
    // parsing, the same errors. Empty lists give a blank record.
    Status prepare(std::string_view columns, std::string_view values,
                   std::vector<char>& image) const;

    // A text for a column, stored as the same text quoted in a statement would be.
    struct Text {
        int column = 0;
        std::string_view text;
    };
    // Appends the image with the texts written into their columns (a later text for a column
    // wins). On error nothing is appended.
    Status append(const std::vector<char>& image, std::initializer_list<Text> texts);
    // False when the table was closed since the appender was made (released for a move or a
    // delete, or the connection closed): rows appended now would go to another file.
    bool stillOpen() const;

   private:
    friend class Connection;
    std::shared_ptr<TableFile> m_table;
    std::string m_tableName;
};

class Connection {
   public:
    Connection();
    Connection(Connection&&) noexcept;
    Connection& operator=(Connection&&) noexcept;
    ~Connection();  // closes

    // Opens the connection on a folder. Error when the folder cannot be read.
    Status open(const std::string& folder);
    bool isOpen() const;
    const std::string& folder() const;
    // Flushes pending appends and releases every table. Safe to call twice.
    Status close();

    Result<RecordSet> openRecordSet(const std::string& statement,
                                    LockType lock = LockType::ReadOnly);
    // CREATE TABLE or INSERT INTO.
    Status execute(const std::string& statement);
    // An appender on a table of the folder, opened for writing as INSERT INTO opens it.
    Result<RowAppender> appender(const std::string& table);

    // Declares the encoding of the text of a table of this connection (by name, any letter
    // case, without ".dbf"), for every later statement and record set on it until the
    // connection closes. Tables not declared are code page 1251.
    void setTextEncoding(const std::string& table, TextEncoding encoding);

    // Writes out pending appends of every table (header record count and end byte), so that
    // the files are complete on disk. Record sets and close() call it as needed.
    Status flush();

   private:
    std::unique_ptr<ConnectionImpl> m_impl;
};

}  // namespace tavrolin::store
