#include "gui/qt_display.h"

#include <cstdlib>
#include <filesystem>
#include <string>

namespace tavrolin {

namespace {

// Qt ends the program when it cannot reach the X server, so a local display (":N" or ":N.S")
// whose socket is missing counts as none. A remote display is taken on trust.
bool localXServerListens(const std::string& display) {
    if (display.empty() || display[0] != ':') return true;
    const std::string number = display.substr(1, display.find('.') - 1);
    if (number.empty()) return true;
    std::error_code error;
    return std::filesystem::exists("/tmp/.X11-unix/X" + number, error);
}

}  // namespace

bool hasDisplay() {
    for (const char* name : {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') return true;
    }
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') return false;
    return localXServerListens(display);
}

}  // namespace tavrolin
