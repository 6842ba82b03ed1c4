#include "gui/qt_application.h"

#include <QApplication>
#include <cstdlib>

#include "app/main_window.h"
#include "gui/qt_platform.h"
#include "gui/qt_window.h"

namespace tavrolin {

bool hasDisplay() {
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') return true;
    }
    return false;
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
