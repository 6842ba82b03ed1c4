// What the skin needs from the rest of the program, handed in by the start-up routing: the
// colour of every colour code, the GIF file of an icon name and the flashing of the kind areas.
// The skin uses these and nothing else of its neighbours.
#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "window/main_state.h"

namespace tavrolin::skin {

// The HTML colour text ("FF0000") of each colour code 0..255; empty for a code without colour.
using PaletteTexts = std::array<std::string, 256>;

struct SkinServices {
    PaletteTexts palette;
    // The GIF file of an icon name in the program's icon folder (letter case ignored), or
    // nothing when there is none.
    std::function<std::optional<std::filesystem::path>(const std::string& programFolder,
                                                       const std::string& iconName)>
        iconFile;
    // Flashes the three kind areas to show where an object kind is chosen.
    std::function<void(Main&)> kindHint;
};

}  // namespace tavrolin::skin
