// The two map operations on a Polish-format map chosen by the user, and what they share: the
// check of the source, the line count and progress, the output beside the source, the end of
// the run and its messages.
#pragma once

#include <string>
#include <string_view>

#include "window/main_state.h"

namespace tavrolin {

// The output path of a map operation: in the source's folder, the source's name less its last
// three characters (".mp") followed by `suffix` ("-imc.mp"). A name of three characters or
// fewer is kept whole, so that the cut never reaches into the folder.
std::string mapOutputPath(const std::string& sourcePath, std::string_view suffix);

// Label points: writes the source's header and a labelled point for every named polygon into
// the "-imc.mp" file beside it. Reports on Att; shows the file in the file manager when done.
void WriteName(Main& main, const std::string& sourcePath);
// Retyping: writes a copy of the map with every named polygon retyped by its depth into the
// "-rm.mp" file beside it, on the DrDepth scale when main.drDepthScheme is set.
void WriteRmmp(Main& main, const std::string& sourcePath);

}  // namespace tavrolin
