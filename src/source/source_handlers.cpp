#include "source/source_handlers.h"

#include "source/source_selection.h"

namespace tavrolin {

void registerSourceHandlers(Main& main) {
    main.form.on("btnSource", Event::Click, [&main](int) { btnSource_Click(main); });
    main.form.on("Source", Event::Enter, [&main](int) { Source_Enter(main); });
    main.form.on("Source", Event::Change, [&main](int) { Source_Change(main); });
}

}  // namespace tavrolin
