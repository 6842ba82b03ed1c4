#include "convert/convert_handlers.h"

namespace tavrolin {

void registerConvertHandlers(Main& /*main*/) {}

}  // namespace tavrolin
