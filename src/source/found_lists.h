// The found lists GM and GM_TYPE while a source is read. GM_TYPE holds each type code once, GM
// each entry "type code  |  label" once; of texts equal ignoring letter case the first met is
// kept, and the items stay in the order they were first met.
//
// Records hand in their texts as numbers of the source record list's pool. Equal numbers are
// equal texts, so a record like the one before costs a comparison, and a new pair of texts one
// probe of a flat table keyed by the numbers of their case-folded forms; the entry text itself is
// only built for an item that is listed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "source/caseless_list.h"
#include "store/text_pool.h"
#include "window/source_records.h"

namespace tavrolin::source {

class FoundLists {
   public:
    using Id = SourceRecords::Id;

    // listNames: fill GM as well as GM_TYPE.
    FoundLists(const SourceRecords& records, bool listNames);

    // A record's type code (not empty) and label.
    void add(Id typeCode, Id label);

    std::vector<std::string> takeTypes() { return std::move(m_types); }
    std::vector<std::string> takeNames();

   private:
    // A set of pairs of folded-text numbers, open addressing, at most half full.
    class PairSet {
       public:
        // True when the pair was new.
        bool insert(std::uint64_t key);

       private:
        static constexpr std::uint64_t kFree = ~std::uint64_t{0};
        std::vector<std::uint64_t> m_slots = std::vector<std::uint64_t>(1024, kFree);
        std::size_t m_count = 0;
    };

    Id folded(Id id);
    void addName(Id typeCode, Id label);
    void switchToTexts();

    const SourceRecords& m_records;
    bool m_listNames;
    store::TextPool m_folded;        // the folded form of every text met
    std::vector<Id> m_foldedOf;      // by record text number; kNone until folded
    std::vector<bool> m_typeListed;  // by folded number
    PairSet m_names;                 // (folded type code, folded label) listed in GM
    std::vector<std::string> m_types;
    std::vector<std::string> m_namesItems;
    Id m_lastType = store::TextPool::kNone;
    Id m_lastLabel = store::TextPool::kNone;
    // A type code holding a '|' could make two different pairs one entry text ("a" + "  |  " +
    // "|  b" is "a  |" + "  |  " + "b"); from the first such code on, entries are compared as
    // whole texts.
    bool m_byText = false;
    CaselessList m_namesByText;
};

}  // namespace tavrolin::source
