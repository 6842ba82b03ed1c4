// WHERE and ORDER BY on record bytes.
#include "store/query.h"

#include <algorithm>
#include <string_view>

#include "store/case_fold.h"
#include "store/codepage.h"
#include "store/field_codec.h"

namespace tavrolin::store {

namespace {

std::string_view fieldBytes(const RecordLayout& layout, const char* record, int field) {
    return {record + (*layout.offsets)[field],
            static_cast<std::size_t>((*layout.fields)[field].length)};
}

std::string_view trimTrailing(std::string_view text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\0')) text.remove_suffix(1);
    return text;
}

bool isNumberField(char type) { return type == 'N' || type == 'F'; }

// A sort key of one field of one record. Text orders as the comparisons of WHERE and Find
// match it: by its code page 1251 bytes after case folding ("0X28" and "0x28" are one key, and
// the sort keeps their file order).
struct Key {
    bool null = true;
    double number = 0;
    std::uint64_t prefix = 0;  // the first 8 folded bytes, big-endian: most comparisons end here
    std::string_view text;
};

std::uint64_t prefixOf(std::string_view text) {
    std::uint64_t prefix = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        prefix =
            (prefix << 8) | (i < text.size() ? foldCp1251(static_cast<std::uint8_t>(text[i])) : 0);
    }
    return prefix;
}

// Compares two texts by their folded bytes: negative, 0 or positive.
int compareFolded(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const int x = foldCp1251(static_cast<std::uint8_t>(a[i]));
        const int y = foldCp1251(static_cast<std::uint8_t>(b[i]));
        if (x != y) return x - y;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

Key keyOf(const FieldInfo& field, std::string_view bytes) {
    Key key;
    if (isNumberField(field.type)) {
        key.null = !decodeNumber(bytes, key.number);
    } else if (field.type == 'L') {
        const Value value = decodeField(field, bytes);
        key.null = value.isNull();
        key.number = value.asLogical() ? 1 : 0;
    } else if (field.type == 'D') {
        key.null = decodeField(field, bytes).isNull();
        key.text = bytes.substr(0, 8);
    } else {
        key.text = trimTrailing(bytes);
        key.null = key.text.empty();
    }
    key.prefix = prefixOf(key.text);
    return key;
}

}  // namespace

Status itemNotFound(const std::string& name, const std::string& table) {
    const std::string where = table.empty() ? "" : " (table " + table + ")";
    return Status::error(err::kItemNotFound,
                         "Item cannot be found in the collection corresponding to the requested "
                         "name or ordinal: " +
                             name + where,
                         (table.empty() ? "" : "в таблице " + table + " ") + "нет столбца " + name);
}

int RecordLayout::find(const std::string& name) const {
    auto upper = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; };
    for (std::size_t i = 0; i < fields->size(); ++i) {
        const std::string& candidate = (*fields)[i].name;
        if (candidate.size() == name.size() &&
            std::equal(candidate.begin(), candidate.end(), name.begin(),
                       [&](char a, char b) { return upper(a) == upper(b); })) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

Result<CompiledCondition> compileCondition(const Condition& condition, const RecordLayout& layout) {
    CompiledCondition out;
    out.field = layout.find(condition.column);
    if (out.field < 0) return itemNotFound(condition.column);
    out.kind = condition.kind;
    if (condition.kind != ConditionKind::Equals) return out;
    const FieldInfo& field = (*layout.fields)[out.field];
    if (isNumberField(field.type)) {
        out.numeric = true;
        std::string_view literal = condition.literal;
        if (condition.literalKind == LiteralKind::Null || !decodeNumber(literal, out.number) ||
            literal.find_first_not_of(" 0123456789.-+eE") != std::string_view::npos) {
            return Status::error(
                err::kTypeMismatch,
                "'" + condition.literal + "' is not a number for column " + field.name);
        }
        return out;
    }
    out.text = encodeCp1251(condition.literal);
    out.text.resize(trimTrailing(out.text).size());
    return out;
}

bool matches(const CompiledCondition& condition, const RecordLayout& layout, const char* record) {
    const FieldInfo& field = (*layout.fields)[condition.field];
    const std::string_view bytes = fieldBytes(layout, record, condition.field);
    switch (condition.kind) {
        case ConditionKind::IsNull:
            return decodeField(field, bytes).isNull();
        case ConditionKind::IsNotNull:
            return !decodeField(field, bytes).isNull();
        case ConditionKind::Equals:
            break;
    }
    if (condition.numeric) {
        double number = 0;
        return decodeNumber(bytes, number) && number == condition.number;
    }
    if (field.type == 'C') {
        const std::string_view text = trimTrailing(bytes);
        return !text.empty() && equalsIgnoringCaseCp1251(text, condition.text);
    }
    // Dates, logicals and other types compare by their text form.
    const Value value = decodeField(field, bytes);
    return !value.isNull() &&
           equalsIgnoringCaseCp1251(encodeCp1251(value.toText()), condition.text);
}

Status sortRows(std::vector<std::uint32_t>& rows, const std::vector<char>& data,
                const RecordLayout& layout, const std::vector<OrderKey>& keys) {
    if (keys.empty() || rows.empty()) return {};
    const std::size_t keyCount = keys.size();
    std::vector<char> descending(keyCount);
    std::vector<char> numeric(keyCount);
    // keyTable[row position * keyCount + k]: computed once, not per comparison.
    std::vector<Key> keyTable(rows.size() * keyCount);
    for (std::size_t k = 0; k < keyCount; ++k) {
        const int field = layout.find(keys[k].column);
        if (field < 0) return itemNotFound(keys[k].column);
        const FieldInfo& info = (*layout.fields)[field];
        descending[k] = keys[k].descending;
        numeric[k] = isNumberField(info.type) || info.type == 'L';
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const char* record =
                data.data() + static_cast<std::size_t>(rows[r]) * layout.recordLength;
            keyTable[r * keyCount + k] = keyOf(info, fieldBytes(layout, record, field));
        }
    }
    std::vector<std::uint32_t> order(rows.size());
    for (std::uint32_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        for (std::size_t k = 0; k < keyCount; ++k) {
            const Key& x = keyTable[a * keyCount + k];
            const Key& y = keyTable[b * keyCount + k];
            if (x.null != y.null) return descending[k] ? y.null : x.null;  // nulls first asc
            if (x.null) continue;
            int c = 0;
            if (numeric[k]) {
                c = x.number < y.number ? -1 : (y.number < x.number ? 1 : 0);
            } else {
                if (x.prefix != y.prefix) {
                    c = x.prefix < y.prefix ? -1 : 1;
                } else if (x.text.size() > 8 || y.text.size() > 8) {
                    const int t = compareFolded(x.text, y.text);
                    c = t < 0 ? -1 : (t > 0 ? 1 : 0);
                }
            }
            if (c != 0) return descending[k] ? c > 0 : c < 0;
        }
        return false;
    });
    std::vector<std::uint32_t> sorted(rows.size());
    for (std::size_t i = 0; i < order.size(); ++i) sorted[i] = rows[order[i]];
    rows.swap(sorted);
    return {};
}

}  // namespace tavrolin::store
