#include "gui/qt_migrova_application.h"

#include <QApplication>

#include "gui/qt_migrova_window.h"
#include "gui/qt_platform.h"
#include "migrova/migrova_window.h"

namespace tavrolin {

int runMigrovaWindow(int argc, char** argv, const std::string& programFolder) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Migrova");

    QtPlatform platform(true);  // every text of Migrova is Russian
    migrova::MigrovaWindow model(platform, programFolder);
    QtMigrovaWindow window(model.form());
    platform.setWindow(&window);
    window.show();
    const int code = QApplication::exec();

    platform.setWindow(nullptr);
    model.Form_Unload();
    return code;
}

}  // namespace tavrolin
