#include "source/caseless_list.h"

#include "source/encodings.h"
#include "store/case_fold.h"

namespace tavrolin::source {

std::size_t CaselessList::findSlot(std::string_view text, std::uint32_t hash) const {
    std::size_t mask = m_slots.size() - 1;
    std::size_t slot = hash & mask;
    while (m_slots[slot].index != kEmptySlot) {
        const Slot& entry = m_slots[slot];
        if (entry.hash == hash && store::equalsIgnoringCase(m_items[entry.index], text))
            return slot;
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

bool CaselessList::addHashed(std::string_view text, std::uint32_t hash) {
    if ((m_items.size() + 1) * 2 > m_slots.size()) grow();
    std::size_t slot = findSlot(text, hash);
    if (m_slots[slot].index != kEmptySlot) return false;
    m_slots[slot] = Slot{hash, static_cast<std::uint32_t>(m_items.size())};
    m_items.emplace_back(text);
    return true;
}

bool CaselessList::add(std::string_view text) {
    settle();
    return addHashed(text, static_cast<std::uint32_t>(caselessHash(text)));
}

void CaselessList::addSoon(std::string_view text) {
    if (m_pending.empty()) m_pending.resize(kQueued);
    if (m_pendingCount == kQueued) {
        // The oldest text, whose slot was asked for kQueued texts ago.
        Pending& oldest = m_pending[m_pendingFirst];
        addHashed(oldest.text, oldest.hash);
        m_pendingFirst = (m_pendingFirst + 1) % kQueued;
        --m_pendingCount;
    }
    const auto hash = static_cast<std::uint32_t>(caselessHash(text));
    if (!m_slots.empty()) __builtin_prefetch(&m_slots[hash & (m_slots.size() - 1)]);
    Pending& next = m_pending[(m_pendingFirst + m_pendingCount) % kQueued];
    next.text.assign(text);
    next.hash = hash;
    ++m_pendingCount;
    // Halfway through the queue the text's slot is at hand: fetch the item it points to, which
    // an equal text is compared with.
    if (m_pendingCount > kQueued / 2 && !m_slots.empty()) {
        const Pending& middle =
            m_pending[(m_pendingFirst + m_pendingCount - 1 - kQueued / 2) % kQueued];
        const Slot& slot = m_slots[middle.hash & (m_slots.size() - 1)];
        if (slot.index != kEmptySlot) __builtin_prefetch(&m_items[slot.index]);
    }
}

void CaselessList::settle() {
    for (; m_pendingCount > 0; --m_pendingCount) {
        const Pending& oldest = m_pending[m_pendingFirst];
        addHashed(oldest.text, oldest.hash);
        m_pendingFirst = (m_pendingFirst + 1) % kQueued;
    }
    m_pendingFirst = 0;
}

bool CaselessList::contains(std::string_view text) const {
    if (m_slots.empty()) return false;
    return m_slots[findSlot(text, static_cast<std::uint32_t>(caselessHash(text)))].index !=
           kEmptySlot;
}

std::vector<std::string> CaselessList::takeItems() {
    settle();
    std::vector<std::string> items = std::move(m_items);
    m_items.clear();
    m_slots.clear();
    return items;
}

}  // namespace tavrolin::source
