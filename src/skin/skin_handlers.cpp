#include "skin/skin_handlers.h"

#include <memory>

#include "skin/skin_writer.h"

namespace tavrolin {

void registerSkinHandlers(Main& main, skin::SkinServices services) {
    auto shared = std::make_shared<const skin::SkinServices>(std::move(services));
    main.form.on("btnMakeSkin", Event::Click,
                 [&main, shared](int) { skin::btnMakeSkin_Click(main, *shared); });
}

}  // namespace tavrolin
