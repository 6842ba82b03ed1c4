#include "source/source_selection.h"

#include <algorithm>

#include "source/encodings.h"
#include "source/source_reader.h"
#include "store/common_services.h"

namespace tavrolin {

namespace {

constexpr char kSeparator = '/';
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
    std::size_t slash = path.find_last_of(kSeparator);
    main.sourceFolder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    main.sourceFileName = slash == std::string::npos ? path : path.substr(slash + 1);

    const std::string& name = main.sourceFileName;
    std::string lower = source::lowerCase(name);
    std::string base;
    if (lower.find(kOrigSuffix) != std::string::npos) {
        base = name.substr(0, name.size() - kOrigSuffix.size());
        main.outputFileName = base + ".dbf";
    } else {
        base = name.size() > 4 ? name.substr(0, name.size() - 4) : name;
        main.outputFileName = base + "-imc.dbf";
    }
    main.codePageFileName = base + ".cpg";
}

void btnSource_Click(Main& main) {
    main.form.setText("Att", "");
    main.askAddType = true;
    main.platform.setBusy(true);
    main.form.setCaption("frmTYPE", main.tr(" Исходные атрибуты по значению MP_TYPE ",
                                            " Source attributes by MP_TYPE "));

    const std::string filter = main.tr("Файл атрибутов dBASE v4 .dbf,*.DBF", "dBASE v4 .dbf,*.DBF");
    const std::string startPath =
        store::OpenPath("*.dbf", main.form("Source").text, main.programFolder);
    std::string path = store::OpenDialog(main.platform, startPath, filter, main.russian,
                                         [&main](const std::string& line) { main.att(line); });
    if (path.find('*') != std::string::npos) path.clear();  // cancelled: the start path came back
    main.form.setText("Source", path);

    if (path.empty()) {
        main.att(main.tr(" * для продолжения работы укажите исходный файл .DBF",
                         " * specify the source .DBF file to continue"));
        main.platform.beep();
    } else {
        std::size_t slash = path.find_last_of(kSeparator);
        main.sourceFolder = path.substr(0, slash + 1);
        main.sourceFileName = path.substr(slash + 1);
        if (source::caselessEqual(main.sourceFileName, kTemplateName)) {
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

}  // namespace tavrolin
