// A hand-written scanner for the store's statements; no regular expressions, so that the
// INSERT path stays fast.
#include "store/statement.h"

#include <bit>
#include <cstdint>
#include <cstring>

#include "store/dbf_format.h"

namespace tavrolin::store {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool isNameChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
           static_cast<unsigned char>(c) >= 0x80;
}

// Characters that end an unbracketed table name besides blanks.
bool isTableNameStop(char c) {
    switch (c) {
        case '(':
        case ')':
        case ',':
        case ';':
        case '=':
        case '[':
        case ']':
        case '\'':
        case '"':
            return true;
        default:
            return false;
    }
}

// The position of the first `quote` at or after `from`, or npos. Texts in a statement are
// searched eight bytes at a time: a million INSERTs carry a lot of text.
std::size_t findQuote(std::string_view text, std::size_t from, char quote) {
    if constexpr (std::endian::native == std::endian::little) {
        constexpr std::uint64_t kOnes = 0x0101010101010101ull;
        constexpr std::uint64_t kHighs = 0x8080808080808080ull;
        const std::uint64_t pattern = kOnes * static_cast<unsigned char>(quote);
        while (from + 8 <= text.size()) {
            std::uint64_t word;
            std::memcpy(&word, text.data() + from, 8);
            const std::uint64_t x = word ^ pattern;  // a zero byte where the quote is
            // The lowest marked byte is the first zero byte (marks above it may be false).
            const std::uint64_t zero = (x - kOnes) & ~x & kHighs;
            if (zero != 0) return from + static_cast<std::size_t>(std::countr_zero(zero) / 8);
            from += 8;
        }
    }
    while (from < text.size() && text[from] != quote) ++from;
    return from < text.size() ? from : std::string_view::npos;
}

char upperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

std::string upperName(std::string_view name) {
    std::string out(name);
    for (char& c : out) c = upperAscii(c);
    return out;
}

class Scanner {
   public:
    explicit Scanner(std::string_view text) : m_text(text) {}

    std::size_t position() const { return m_pos; }
    void seek(std::size_t position) { m_pos = position; }
    void skipBlanks() {
        while (m_pos < m_text.size() && isBlank(m_text[m_pos])) ++m_pos;
    }
    bool atEnd() {
        skipBlanks();
        return m_pos >= m_text.size();
    }
    // The statement ends here, allowing one ";".
    bool atStatementEnd() {
        if (accept(';')) return atEnd();
        return atEnd();
    }
    bool accept(char c) {
        skipBlanks();
        if (m_pos < m_text.size() && m_text[m_pos] == c) {
            ++m_pos;
            return true;
        }
        return false;
    }
    // A keyword, ignoring case, followed by something that cannot continue a name.
    bool acceptKeyword(std::string_view word) {
        skipBlanks();
        if (m_text.size() - m_pos < word.size()) return false;
        for (std::size_t i = 0; i < word.size(); ++i) {
            if (upperAscii(m_text[m_pos + i]) != word[i]) return false;
        }
        const std::size_t end = m_pos + word.size();
        if (end < m_text.size() && isNameChar(m_text[end])) return false;
        m_pos = end;
        return true;
    }
    // A column name: letters, digits, '_' or any text in square brackets. Empty when none.
    std::string_view name() {
        skipBlanks();
        if (m_pos < m_text.size() && m_text[m_pos] == '[') {
            const std::size_t close = m_text.find(']', m_pos + 1);
            if (close == std::string_view::npos) return {};
            std::string_view inner = m_text.substr(m_pos + 1, close - m_pos - 1);
            m_pos = close + 1;
            return inner;
        }
        const std::size_t start = m_pos;
        while (m_pos < m_text.size() && isNameChar(m_text[m_pos])) ++m_pos;
        return m_text.substr(start, m_pos - start);
    }
    // A table name: a bracketed name, or everything up to a blank or punctuation.
    std::string_view tableName() {
        skipBlanks();
        if (m_pos < m_text.size() && m_text[m_pos] == '[') return name();
        const std::size_t start = m_pos;
        while (m_pos < m_text.size() && !isBlank(m_text[m_pos]) &&
               !isTableNameStop(m_text[m_pos])) {
            ++m_pos;
        }
        return m_text.substr(start, m_pos - start);
    }
    // A literal: 'text', "text", Null or a number. False when none stands here.
    bool literal(Literal& out) {
        skipBlanks();
        if (m_pos >= m_text.size()) return false;
        const char c = m_text[m_pos];
        if (c == '\'' || c == '"') {
            const std::size_t close = findQuote(m_text, m_pos + 1, c);
            if (close == std::string_view::npos) return false;
            out.kind = LiteralKind::Text;
            out.text = m_text.substr(m_pos + 1, close - m_pos - 1);
            m_pos = close + 1;
            return true;
        }
        if ((c == 'N' || c == 'n') && acceptKeyword("NULL")) {
            out.kind = LiteralKind::Null;
            out.text = {};
            return true;
        }
        const std::size_t start = m_pos;
        if (m_pos < m_text.size() && (m_text[m_pos] == '-' || m_text[m_pos] == '+')) ++m_pos;
        bool digits = false;
        while (m_pos < m_text.size()) {
            const char d = m_text[m_pos];
            if (d >= '0' && d <= '9') {
                digits = true;
            } else if (d != '.' && d != 'e' && d != 'E' &&
                       !((d == '-' || d == '+') &&
                         (m_text[m_pos - 1] == 'e' || m_text[m_pos - 1] == 'E'))) {
                break;
            }
            ++m_pos;
        }
        if (!digits) {
            m_pos = start;
            return false;
        }
        out.kind = LiteralKind::Number;
        out.text = m_text.substr(start, m_pos - start);
        return true;
    }
    bool integer(int& out) {
        skipBlanks();
        const std::size_t start = m_pos;
        long long value = 0;
        while (m_pos < m_text.size() && m_text[m_pos] >= '0' && m_text[m_pos] <= '9') {
            value = value * 10 + (m_text[m_pos] - '0');
            if (value > 1000000) return false;
            ++m_pos;
        }
        out = static_cast<int>(value);
        return m_pos > start;
    }

