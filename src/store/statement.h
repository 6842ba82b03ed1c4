// Parses the statements the store understands (see connection.h for their shapes). Keywords
// are case-insensitive; a column name may stand in square brackets ([VALUE]); text literals are
// in single or double quotes, which are not part of the text and cannot occur inside it.
// Errors are 3134 (syntax) with the place where the statement stopped making sense.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "store/field_codec.h"
#include "store/field_info.h"
#include "store/status.h"

namespace tavrolin::store {

enum class ConditionKind { Equals, IsNull, IsNotNull };

// col = literal, col Is Null, Not col Is Null.
struct Condition {
    std::string column;
    ConditionKind kind = ConditionKind::Equals;
    LiteralKind literalKind = LiteralKind::Null;
    std::string literal;  // UTF-8 text or the number as written
};

struct OrderKey {
    std::string column;
    bool descending = false;
};

struct SelectStatement {
    std::string table;
    std::vector<Condition> where;  // all must hold (AND)
    std::vector<OrderKey> orderBy;
};

struct CreateStatement {
    std::string fileName;  // "polygon.dbf"; ".dbf" added when the statement omits it
    std::vector<FieldInfo> columns;
};

struct Literal {
    LiteralKind kind = LiteralKind::Null;
    std::string_view text;  // a view into the statement
};

// INSERT INTO parts as views into the statement text, so that a million inserts parse without
// allocating. The vectors keep their capacity between statements.
struct InsertStatement {
    std::string_view table;
    std::string_view columnList;  // the text between the parentheses, for caching its meaning
    std::vector<Literal> values;
};

enum class StatementKind { Select, Create, Insert, Unknown };

// The statement's kind by its first word.
StatementKind statementKind(std::string_view statement);

Result<SelectStatement> parseSelect(std::string_view statement);
Result<CreateStatement> parseCreate(std::string_view statement);
// Fills `out` (views into `statement`, which must outlive them).
Status parseInsert(std::string_view statement, InsertStatement& out);
// The column names of an INSERT's column list, brackets removed.
Result<std::vector<std::string>> parseColumnList(std::string_view columnList);
// A Find criterion: "col='text'", "col=\"text\"" or "col=number".
Result<Condition> parseCriterion(std::string_view criterion);

}  // namespace tavrolin::store
