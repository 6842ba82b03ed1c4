#include "text/text_handlers.h"

namespace tavrolin {

void registerTextHandlers(Main& /*main*/) {}

}  // namespace tavrolin