    Status syntaxError(std::string_view what) const {
        std::string near(m_text.substr(m_pos, 30));
        return Status::error(err::kSyntax,
                             "syntax error: " + std::string(what) +
                                 (near.empty() ? " at the end" : " near '" + near + "'") + " in '" +
                                 std::string(m_text.substr(0, 200)) + "'");
    }

   private:
    std::string_view m_text;
    std::size_t m_pos = 0;
};

// One WHERE condition.
Status parseCondition(Scanner& scanner, Condition& out) {
    bool negated = scanner.acceptKeyword("NOT");
    std::string_view column = scanner.name();
    if (column.empty()) return scanner.syntaxError("a column name was expected");
    out.column = upperName(column);
    if (scanner.acceptKeyword("IS")) {
        if (scanner.acceptKeyword("NOT")) negated = !negated;
        if (!scanner.acceptKeyword("NULL")) return scanner.syntaxError("Null was expected");
        out.kind = negated ? ConditionKind::IsNotNull : ConditionKind::IsNull;
        return {};
    }
    if (negated) return scanner.syntaxError("Is Null was expected after Not");
    if (!scanner.accept('=')) return scanner.syntaxError("'=' was expected");
    Literal literal;
    if (!scanner.literal(literal)) return scanner.syntaxError("a value was expected");
    out.kind = ConditionKind::Equals;
    out.literalKind = literal.kind;
    out.literal = std::string(literal.text);
    return {};
}

}  // namespace

StatementKind statementKind(std::string_view statement) {
    Scanner scanner(statement);
    if (scanner.acceptKeyword("INSERT")) return StatementKind::Insert;
    if (scanner.acceptKeyword("SELECT")) return StatementKind::Select;
    if (scanner.acceptKeyword("CREATE")) return StatementKind::Create;
    return StatementKind::Unknown;
}

Result<SelectStatement> parseSelect(std::string_view statement) {
    Scanner scanner(statement);
    SelectStatement out;
    if (!scanner.acceptKeyword("SELECT")) return scanner.syntaxError("SELECT was expected");
    if (!scanner.accept('*')) return scanner.syntaxError("'*' was expected");
    if (!scanner.acceptKeyword("FROM")) return scanner.syntaxError("FROM was expected");
    out.table = std::string(scanner.tableName());
    if (out.table.empty()) return scanner.syntaxError("a table name was expected");
    if (scanner.acceptKeyword("WHERE")) {
        do {
            Condition condition;
            Status status = parseCondition(scanner, condition);
            if (!status) return status;
            out.where.push_back(std::move(condition));
        } while (scanner.acceptKeyword("AND"));
    }
    if (scanner.acceptKeyword("ORDER")) {
        if (!scanner.acceptKeyword("BY")) return scanner.syntaxError("BY was expected");
        do {
            std::string_view column = scanner.name();
            if (column.empty()) return scanner.syntaxError("a column name was expected");
            OrderKey key{upperName(column), false};
            if (scanner.acceptKeyword("DESC")) {
                key.descending = true;
            } else {
                (void)scanner.acceptKeyword("ASC");
            }
            out.orderBy.push_back(std::move(key));
        } while (scanner.accept(','));
    }
    if (!scanner.atStatementEnd()) return scanner.syntaxError("the statement should end");
    return out;
}

