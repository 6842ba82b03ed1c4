#include "source/caseless_list.h"

#include "source/encodings.h"

namespace tavrolin::source {

std::size_t CaselessList::findSlot(std::string_view text, std::uint32_t hash) const {
    std::size_t mask = m_slots.size() - 1;
    std::size_t slot = hash & mask;
    while (m_slots[slot].index != kEmptySlot) {
        const Slot& entry = m_slots[slot];
        if (entry.hash == hash && caselessEqual(m_items[entry.index], text)) return slot;
        slot = (slot + 1) & mask;
    }
    return slot;
}

void CaselessList::grow() {
    std::vector<Slot> old = std::move(m_slots);
    m_slots.assign(old.empty() ? 64 : old.size() * 2, Slot{});
    std::size_t mask = m_slots.size() - 1;
    for (const Slot& entry : old) {
        if (entry.index == kEmptySlot) continue;
        std::size_t slot = entry.hash & mask;
        while (m_slots[slot].index != kEmptySlot) slot = (slot + 1) & mask;
        m_slots[slot] = entry;
    }
}

bool CaselessList::add(std::string_view text) {
    if ((m_items.size() + 1) * 2 > m_slots.size()) grow();
    auto hash = static_cast<std::uint32_t>(caselessHash(text));
    std::size_t slot = findSlot(text, hash);
    if (m_slots[slot].index != kEmptySlot) return false;
    m_slots[slot] = Slot{hash, static_cast<std::uint32_t>(m_items.size())};
    m_items.emplace_back(text);
    return true;
}

bool CaselessList::contains(std::string_view text) const {
    if (m_slots.empty()) return false;
    return m_slots[findSlot(text, static_cast<std::uint32_t>(caselessHash(text)))].index !=
           kEmptySlot;
}

std::vector<std::string> CaselessList::takeItems() {
    std::vector<std::string> items = std::move(m_items);
    m_items.clear();
    m_slots.clear();
    return items;
}

}  // namespace tavrolin::source
