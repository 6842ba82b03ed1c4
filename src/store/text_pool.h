// Texts kept once each in one block of memory and named by a small number, so that a million
// records that repeat a few hundred type codes and labels cost four bytes per text, not a string
// each. The look-up is a flat open-addressing table: one probe of eight bytes for most texts.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace tavrolin::store {

class TextPool {
   public:
    using Id = std::uint32_t;
    static constexpr Id kEmpty = 0;           // the empty text, always there
    static constexpr Id kNone = 0xFFFFFFFFu;  // no text (find() of a text not there)

    TextPool();

    // The number of the text, which is added when it is new. Ids count up from 1 in the order
    // the texts were first met.
    Id intern(std::string_view text);
    // The number of the text, or kNone.
    Id find(std::string_view text) const;
    // The text of an id (valid until the next intern or clear).
    std::string_view text(Id id) const {
        return {m_bytes.data() + m_ends[id], m_ends[id + 1] - m_ends[id]};
    }
    // Distinct texts, the empty one included.
    std::size_t size() const { return m_ends.size() - 1; }
    // Back to the empty text alone, memory given back.
    void clear();

   private:
    struct Slot {
        std::uint32_t hash = 0;
        Id id = kNone;
    };
    std::size_t findSlot(std::string_view text, std::uint32_t hash) const;
    void grow();

    std::vector<char> m_bytes;          // every text, one after the other
    std::vector<std::uint32_t> m_ends;  // text i is m_bytes[m_ends[i], m_ends[i + 1])
    std::vector<Slot> m_slots;          // at most half full; a power of two
};

// A fast hash of a text's bytes, for flat tables of texts.
std::uint64_t hashBytes(std::string_view bytes);

}  // namespace tavrolin::store
