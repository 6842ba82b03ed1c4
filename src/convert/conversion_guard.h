// One conversion at a time per window: the conversions let the window handle events while they
// run, and a second "!!!" click in that time would delete the table the first one is writing.
#pragma once

#include "window/main_state.h"

namespace tavrolin {

class ConversionGuard {
   public:
    // Claims the window's conversion (Main::converting); acquired() is false when one is
    // running already.
    explicit ConversionGuard(Main& main);
    ~ConversionGuard();
    ConversionGuard(const ConversionGuard&) = delete;
    ConversionGuard& operator=(const ConversionGuard&) = delete;

    bool acquired() const { return m_acquired; }

   private:
    Main& m_main;
    bool m_acquired;
};

}  // namespace tavrolin
