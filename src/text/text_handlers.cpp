#include "text/text_handlers.h"

#include "text/captions.h"
#include "text/guide.h"

namespace tavrolin {

void registerTextHandlers(Main& main) {
    main.form.on("btnHelp", Event::Click, [&main](int) { btnHelp_Click(main); });
}

}  // namespace tavrolin
