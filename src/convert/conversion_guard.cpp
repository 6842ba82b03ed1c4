#include "convert/conversion_guard.h"

namespace tavrolin {

ConversionGuard::ConversionGuard(Main& main) : m_main(main), m_acquired(!main.converting) {
    if (m_acquired) m_main.converting = true;
}

ConversionGuard::~ConversionGuard() {
    if (m_acquired) m_main.converting = false;
}

}  // namespace tavrolin
