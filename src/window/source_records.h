// The source record list: per record of the source table its type code, label and level, as
// numbers of texts kept once in a pool. A million records that share a few hundred texts take
// twelve bytes each.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "store/text_pool.h"

namespace tavrolin {

// One row of the list, as texts (views into the list, valid until it next changes).
struct SourceRecord {
    std::string_view typeCode;  // lower case, as in the source
    std::string_view label;     // UTF-8
    std::string_view level;     // empty for level 0 or none
};

class SourceRecords {
   public:
    using Id = store::TextPool::Id;
    // A row as text numbers; TextPool::kEmpty for an empty text.
    struct Row {
        Id typeCode = store::TextPool::kEmpty;
        Id label = store::TextPool::kEmpty;
        Id level = store::TextPool::kEmpty;
    };

    SourceRecords() = default;
    SourceRecords(std::initializer_list<SourceRecord> records) { *this = records; }
    SourceRecords& operator=(std::initializer_list<SourceRecord> records);

    std::size_t size() const { return m_rows.size(); }
    bool empty() const { return m_rows.empty(); }
    // Every row gone and the memory given back.
    void clear();
    // `count` empty rows (a deleted record keeps its empty row).
    void assignEmpty(std::size_t count);
    void push_back(const SourceRecord& record);

    // The number of a text, adding it to the pool when new (not a view into this list).
    Id intern(std::string_view text) { return m_texts.intern(text); }
    std::string_view text(Id id) const { return m_texts.text(id); }
    // Distinct texts so far, the empty one included; ids are below this.
    std::size_t textCount() const { return m_texts.size(); }

    const Row& row(std::size_t index) const { return m_rows[index]; }
    Row& row(std::size_t index) { return m_rows[index]; }
    SourceRecord operator[](std::size_t index) const;
    // As [], with a bounds check (std::out_of_range).
    SourceRecord at(std::size_t index) const;

   private:
    store::TextPool m_texts;
    std::vector<Row> m_rows;
};

}  // namespace tavrolin
