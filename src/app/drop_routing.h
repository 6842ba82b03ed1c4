// Files dropped on the main window: a source table runs the source choice, a Polish-format map
// runs "MP" (with Shift held, "RM"), each as if its file dialog had been answered with the
// dropped path. Anything else is refused with a notice.
#pragma once

#include <string>
#include <vector>

#include "window/main_state.h"

namespace tavrolin {

enum class DropAction { Source, LabelMap, RetypeMap, Refuse };

// What a dropped file does, by its extension (in any letter case).
DropAction dropActionFor(const std::string& path, bool shiftDown);

// The button whose click a drop stands for; empty for Refuse.
std::string dropButton(DropAction action);

// Handles a drop of paths (the first one counts) with Shift held or not: clicks the button of
// its action with the dialog answered by the path, unless that button is disabled (then only a
// beep, as a click would do nothing). A refused or empty drop writes a " * " notice on Att.
void dropFiles(Main& main, const std::vector<std::string>& paths, bool shiftDown);

}  // namespace tavrolin
