#include "store/object_kind.h"

#include <array>

namespace tavrolin::store {
namespace {

struct KindNames {
    std::string_view english;
    std::string_view russian;
};

constexpr std::array<KindNames, 3> kNames{{
    {"polygon", "полигон"},
    {"line", "линия"},
    {"point", "точка"},
}};

bool asciiEqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

}  // namespace

std::string_view kindName(ObjectKind kind) {
    const auto index = static_cast<std::size_t>(kind);
    return index < kNames.size() ? kNames[index].english : std::string_view{};
}

std::string_view kindNameRussian(ObjectKind kind) {
    const auto index = static_cast<std::size_t>(kind);
    return index < kNames.size() ? kNames[index].russian : std::string_view{};
}

std::optional<ObjectKind> kindFromName(std::string_view name) {
    for (std::size_t i = 0; i < kNames.size(); ++i) {
        if (asciiEqualIgnoringCase(name, kNames[i].english)) return static_cast<ObjectKind>(i);
    }
    return std::nullopt;
}

ObjectKind kindFromNumber(int vid) {
    return vid >= 0 && vid < static_cast<int>(kNames.size()) ? static_cast<ObjectKind>(vid)
                                                             : ObjectKind::None;
}

}  // namespace tavrolin::store
