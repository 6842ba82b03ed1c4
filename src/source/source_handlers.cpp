#include "source/source_handlers.h"

#include "source/source_selection.h"

namespace tavrolin {

void registerSourceHandlers(Main& main) {
    main.form.on("btnSource", Event::Click, [&main](int) { btnSource_Click(main); });
}

}  // namespace tavrolin
