#include "polish/polish_handlers.h"

#include "polish/map_run.h"
#include "store/common_services.h"

namespace tavrolin {

void btnReadShp_Click(Main& main) {
    const std::string filter =
        main.tr("Файл исходника карты .mp,*.MP", "Map in Polish format,*.MP");
    const std::string startPath =
        store::OpenPath("*.mp", main.form("Source").text, main.programFolder);
    const std::string path =
        store::OpenDialog(main.platform, startPath, filter, main.russian,
                          [&main](const std::string& line) { main.att(line); });
    main.form.setText("Source", path);
    if (path.empty() || path.find('*') != std::string::npos) {
        main.platform.beep();
        main.att(main.tr(" * для продолжения работы укажите исходный файл .MP",
                         " * specify the source file .MP to continue"));
        return;
    }
    main.form.setText("Att", "");
    if (main.retypeRequested) {
        WriteRmmp(main, path);
    } else {
        WriteName(main, path);
    }
}

void btnReadRmp_Click(Main& main) {
    main.retypeRequested = true;
    btnReadShp_Click(main);
    main.retypeRequested = false;
}

void registerPolishHandlers(Main& main) {
    main.form.on("btnReadShp", Event::Click, [&main](int) { btnReadShp_Click(main); });
    main.form.on("btnReadRmp", Event::Click, [&main](int) { btnReadRmp_Click(main); });
}

}  // namespace tavrolin
