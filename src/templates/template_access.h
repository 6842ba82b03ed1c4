// The guard of every window operation that reads or writes the template table: the table must
// have been found and the shared connection opened at start-up.
#pragma once

#include <string>

#include "app/main_state.h"

namespace tavrolin::templates {

// True when the template can be used. Otherwise writes " ! procedure: 3011. ..." on Att with a
// beep and answers false, so the operation stops before issuing any statement.
bool templateOpen(Main& main, const std::string& procedure);

}  // namespace tavrolin::templates
