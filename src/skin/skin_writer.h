// The skin for the map editor GME: a text beside the source table (its name with ".txt") with
// one block per type found in the source, giving the type's names from the template and its
// look: a fill colour, line widths and colours, or an icon as an XPM picture.
#pragma once

#include <string>

#include "skin/skin_services.h"
#include "window/main_state.h"

namespace tavrolin::skin {

// The skin file of a source table: its path with ".dbf" (any letter case) replaced by ".txt";
// a name that does not end in ".dbf" gets ".txt" appended, so the source is never the target.
std::string skinFilePath(const std::string& sourcePath);

// The "##" button. Needs a chosen object kind (else a notice and the kind hint) and found
// types (else it stops silently). Writes the skin in code page 1251 with CR LF line ends and
// shows it in the file manager. A template without YN or MP_ENG gets a comment in each block;
// a template that lacks another column the blocks need gets the file as far as it goes and the
// old-version failure. An icon that cannot be converted leaves the line "; иконка NAME" and
// then its failure line as a comment (";" + " ! btnMakeSkin: number. description") in place of
// the picture, and the first such failure is the last message.
void btnMakeSkin_Click(Main& main, const SkinServices& services);

}  // namespace tavrolin::skin
