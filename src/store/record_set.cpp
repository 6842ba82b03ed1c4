// RecordSet: moving over the rows of a SELECT, reading values, changing and appending rows.
#include <algorithm>
#include <cstring>

#include "store/field_codec.h"
#include "store/record_set_state.h"

namespace tavrolin::store {

namespace {

Status noCurrentRecord() {
    return Status::error(err::kNoCurrentRecord,
                         "Either BOF or EOF is True, or the current record has been deleted",
                         "нет текущей записи");
}

Status notOpen() { return Status::error(err::kFail, "the record set is not open"); }

const std::vector<FieldInfo>& noFields() {
    static const std::vector<FieldInfo> none;
    return none;
}

}  // namespace

RecordSet::RecordSet() = default;
RecordSet::RecordSet(RecordSet&&) noexcept = default;
RecordSet& RecordSet::operator=(RecordSet&& other) noexcept {
    if (this != &other) {
        (void)close();
        m_state = std::move(other.m_state);
    }
    return *this;
}
RecordSet::~RecordSet() { (void)close(); }

int RecordSet::recordCount() const { return m_state ? static_cast<int>(m_state->rows.size()) : 0; }

int RecordSet::fieldCount() const { return m_state ? static_cast<int>(m_state->fields.size()) : 0; }

const FieldInfo& RecordSet::field(int index) const {
    static const FieldInfo none;
    if (!m_state || index < 0 || index >= fieldCount()) return none;
    return m_state->fields[static_cast<std::size_t>(index)];
}

const std::vector<FieldInfo>& RecordSet::fields() const {
    return m_state ? m_state->fields : noFields();
}

Result<int> RecordSet::fieldIndex(const std::string& name) const {
    if (!m_state) return notOpen();
    const int index = m_state->layout().find(name);
    if (index < 0) return itemNotFound(name);
    return index;
}

bool RecordSet::bof() const { return !m_state || m_state->rows.empty(); }

bool RecordSet::eof() const {
    return !m_state ||
           (m_state->edit != State::Edit::Adding && m_state->position >= m_state->rows.size());
}

// Moving off a changed row stores it, as the record sets of the old engine did.
Status RecordSet::moveFirst() {
    if (!m_state) return {};
    if (Status stored = update(); !stored) return stored;
    m_state->position = 0;
    return {};
}

Status RecordSet::moveNext() {
    if (!m_state) return {};
    if (Status stored = update(); !stored) return stored;
    if (m_state->position < m_state->rows.size()) ++m_state->position;
    return {};
}

Status RecordSet::find(const std::string& criterion) {
    if (!m_state) return notOpen();
    Result<Condition> condition = parseCriterion(criterion);
    if (!condition) return condition.status();
    const RecordLayout layout = m_state->layout();
    Result<CompiledCondition> compiled = compileCondition(*condition, layout);
    if (!compiled) return compiled.status();
    if (m_state->edit != State::Edit::None) {
        Status status = update();
        if (!status) return status;
    }
    State& state = *m_state;
    while (state.position < state.rows.size() &&
           !matches(*compiled, layout, state.record(state.rows[state.position]))) {
        ++state.position;
    }
    return {};
}

Result<Value> RecordSet::value(const std::string& name) const {
    Result<int> index = fieldIndex(name);
    if (!index) return index.status();
    return value(*index);
}

Result<Value> RecordSet::value(int index) const {
    if (!m_state) return notOpen();
    const State& state = *m_state;
    if (index < 0 || index >= fieldCount()) return itemNotFound(std::to_string(index));
    const char* record = nullptr;
    if (state.edit != State::Edit::None) {
        record = state.editRecord.data();
    } else if (state.position < state.rows.size()) {
        record = state.record(state.rows[state.position]);
    } else {
        return noCurrentRecord();
    }
    const auto i = static_cast<std::size_t>(index);
    return decodeField(state.fields[i],
                       std::string_view(record + state.offsets[i], state.fields[i].length));
}

Status RecordSet::setValue(const std::string& name, const Value& value) {
    if (m_state && m_state->readOnly) return setValue(-1, value);  // the read-only error
    Result<int> index = fieldIndex(name);
    if (!index) return index.status();
    return setValue(*index, value);
}

// Checks that the set may change its current row and starts the change; the field's bytes
// in the row being changed, or the reason why not.
Result<char*> RecordSet::beginChange(int index) {
    if (!m_state) return notOpen();
    State& state = *m_state;
    if (state.readOnly) {
        return Status::error(err::kReadOnly,
                             "Current Recordset does not support updating (opened read-only)");
    }
    if (index < 0 || index >= fieldCount()) return itemNotFound(std::to_string(index));
    if (state.edit == State::Edit::None) {
        if (state.position >= state.rows.size()) return noCurrentRecord();
        const char* record = state.record(state.rows[state.position]);
        state.editRecord.assign(record, record + state.recordLength);
        state.edit = State::Edit::Changing;
    }
    return state.editRecord.data() + state.offsets[static_cast<std::size_t>(index)];
}

Status RecordSet::setValue(int index, const Value& value) {
    Result<char*> target = beginChange(index);
    if (!target) return target.status();
    State& state = *m_state;
    const FieldInfo& field = state.fields[static_cast<std::size_t>(index)];
    // Encode into a scratch copy first: a refused value leaves the row as it was.
    const auto length = static_cast<std::size_t>(field.length);
    if (state.scratch.size() < length) state.scratch.resize(length);
    std::fill_n(state.scratch.begin(), length, ' ');
    Status status = encodeValue(field, value, state.scratch.data());
    if (!status) return status;
    std::memcpy(*target, state.scratch.data(), length);
    return {};
}

Result<RecordSet::EncodedValue> RecordSet::encode(int index, const Value& value) const {
    if (!m_state) return notOpen();
    if (index < 0 || index >= fieldCount()) return itemNotFound(std::to_string(index));
    const FieldInfo& field = m_state->fields[static_cast<std::size_t>(index)];
    EncodedValue encoded{index, std::string(static_cast<std::size_t>(field.length), ' ')};
    Status status = encodeValue(field, value, encoded.bytes.data());
    if (!status) return status;
    return encoded;
}

Status RecordSet::setEncoded(const EncodedValue& value) {
    Result<char*> target = beginChange(value.field);
    if (!target) return target.status();
    const FieldInfo& field = m_state->fields[static_cast<std::size_t>(value.field)];
    if (value.bytes.size() != static_cast<std::size_t>(field.length)) {
        return Status::error(err::kInvalidArgument, "encoded value of " +
                                                        std::to_string(value.bytes.size()) +
                                                        " bytes for field " + field.name + " of " +
                                                        std::to_string(field.length));
    }
    std::memcpy(*target, value.bytes.data(), value.bytes.size());
    return {};
}

Status RecordSet::addNew() {
    if (!m_state) return notOpen();
    State& state = *m_state;
    if (state.readOnly) {
        return Status::error(err::kReadOnly,
                             "Current Recordset does not support updating (opened read-only)");
    }
    if (state.edit != State::Edit::None) {
        Status status = update();
        if (!status) return status;
    }
    state.editRecord = state.table->blankRecord();
    state.edit = State::Edit::Adding;
    return {};
}

Status RecordSet::update() {
    if (!m_state) return notOpen();
    State& state = *m_state;
    if (state.edit == State::Edit::None) return {};
    if (state.readOnly) return Status::error(err::kReadOnly, "the record set is read-only");
    const State::Edit edit = state.edit;
    state.edit = State::Edit::None;

    if (edit == State::Edit::Changing) {
        const std::uint32_t slot = state.rows[state.position];
        Status status = state.table->writeRecord(state.recordNumber(slot), state.editRecord.data());
        if (!status) return status;
        std::memcpy(state.data.data() + static_cast<std::size_t>(slot) * state.recordLength,
                    state.editRecord.data(), state.recordLength);
        return {};
    }

    // Append: to the table (buffered), and to this set as its new current row.
    const std::uint32_t recordNumber = state.table->recordCount();
    char* room = state.table->beginAppend();
    std::memcpy(room, state.editRecord.data(), state.recordLength);
    Status status = state.table->commitAppend();
    if (!status) return status;
    const auto slot = static_cast<std::uint32_t>(state.data.size() / state.recordLength);
    state.data.insert(state.data.end(), state.editRecord.begin(), state.editRecord.end());
    state.appendedRecordNumbers.push_back(recordNumber);
    state.rows.push_back(slot);
    state.position = state.rows.size() - 1;
    return {};
}

void RecordSet::cancelUpdate() {
    if (!m_state) return;
    m_state->edit = State::Edit::None;
}

Status RecordSet::close() {
    if (!m_state) return {};
    Status status;
    if (m_state->edit != State::Edit::None) status = update();
    if (m_state->table) {
        Status flushed = m_state->table->flush();
        if (status) status = flushed;
    }
    m_state.reset();
    return status;
}

}  // namespace tavrolin::store
