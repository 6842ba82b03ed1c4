#include "convert/convert_handlers.h"

#include "convert/convert_by_type.h"

namespace tavrolin {

void registerConvertHandlers(Main& main) {
    main.form.on("btnMakeType", Event::Click, [&main](int) { btnMakeType_Click(main); });
}

}  // namespace tavrolin
