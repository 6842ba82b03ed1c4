#include "source/source_selection.h"

#include <algorithm>

#include "source/encodings.h"
#include "source/source_reader.h"

namespace tavrolin {

namespace {

constexpr char kSeparator = '/';
constexpr const char* kTemplateName = "Tavrolin.dbf";  // fixed: never read as a source
constexpr std::string_view kOrigSuffix = "_orig.dbf";

bool endsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

std::string trimBlanks(const std::string& text) {
    std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The open-file dialog: the chosen path; after a cancel, the start path (which carries the
// pattern, so the caller sees its "*"); empty when the answer is not a path.
std::string openSourceDialog(Main& main, const std::string& startPath,
                             const std::string& filterText) {
    FileQuestion question;
    question.title = main.tr("Выберите исходный файл:", "Select source file:");
    question.startPath = trimBlanks(startPath).substr(0, 255);
    std::size_t comma = filterText.find(',');
    question.filters.emplace_back(filterText.substr(0, comma), comma == std::string::npos
                                                                   ? "*.*"
                                                                   : filterText.substr(comma + 1));
    std::optional<std::string> answer = main.platform.askOpenFile(question);
    std::string path = answer ? *answer : question.startPath;
    return path.find(kSeparator) == std::string::npos ? std::string() : path;
}

void resetPreview(Main& main) {
    main.form.change("SAMPLE", -1, [](Control& c) {
        c.fillColor = color::kButtonFace;
        c.borderColor = color::kButtonFace;
    });
    main.form.change("SAMPLINE", -1, [](Control& c) { c.borderColor = color::kButtonFace; });
    main.form.change("ICONS", -1, [](Control& c) { c.picture.clear(); });
}

}  // namespace

std::string sourceStartPath(const Main& main, const std::string& pattern) {
    const std::string& source = main.form("Source").text;
    std::string folder;
    if (!pattern.empty() && endsWith(source, std::string_view(pattern).substr(1))) {
        folder = source.substr(0, source.find_last_of(kSeparator) + 1);
    }
    if (folder.empty()) folder = main.programFolder;
    if (folder.empty() || folder.back() != kSeparator) folder.push_back(kSeparator);
    return folder + pattern;
}

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
    std::string path = openSourceDialog(main, sourceStartPath(main, "*.dbf"), filter);
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
