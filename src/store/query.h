// Filtering and ordering of records by the WHERE and ORDER BY parts of a statement, working on
// the records' bytes.
//
// Equality on text ignores trailing blanks and letter case (cp1251 letters, Cyrillic included);
// on numbers it compares values. A null field equals nothing. Ordering: ascending unless DESC;
// nulls before all other values ascending and after them with DESC; text by its cp1251 byte
// values; ties keep file order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "store/field_info.h"
#include "store/statement.h"
#include "store/status.h"

namespace tavrolin::store {

// The fields of a table and where they lie in a record.
struct RecordLayout {
    const std::vector<FieldInfo>* fields = nullptr;
    const std::vector<std::uint32_t>* offsets = nullptr;
    std::uint32_t recordLength = 0;

    // The index of a field by name, ignoring letter case; -1 when there is none.
    int find(const std::string& name) const;
};

// A condition resolved against a layout.
struct CompiledCondition {
    int field = -1;
    ConditionKind kind = ConditionKind::Equals;
    bool numeric = false;  // compare numbers, else text
    double number = 0;
    std::string text;  // cp1251, trailing blanks cut
};

// Error 3265: the column `name` (of `table`, when given) is not there.
Status itemNotFound(const std::string& name, const std::string& table = {});

// Errors: 3265 an unknown column; 13 a text that is not a number against a numeric column.
Result<CompiledCondition> compileCondition(const Condition& condition, const RecordLayout& layout);

bool matches(const CompiledCondition& condition, const RecordLayout& layout, const char* record);

// Sorts `rows` (record indexes into `data`, in file order) by the keys. Error 3265 for an
// unknown column.
Status sortRows(std::vector<std::uint32_t>& rows, const std::vector<char>& data,
                const RecordLayout& layout, const std::vector<OrderKey>& keys);

}  // namespace tavrolin::store
