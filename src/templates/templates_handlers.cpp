#include "templates/templates_handlers.h"

#include "templates/categories.h"
#include "templates/colour_entry.h"
#include "templates/previews.h"
#include "templates/type_lists.h"
#include "templates/value_lists.h"

namespace tavrolin {

void registerTemplateHandlers(Main& main) {
    Form& form = main.form;
    auto on = [&form, &main](const char* name, Event event, void (*handler)(Main&)) {
        form.on(name, event, [&main, handler](int) { handler(main); });
    };

    form.on("SVID", Event::Click, [&main](int index) { SVID_Click(main, index); });
    on("GM", Event::Click, GM_Click);
    on("GM_TYPE", Event::Click, GM_TYPE_Click);
    on("MP_TYPE", Event::Click, MP_TYPE_Click);
    on("btnAtrSave", Event::Click, btnAtrSave_Click);

    on("L_LIMIT", Event::Click, L_LIMIT_Click);
    on("U_LIMIT", Event::Click, U_LIMIT_Click);
    on("MAJ_CAT", Event::Click, MAJ_CAT_Click);
    on("MIN_CAT", Event::Click, MIN_CAT_Click);

    on("COLOR", Event::Click, COLOR_Click);
    on("BDR_COLOR", Event::Click, BDR_COLOR_Click);
    on("BDR_WIDTH", Event::Click, BDR_WIDTH_Click);
    on("BDR_PATTER", Event::Click, BDR_PATTER_Click);
    on("BDR_PATTER", Event::Change, BDR_PATTER_Click);
    on("AWIDTH", Event::Click, AWIDTH_Click);
    on("PATTERN", Event::Click, PATTERN_Click);
    on("PATTERN", Event::Change, PATTERN_Click);
    on("BFR_WIDTH", Event::Click, BFR_WIDTH_Click);
    on("BFR_COLOR", Event::Click, BFR_COLOR_Click);
    on("HAL_COLOR", Event::Click, HAL_COLOR_Click);
    on("MODE", Event::Click, MODE_Click);
    on("AFONT", Event::Click, AFONT_Click);
    on("AICON", Event::Click, AICON_Click);
    on("NoName", Event::Click, NoName_Click);

    for (const char* box : kColourBoxes) {
        std::string name = box;
        form.on(name, Event::Change, [&main, name](int) { RGBA(main, name); });
        form.on(name, Event::DblClick, [&main, name](int) { pickIntoBox(main, name); });
    }
    on("HTML", Event::Change, HTML_Change);
}

}  // namespace tavrolin
