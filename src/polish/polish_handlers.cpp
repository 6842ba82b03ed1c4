#include "polish/polish_handlers.h"

namespace tavrolin {

void registerPolishHandlers(Main& /*main*/) {}

}  // namespace tavrolin
