#include "convert/convert_handlers.h"

#include "convert/convert_by_depth.h"
#include "convert/convert_by_type.h"

namespace tavrolin {

void registerConvertHandlers(Main& main, const DepthServices& services) {
    Form& form = main.form;
    form.on("btnMakeType", Event::Click, [&main](int) { btnMakeType_Click(main); });
    form.on("fillDD", Event::Click, [&main, services](int) { fillDD_Click(main, services); });
    form.on("fillTOPO", Event::Click, [&main, services](int) { fillTOPO_Click(main, services); });
    form.on("fillUSER", Event::Click, [&main, services](int) { fillUSER_Click(main, services); });
    form.on("btnSetSave", Event::Click, [&main](int) { btnSetSave_Click(main); });
    form.on("POLY", Event::DblClick,
            [&main, services](int index) { POLY_DblClick(main, services, index); });
    form.on("btnMakeName", Event::Click,
            [&main, services](int) { btnMakeName_Click(main, services); });
}

}  // namespace tavrolin