Result<CreateStatement> parseCreate(std::string_view statement) {
    Scanner scanner(statement);
    CreateStatement out;
    if (!scanner.acceptKeyword("CREATE") || !scanner.acceptKeyword("TABLE")) {
        return scanner.syntaxError("CREATE TABLE was expected");
    }
    out.fileName = std::string(scanner.tableName());
    if (out.fileName.empty()) return scanner.syntaxError("a table name was expected");
    const bool hasExtension = out.fileName.size() > 4 &&
                              upperName(out.fileName.substr(out.fileName.size() - 4)) == ".DBF";
    if (!hasExtension) out.fileName += ".dbf";
    if (!scanner.accept('(')) return scanner.syntaxError("'(' was expected");
    do {
        std::string_view column = scanner.name();
        if (column.empty()) return scanner.syntaxError("a column name was expected");
        FieldInfo field;
        field.name = upperName(column);
        if (field.name.size() > kMaxFieldNameLength) {
            return Status::error(err::kInvalidArgument,
                                 "column name " + field.name + " is longer than 10 characters");
        }
        for (const FieldInfo& other : out.columns) {
            if (other.name == field.name) {
                return Status::error(err::kInvalidArgument,
                                     "column " + field.name + " is defined twice");
            }
        }
        if (scanner.acceptKeyword("CHAR")) {
            field.type = 'C';
            if (!scanner.accept('(') || !scanner.integer(field.length) || !scanner.accept(')')) {
                return scanner.syntaxError("char(n) was expected");
            }
            if (field.length < 1 || field.length > 65534) {
                return Status::error(err::kInvalidArgument, "column " + field.name + ": width " +
                                                                std::to_string(field.length) +
                                                                " is not 1 to 65534");
            }
        } else if (scanner.acceptKeyword("NUMERIC")) {
            field.type = 'N';
            if (!scanner.accept('(') || !scanner.integer(field.length)) {
                return scanner.syntaxError("numeric(p,s) was expected");
            }
            if (scanner.accept(',') && !scanner.integer(field.decimals)) {
                return scanner.syntaxError("numeric(p,s) was expected");
            }
            if (!scanner.accept(')')) return scanner.syntaxError("')' was expected");
            if (field.length < 1 || field.length > 255 || field.decimals >= field.length) {
                return Status::error(err::kInvalidArgument, "column " + field.name + ": numeric(" +
                                                                std::to_string(field.length) + "," +
                                                                std::to_string(field.decimals) +
                                                                ") is not a valid size");
            }
        } else {
            return scanner.syntaxError("char(n) or numeric(p,s) was expected");
        }
        out.columns.push_back(std::move(field));
    } while (scanner.accept(','));
    if (!scanner.accept(')')) return scanner.syntaxError("')' was expected");
    if (!scanner.atStatementEnd()) return scanner.syntaxError("the statement should end");

    std::size_t recordLength = 1;
    for (const FieldInfo& field : out.columns) recordLength += field.length;
    if (recordLength > kMaxRecordLength ||
        kFileHeaderSize * (out.columns.size() + 1) + 1 > kMaxHeaderLength) {
        return Status::error(err::kInvalidArgument, "the columns do not fit one dBASE record");
    }
    return out;
}

Status parseInsert(std::string_view statement, InsertStatement& out) {
    Scanner scanner(statement);
    out.values.clear();
    if (!scanner.acceptKeyword("INSERT") || !scanner.acceptKeyword("INTO")) {
        return scanner.syntaxError("INSERT INTO was expected");
    }
    out.table = scanner.tableName();
    if (out.table.empty()) return scanner.syntaxError("a table name was expected");
    if (!scanner.accept('(')) return scanner.syntaxError("'(' was expected");
    // The column list runs to the first ')': names cannot hold one, even in brackets.
    const std::size_t listStart = scanner.position();
    const std::size_t listEnd = statement.find(')', listStart);
    if (listEnd == std::string_view::npos) return scanner.syntaxError("')' was expected");
    out.columnList = statement.substr(listStart, listEnd - listStart);
    scanner.seek(listEnd + 1);
    if (!scanner.acceptKeyword("VALUES")) return scanner.syntaxError("VALUES was expected");
    if (!scanner.accept('(')) return scanner.syntaxError("'(' was expected");
    do {
        Literal literal;
        if (!scanner.literal(literal)) return scanner.syntaxError("a value was expected");
        out.values.push_back(literal);
    } while (scanner.accept(','));
    if (!scanner.accept(')')) return scanner.syntaxError("')' was expected");
    if (!scanner.atStatementEnd()) return scanner.syntaxError("the statement should end");
    return {};
}

Result<std::vector<std::string>> parseColumnList(std::string_view columnList) {
    Scanner scanner(columnList);
    std::vector<std::string> names;
    do {
        std::string_view column = scanner.name();
        if (column.empty()) return scanner.syntaxError("a column name was expected");
        names.push_back(upperName(column));
    } while (scanner.accept(','));
    if (!scanner.atEnd()) return scanner.syntaxError("',' was expected");
    return names;
}

Result<Condition> parseCriterion(std::string_view criterion) {
    Scanner scanner(criterion);
    Condition condition;
    Status status = parseCondition(scanner, condition);
    if (!status) return status;
    if (condition.kind != ConditionKind::Equals) return scanner.syntaxError("'=' was expected");
    if (!scanner.atEnd()) return scanner.syntaxError("the criterion should end");
    return condition;
}

}  // namespace tavrolin::store
