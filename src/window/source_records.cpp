#include "window/source_records.h"

#include <stdexcept>
#include <string>

namespace tavrolin {

SourceRecords& SourceRecords::operator=(std::initializer_list<SourceRecord> records) {
    clear();
    for (const SourceRecord& record : records) push_back(record);
    return *this;
}

void SourceRecords::clear() {
    std::vector<Row>().swap(m_rows);
    m_texts.clear();
}

void SourceRecords::assignEmpty(std::size_t count) {
    clear();
    m_rows.resize(count);
}

void SourceRecords::push_back(const SourceRecord& record) {
    m_rows.push_back(Row{intern(record.typeCode), intern(record.label), intern(record.level)});
}

SourceRecord SourceRecords::operator[](std::size_t index) const {
    const Row& r = m_rows[index];
    return {text(r.typeCode), text(r.label), text(r.level)};
}

SourceRecord SourceRecords::at(std::size_t index) const {
    if (index >= m_rows.size()) {
        throw std::out_of_range("source record " + std::to_string(index) + " of " +
                                std::to_string(m_rows.size()));
    }
    return (*this)[index];
}

}  // namespace tavrolin
