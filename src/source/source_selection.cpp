#include "source/source_selection.h"

#include <algorithm>

#include "source/encodings.h"
#include "source/source_reader.h"
#include "store/case_fold.h"
#include "store/common_services.h"
#include "store/file_io.h"
#include "store/utf8_text.h"

namespace tavrolin {

namespace {

constexpr const char* kTemplateName = "Tavrolin.dbf";  // fixed: never read as a source
constexpr std::string_view kOrigSuffix = "_orig.dbf";

void resetPreview(Main& main) {
    main.form.change("SAMPLE", -1, [](Control& c) {
        c.fillColor = color::kButtonFace;
        c.borderColor = color::kButtonFace;
    });
    main.form.change("SAMPLINE", -1, [](Control& c) { c.borderColor = color::kButtonFace; });
    main.form.change("ICONS", -1, [](Control& c) { c.picture.clear(); });
}

}  // namespace

void deriveOutputNames(Main& main, const std::string& path) {
    std::size_t slash = path.find_last_of(store::io::kPathSeparators);
    main.sourceFolder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    main.sourceFileName = slash == std::string::npos ? path : path.substr(slash + 1);

    const std::string& name = main.sourceFileName;
    std::string lower = store::foldUtf8(name);
    std::string base;
    if (lower.find(kOrigSuffix) != std::string::npos) {
        base = name.substr(0, name.size() - kOrigSuffix.size());
    } else {
        base = (name.size() > 4 ? name.substr(0, name.size() - 4) : name) + "-imc";
    }
    main.outputFileName = base + ".dbf";
    // The code-page file belongs to the output: named after it, never after the source.
    main.codePageFileName = base + ".cpg";
}

namespace {

constexpr const char* kActionButtons[] = {"btnMakeType", "btnMakeSkin", "btnMakeName"};

// The path of the source that was read last (empty before one was chosen).
std::string loadedSourcePath(const Main& main) {
    return main.sourceFileName.empty() ? std::string() : main.sourceFolder + main.sourceFileName;
}

// Reads the source at path (already shown in Source): refuses the template, derives the names
// and runs DBFread; the busy pointer while the program works, the preview reset at the end.
void openSource(Main& main, const std::string& path) {
    main.platform.setBusy(true);
    if (path.empty()) {
        main.att(main.tr(" * для продолжения работы укажите исходный файл .DBF",
                         " * specify the source .DBF file to continue"));
        main.platform.beep();
    } else {
        std::size_t slash = path.find_last_of(store::io::kPathSeparators);
        main.sourceFolder = path.substr(0, slash + 1);
        main.sourceFileName = path.substr(slash + 1);
        if (store::equalsIgnoringCase(main.sourceFileName, kTemplateName)) {
            main.att(main.tr(" * файл Tavrolin.dbf необходим для работы программы",
                             " * Tavrolin.dbf file is required for the program"));
            main.platform.beep();
        } else {
            deriveOutputNames(main, path);
            DBFread(main);
        }
    }
    main.platform.setBusy(false);
    resetPreview(main);
}

void startChoosing(Main& main) {
    main.form.setText("Att", "");
    main.askAddType = true;
    main.form.setCaption("frmTYPE", main.tr(" Исходные атрибуты по значению MP_TYPE ",
                                            " Source attributes by MP_TYPE "));
}

}  // namespace

void btnSource_Click(Main& main) {
    startChoosing(main);
    const std::string filter = main.tr("Файл атрибутов dBASE v4 .dbf,*.DBF", "dBASE v4 .dbf,*.DBF");
    const std::string startPath =
        store::OpenPath("*.dbf", main.form("Source").text, main.programFolder);
    std::string path = store::OpenDialog(main.platform, startPath, filter, main.russian,
                                         [&main](const std::string& line) { main.att(line); });
    if (path.find('*') != std::string::npos) path.clear();  // cancelled: the start path came back
    main.form.setText("Source", path);
    // Busy only from here: while the dialog waited, the program was not working.
    openSource(main, path);
}

void Source_Enter(Main& main) {
    startChoosing(main);
    // The typed path, as if the dialog had answered it.
    const std::string path(store::trimSpaces(main.form("Source").text));
    main.form.setText("Source", path);
    openSource(main, path);
}

void Source_Change(Main& main) {
    if (!main.sourceRead || main.form("Source").text == loadedSourcePath(main)) return;
    // The box no longer names the table that was read: nothing may be converted under a name
    // the user does not see. Enter (or "...") reads what the box names.
    main.sourceRead = false;
    for (const char* button : kActionButtons) main.form.setEnabled(button, false);
}

}  // namespace tavrolin
