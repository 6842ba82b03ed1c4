#include "gui/qt_application.h"

#include <QApplication>
#include <QScreen>
#include <string>

#include "app/main_window.h"
#include "gui/qt_platform.h"
#include "gui/qt_window.h"

namespace tavrolin {

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
    platform.setWindow(&window, [&window] { window.flush(); });
    platform.setMapOpener([&window] { window.showMap(); });

    model.load();  // Form_Load runs before the window is first shown
    window.flush();
    // As designed when the screen has room, else as large as the screen allows (the window
    // frame and title bar take some of it), never below the window's minimum.
    if (const QScreen* screen = window.screen()) {
        constexpr QSize kDecorations(16, 40);
        const QSize room = screen->availableGeometry().size() - kDecorations;
        window.resize(window.sizeHint().boundedTo(room).expandedTo(window.minimumSizeHint()));
    }
    window.show();
    const int code = QApplication::exec();

    platform.setWindow(nullptr);
    platform.setMapOpener({});
    model.unload();  // Form_Unload
    return code;
}

}  // namespace tavrolin
