#include "app/skin_routing.h"

#include "templates/icon_folder.h"
#include "templates/palette.h"
#include "templates/type_lists.h"

namespace tavrolin {

skin::SkinServices skinServices() {
    skin::SkinServices services;
    for (int code = 0; code < static_cast<int>(services.palette.size()); ++code) {
        services.palette[static_cast<std::size_t>(code)] = paletteHtml(code);
    }
    services.iconFile = templates::iconFile;
    services.kindHint = kindHint;
    return services;
}

}  // namespace tavrolin
