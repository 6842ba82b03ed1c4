// An open .dbf file: its header, its records read in one piece, records rewritten in place, and
// appends collected in a buffer and written in large blocks.
//
// Appends never rewrite the header per row. Until flush() the file on disk is still a complete
// table of its old records (the header count is only raised after the new records and the end
// byte are written), so a failure at any point leaves a readable table. flush(), close() and
// the destructor make the file exactly consistent: count, records, end byte 0x1A.
//
// Every TableFile of the process is listed, so that file operations elsewhere can have pending
// appends written and the file released first (flushAllTables, releaseTableFile).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "store/dbf_header.h"
#include "store/file_io.h"
#include "store/status.h"

namespace tavrolin::store {

class TableFile {
   public:
    // Opens an existing table and reads its header. `writable` opens it for reading and
    // writing and also refuses a table whose header counts more records than the file holds
    // (appending there would leave a hole). Errors: 53 missing, 70 locked or read-only,
    // 5 a folder, E_FAIL malformed.
    static Result<std::shared_ptr<TableFile>> open(const std::string& path, bool writable);

    TableFile(const TableFile&) = delete;
    TableFile& operator=(const TableFile&) = delete;
    ~TableFile();  // flushes (errors are lost: call close() to see them)

    const std::string& path() const { return m_path; }
    const DbfHeader& header() const { return m_header; }
    const std::vector<FieldInfo>& fields() const { return m_header.fields; }
    // The encoding of the text of every C field, for reading and writing (code page 1251 until
    // set).
    void setTextEncoding(TextEncoding encoding) {
        for (FieldInfo& field : m_header.fields) field.encoding = encoding;
    }
    bool isOpen() const { return m_fd >= 0; }
    // Records in the table, appends not yet written included.
    std::uint32_t recordCount() const { return m_diskCount + m_pendingCount; }
    // The index of a field by upper-case name, or -1.
    int fieldIndex(std::string_view upperName) const;
    // A live record with every field blank.
    const std::vector<char>& blankRecord() const { return m_blankRecord; }

    // Reads all records into `data` (recordCount() * record length bytes, deleted ones
    // included), after writing pending appends. A read-only table whose header counts more
    // records than the file holds yields the records that are there.
    Status readRecords(std::vector<char>& data);

    // Rewrites record `index` (record length bytes) in place; only the record's bytes change.
    // Rewrites are buffered like appends and reach the file in large blocks (at the latest with
    // flush()); a block that cannot be written stays pending, so that the next flush() reports
    // it again.
    Status writeRecord(std::uint32_t index, const char* record);

    // Appending: beginAppend() returns room for one record, filled with a blank live record
    // (or a copy of `image`, record length bytes); the caller fills it and calls commitAppend()
    // (or cancelAppend() to drop it). The pointer is valid until the next call on this table.
    // commitAppend() may write the buffer out.
    char* beginAppend(const char* image = nullptr);
    void cancelAppend();
    Status commitAppend();

    // Writes pending appends, the end byte and the new record count (again, when an earlier
    // flush wrote the records but failed after them).
    Status flush();
    // Flushes and closes the file. Safe to call twice. Later writes reopen it by path.
    Status close();

    // True when `path` names this table's file (same device and inode).
    bool isSameFile(const io::FileIdentity& identity) const;

    // The meaning of an INSERT column list: the fields it names, in order.
    struct ColumnMap {
        std::string columnList;  // the text between the parentheses
        std::vector<int> indexes;
        bool repeats = false;  // a column named twice: its later value overwrites
    };
    // A column list met before on this table, or null: a million INSERTs resolve their column
    // names once per list even when a few lists take turns (rows of different types name
    // different columns). The list that came last is tried first.
    const ColumnMap* knownColumnMap(std::string_view columnList);
    // Keeps a resolved list; beyond a handful the lists do not repeat their shape and the
    // cache starts over. The reference is valid until the next call.
    const ColumnMap& rememberColumnMap(ColumnMap map);

   private:
    TableFile(std::string path, bool writable);
    Status openFile();
    Status reopenIfClosed();
    Status writeOut();
    Status writeRewrites();

    std::string m_path;
    bool m_writable = false;
    int m_fd = -1;
    io::FileIdentity m_identity;
    DbfHeader m_header;
    std::uint32_t m_diskCount = 0;  // records written to disk
    // Records were written but the end byte or the header's count after them was not: the next
    // flush writes them again.
    bool m_countBehind = false;
    std::uint32_t m_pendingCount = 0;  // records in m_pending
    std::uint64_t m_appendOffset = 0;  // where the next record goes on disk
    std::vector<char> m_pending;       // appended records not yet written
    bool m_appendOpen = false;         // beginAppend() without commit/cancel
    // Records rewritten in place and not yet written: their numbers, and their bytes in the
    // same order (a record rewritten twice is there twice; the later one wins).
    std::vector<std::uint32_t> m_rewriteIndexes;
    std::vector<char> m_rewrites;
    std::vector<char> m_blankRecord;
    std::unordered_map<std::string, int> m_fieldIndex;
    std::vector<ColumnMap> m_columnMaps;
    std::size_t m_lastColumnMap = 0;
};

// Creates a new empty table file. Error 58 when a file of that path exists.
Status createTableFile(const std::string& path, const std::vector<FieldInfo>& fields);

// Writes pending appends of every open table in the process.
Status flushAllTables();

// Writes pending appends of every open table whose file is `path`, and closes it, so that the
// file can be moved, deleted or read byte by byte. Nothing to do when none is open.
Status releaseTableFile(const std::string& path);

}  // namespace tavrolin::store
