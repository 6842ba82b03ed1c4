#include "skin/skin_handlers.h"

namespace tavrolin {

void registerSkinHandlers(Main& /*main*/) {}

}  // namespace tavrolin
