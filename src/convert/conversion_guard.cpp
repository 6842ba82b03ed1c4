#include "convert/conversion_guard.h"

#include <unordered_set>

namespace tavrolin {

namespace {
std::unordered_set<const Main*>& running() {
    static std::unordered_set<const Main*> windows;
    return windows;
}
}  // namespace

ConversionGuard::ConversionGuard(const Main& main)
    : m_main(main), m_acquired(running().insert(&main).second) {}

ConversionGuard::~ConversionGuard() {
    if (m_acquired) running().erase(&m_main);
}

}  // namespace tavrolin
