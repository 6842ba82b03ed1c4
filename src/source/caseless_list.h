// The items of a found list (GM, GM_TYPE) while a source is read: each text is kept once, the
// first of every group of texts that are equal ignoring letter case, in the order they were
// first met. A hash index beside the items keeps adding constant time, so a map with hundreds
// of thousands of distinct labels is listed in one pass.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavrolin::source {

class CaselessList {
   public:
    // Adds the text unless an equal one (ignoring case) is already there. True when added.
    bool add(std::string_view text);
    // The same for a long run of texts: the text is queued and its place in the index fetched
    // from memory ahead of time, while earlier texts are added. Texts are added in the order
    // given; items(), size(), contains() and empty() see queued texts after settle().
    void addSoon(std::string_view text);
    // Adds the queued texts.
    void settle();
    bool contains(std::string_view text) const;
    std::size_t size() const { return m_items.size(); }
    bool empty() const { return m_items.empty(); }
    const std::vector<std::string>& items() const { return m_items; }
    // Hands the items over and leaves the list empty.
    std::vector<std::string> takeItems();

   private:
    static constexpr std::uint32_t kEmptySlot = 0xFFFFFFFFu;

    // An entry of the index: the item's position and the low half of its caseless hash, which
    // places it and rules out most unequal items without touching their text.
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t index = kEmptySlot;
    };

    // A text queued by addSoon.
    struct Pending {
        std::string text;
        std::uint32_t hash = 0;
    };
    // Texts queued ahead: enough to cover the memory's delay, few enough to stay in cache.
    static constexpr std::size_t kQueued = 16;

    // The slot holding an item equal to text, or the empty slot where it would go.
    std::size_t findSlot(std::string_view text, std::uint32_t hash) const;
    bool addHashed(std::string_view text, std::uint32_t hash);
    void grow();

    std::vector<std::string> m_items;
    std::vector<Slot> m_slots;       // open addressing, at most half full
    std::vector<Pending> m_pending;  // a ring of kQueued texts once used
    std::size_t m_pendingFirst = 0;
    std::size_t m_pendingCount = 0;
};

}  // namespace tavrolin::source
