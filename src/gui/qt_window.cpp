#include "gui/qt_window.h"

#include <cstdlib>

#include <QApplication>
#include <QLabel>

namespace tavrolin {

bool hasDisplay() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform != nullptr && *platform != '\0') return true;
    const char* x = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x != nullptr && *x != '\0') || (wayland != nullptr && *wayland != '\0');
}

int runWindow(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel label("Tavrolin");
    label.show();
    return app.exec();
}

}  // namespace tavrolin
