// The controls of the main window: their names, kinds, design-time captions, positions and the
// attribute binding of the panel. The binding table is the one source of truth for each bound
// control's template column (Tag), object kinds (DataMember), column kind (WhatsThisHelpID),
// list style and the window order in which display, saving and conversion walk them.
#pragma once

#include <span>
#include <string>

#include "window/control.h"
#include "window/form.h"

namespace tavrolin {

enum class BoundStyle : std::uint8_t { PickList, EditableList, TextBox };

struct AttributeBinding {
    const char* control;  // L_LIMIT, AWIDTH, CLRRGB ...
    const char* column;   // template column, the control's Tag
    const char* kinds;    // DataMember: "012", "0", "12" ...
    int columnKind;       // WhatsThisHelpID: 0 numeric, 1 text
    BoundStyle style;
};

// The bound controls in window order.
std::span<const AttributeBinding> attributeBindings();

// Adds every control of the main window to an empty form, with design-time captions and state:
// btnMakeType, btnMakeSkin and btnMakeName disabled, lists empty, nothing chosen.
void buildMainControls(Form& form);

}  // namespace tavrolin
