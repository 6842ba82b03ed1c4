#include "source/found_lists.h"

#include "store/case_fold.h"
#include "window/main_state.h"

namespace tavrolin::source {

namespace {

std::uint64_t spread(std::uint64_t key) {
    key ^= key >> 31;
    key *= 0x9E3779B97F4A7C15ull;
    return key ^ (key >> 29);
}

}  // namespace

bool FoundLists::PairSet::insert(std::uint64_t key) {
    if ((m_count + 1) * 2 > m_slots.size()) {
        std::vector<std::uint64_t> old(m_slots.size() * 2, kFree);
        old.swap(m_slots);
        const std::size_t mask = m_slots.size() - 1;
        for (std::uint64_t entry : old) {
            if (entry == kFree) continue;
            std::size_t slot = spread(entry) & mask;
            while (m_slots[slot] != kFree) slot = (slot + 1) & mask;
            m_slots[slot] = entry;
        }
    }
    const std::size_t mask = m_slots.size() - 1;
    std::size_t slot = spread(key) & mask;
    while (m_slots[slot] != kFree) {
        if (m_slots[slot] == key) return false;
        slot = (slot + 1) & mask;
    }
    m_slots[slot] = key;
    ++m_count;
    return true;
}

FoundLists::FoundLists(const SourceRecords& records, bool listNames)
    : m_records(records), m_listNames(listNames) {}

FoundLists::Id FoundLists::folded(Id id) {
    if (id >= m_foldedOf.size()) m_foldedOf.resize(m_records.textCount(), store::TextPool::kNone);
    Id& known = m_foldedOf[id];
    if (known == store::TextPool::kNone) {
        known = m_folded.intern(store::foldUtf8(m_records.text(id)));
        if (known >= m_typeListed.size()) m_typeListed.resize(m_folded.size(), false);
    }
    return known;
}

void FoundLists::add(Id typeCode, Id label) {
    if (typeCode == m_lastType && (label == m_lastLabel || !m_listNames)) return;
    const Id foldedType = folded(typeCode);
    if (typeCode != m_lastType && !m_typeListed[foldedType]) {
        m_typeListed[foldedType] = true;
        const std::string_view text = m_records.text(typeCode);
        m_types.emplace_back(text);
        if (m_listNames && !m_byText && text.find('|') != std::string_view::npos) switchToTexts();
    }
    m_lastType = typeCode;
    m_lastLabel = label;
    if (m_listNames) addName(typeCode, label);
}

void FoundLists::addName(Id typeCode, Id label) {
    std::string entry;
    if (m_byText) {
        entry.append(m_records.text(typeCode)).append(kListSeparator).append(m_records.text(label));
        if (m_namesByText.add(entry)) m_namesItems.push_back(std::move(entry));
        return;
    }
    const std::uint64_t key = std::uint64_t{folded(typeCode)} << 32 | folded(label);
    if (!m_names.insert(key)) return;
    entry.append(m_records.text(typeCode)).append(kListSeparator).append(m_records.text(label));
    m_namesItems.push_back(std::move(entry));
}

void FoundLists::switchToTexts() {
    m_byText = true;
    for (const std::string& item : m_namesItems) m_namesByText.add(item);
}

std::vector<std::string> FoundLists::takeNames() { return std::move(m_namesItems); }

}  // namespace tavrolin::source
