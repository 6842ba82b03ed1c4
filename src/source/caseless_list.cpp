#include "source/caseless_list.h"

#include "source/encodings.h"

namespace tavrolin::source {

std::size_t CaselessList::findSlot(std::string_view text, std::uint64_t hash) const {
    std::size_t mask = m_slots.size() - 1;
    std::size_t slot = static_cast<std::size_t>(hash) & mask;
    while (m_slots[slot] != kEmptySlot) {
        std::uint32_t index = m_slots[slot];
        if (m_hashes[index] == hash && caselessEqual(m_items[index], text)) return slot;
        slot = (slot + 1) & mask;
    }
    return slot;
}

void CaselessList::grow() {
    std::size_t capacity = m_slots.empty() ? 64 : m_slots.size() * 2;
    m_slots.assign(capacity, kEmptySlot);
    std::size_t mask = capacity - 1;
    for (std::uint32_t index = 0; index < m_items.size(); ++index) {
        std::size_t slot = static_cast<std::size_t>(m_hashes[index]) & mask;
        while (m_slots[slot] != kEmptySlot) slot = (slot + 1) & mask;
        m_slots[slot] = index;
    }
}

bool CaselessList::add(std::string_view text) {
    if ((m_items.size() + 1) * 2 > m_slots.size()) grow();
    std::uint64_t hash = caselessHash(text);
    std::size_t slot = findSlot(text, hash);
    if (m_slots[slot] != kEmptySlot) return false;
    m_slots[slot] = static_cast<std::uint32_t>(m_items.size());
    m_items.emplace_back(text);
    m_hashes.push_back(hash);
    return true;
}

bool CaselessList::contains(std::string_view text) const {
    if (m_slots.empty()) return false;
    return m_slots[findSlot(text, caselessHash(text))] != kEmptySlot;
}

std::vector<std::string> CaselessList::takeItems() {
    std::vector<std::string> items = std::move(m_items);
    m_items.clear();
    m_hashes.clear();
    m_slots.clear();
    return items;
}

}  // namespace tavrolin::source
