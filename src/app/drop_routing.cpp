#include "app/drop_routing.h"

#include <filesystem>

#include "store/case_fold.h"
#include "store/file_io.h"

namespace tavrolin {

DropAction dropActionFor(const std::string& path, bool shiftDown) {
    const std::string extension =
        store::io::utf8FromPath(store::io::pathFromUtf8(path).extension());
    if (store::equalsIgnoringCase(extension, ".dbf")) return DropAction::Source;
    if (store::equalsIgnoringCase(extension, ".mp")) {
        return shiftDown ? DropAction::RetypeMap : DropAction::LabelMap;
    }
    return DropAction::Refuse;
}

std::string dropButton(DropAction action) {
    switch (action) {
        case DropAction::Source:
            return "btnSource";
        case DropAction::LabelMap:
            return "btnReadShp";
        case DropAction::RetypeMap:
            return "btnReadRmp";
        case DropAction::Refuse:
            break;
    }
    return {};
}

void dropFiles(Main& main, const std::vector<std::string>& paths, bool shiftDown) {
    const std::string path = paths.empty() ? std::string() : paths.front();
    const DropAction action = dropActionFor(path, shiftDown);
    if (action == DropAction::Refuse) {
        main.att(main.tr(" * перетащите файл .DBF или .MP: ", " * drop a .DBF or .MP file: ") +
                 path);
        main.platform.beep();
        return;
    }
    const std::string button = dropButton(action);
    if (!main.form(button).enabled) {
        main.platform.beep();
        return;
    }
    main.platform.answerNextOpenFile(path);
    main.form.raise(button, Event::Click);
    main.platform.answerNextOpenFile(std::nullopt);  // a handler that asked nothing leaves it
}

}  // namespace tavrolin
