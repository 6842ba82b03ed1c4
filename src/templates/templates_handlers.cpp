#include "templates/templates_handlers.h"

namespace tavrolin {

void registerTemplateHandlers(Main& /*main*/) {}

}  // namespace tavrolin
