#include "templates/colour_entry.h"

namespace tavrolin {

bool CheckChars(Main&, const std::string&, const std::string&) { return false; }
void RGBA(Main&, const std::string&) {}
std::optional<std::uint32_t> PickColor(Main&, std::uint32_t) { return std::nullopt; }
void pickIntoBox(Main&, const std::string&) {}
void HTML_Change(Main&) {}

}  // namespace tavrolin
