#include "store/text_pool.h"

#include <cstring>
#include <new>

namespace tavrolin::store {

namespace {

constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;

std::uint64_t mix(std::uint64_t hash, std::uint64_t chunk) {
    hash = (hash ^ chunk) * kMultiplier;
    return hash ^ (hash >> 29);
}

}  // namespace

std::uint64_t hashBytes(std::string_view bytes) {
    std::uint64_t hash = bytes.size() * kMultiplier;
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    for (; left >= 8; left -= 8, data += 8) {
        std::uint64_t chunk = 0;
        std::memcpy(&chunk, data, 8);
        hash = mix(hash, chunk);
    }
    if (left > 0) {
        std::uint64_t chunk = 0;
        std::memcpy(&chunk, data, left);
        hash = mix(hash, chunk + 1);
    }
    hash ^= hash >> 32;
    hash *= 0xFF51AFD7ED558CCDull;
    return hash ^ (hash >> 33);
}

TextPool::TextPool() { clear(); }

void TextPool::clear() {
    std::vector<char>().swap(m_bytes);
    std::vector<std::uint32_t>(2, 0).swap(m_ends);  // the empty text
    std::vector<Slot>(16).swap(m_slots);
    m_slots[findSlot({}, static_cast<std::uint32_t>(hashBytes({})))] =
        Slot{static_cast<std::uint32_t>(hashBytes({})), kEmpty};
}

std::size_t TextPool::findSlot(std::string_view text, std::uint32_t hash) const {
    const std::size_t mask = m_slots.size() - 1;
    std::size_t slot = hash & mask;
    while (m_slots[slot].id != kNone) {
        const Slot& entry = m_slots[slot];
        if (entry.hash == hash && this->text(entry.id) == text) return slot;
        slot = (slot + 1) & mask;
    }
    return slot;
}

void TextPool::grow() {
    std::vector<Slot> old(m_slots.size() * 2);
    old.swap(m_slots);
    const std::size_t mask = m_slots.size() - 1;
    for (const Slot& entry : old) {
        if (entry.id == kNone) continue;
        std::size_t slot = entry.hash & mask;
        while (m_slots[slot].id != kNone) slot = (slot + 1) & mask;
        m_slots[slot] = entry;
    }
}

TextPool::Id TextPool::intern(std::string_view text) {
    const auto hash = static_cast<std::uint32_t>(hashBytes(text));
    std::size_t slot = findSlot(text, hash);
    if (m_slots[slot].id != kNone) return m_slots[slot].id;
    if (m_bytes.size() + text.size() > 0xFFFFFFFFu || size() >= kNone - 1) {
        throw std::bad_alloc();  // more text than 32-bit positions reach
    }
    const auto id = static_cast<Id>(size());
    m_bytes.insert(m_bytes.end(), text.begin(), text.end());
    m_ends.push_back(static_cast<std::uint32_t>(m_bytes.size()));
    if (size() * 2 > m_slots.size()) {
        grow();
        slot = findSlot(text, hash);
    }
    m_slots[slot] = Slot{hash, id};
    return id;
}

TextPool::Id TextPool::find(std::string_view text) const {
    return m_slots[findSlot(text, static_cast<std::uint32_t>(hashBytes(text)))].id;
}

}  // namespace tavrolin::store
