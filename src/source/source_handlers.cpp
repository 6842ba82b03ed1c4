#include "source/source_handlers.h"

namespace tavrolin {

void registerSourceHandlers(Main& /*main*/) {}

}  // namespace tavrolin
