// The object kind of a template row and of a source: polygon, line or point. Its number is the
// template's VID and the index of the SVID option; None (3) means that no kind is chosen.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tavrolin::store {

enum class ObjectKind : std::uint8_t { Polygon = 0, Line = 1, Point = 2, None = 3 };

// The kind's name as it names the temporary output table and the SVID option's Tag:
// "polygon", "line", "point"; empty for None.
std::string_view kindName(ObjectKind kind);
// The Russian name a user reads: "полигон", "линия", "точка"; empty for None.
std::string_view kindNameRussian(ObjectKind kind);
// The kind of an English name, ignoring ASCII letter case; nothing for any other text.
std::optional<ObjectKind> kindFromName(std::string_view name);
// The kind of a VID number 0..2; None for any other number.
ObjectKind kindFromNumber(int vid);
// The kind's VID number (3 for None).
constexpr int kindNumber(ObjectKind kind) { return static_cast<int>(kind); }

}  // namespace tavrolin::store
