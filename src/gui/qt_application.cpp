#include "gui/qt_application.h"

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/main_window.h"
#include "gui/qt_platform.h"
#include "gui/qt_window.h"

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

int runWindow(int argc, char** argv, const WindowOptions& options) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Tavrolin");

    QtPlatform platform(options.russian);
    StartOptions start;
    start.executablePath = options.executablePath;
    start.home = options.home;
    start.russian = options.russian;
    MainWindow model(platform, start);
    QtMainWindow window(model.main());
    platform.setWindow(&window);

    model.load();  // Form_Load runs before the window is first shown
    window.flush();
    window.show();
    const int code = QApplication::exec();

    platform.setWindow(nullptr);
    model.unload();  // Form_Unload
    return code;
}

}  // namespace tavrolin
