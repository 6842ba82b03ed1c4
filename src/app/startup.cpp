#include "app/startup.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <span>
#include <system_error>
#include <vector>

#include "app/program_home.h"
#include "store/case_fold.h"
#include "store/common_services.h"
#include "store/dbf_format.h"
#include "store/dbf_header.h"
#include "store/file_error.h"
#include "store/file_io.h"
#include "templates/palette.h"
#include "templates/type_lists.h"
#include "templates/value_lists.h"
#include "text/captions.h"

namespace tavrolin {

namespace fs = std::filesystem;
using store::io::pathFromUtf8;
using store::io::utf8FromPath;

namespace {

Status damaged(const std::string& reason, const std::string& russian) {
    return Status::error(err::kFail, reason, russian);
}

// The controls that cannot work without a template.
void disableTemplateControls(Main& main) {
    for (const char* name : {"MP_TYPE", "btnAtrSave", "btnMakeType", "btnMakeSkin"}) {
        main.form.setEnabled(name, false);
    }
}

// Counts the template's columns and notes which colour columns it has.
Status readTemplateColumns(Main& main) {
    auto set = main.connection.openRecordSet("SELECT * FROM " + main.programName);
    if (!set) return set.status();
    main.templateColumnCount = 0;
    main.colorColumns.fill(false);
    for (const store::FieldInfo& field : set->fields()) {
        ++main.templateColumnCount;
        for (std::size_t i = 0; i < kColorColumns.size(); ++i) {
            if (store::equalsIgnoringCase(field.name, kColorColumns[i])) {
                main.colorColumns[i] = true;
            }
        }
    }
    return set->close();
}

// Moves an installed copy's home to the user's data folder, seeding it on first start; a portable
// copy stays in its own folder.
void settleInHome(Main& main) {
    const ProgramHome home =
        chooseProgramHome(gatherHomeFacts(main.programFolder, main.templateFileName));
    main.programFolder = home.folder;
    if (home.seedFrom.empty()) return;
    Status seeded = seedHome(home.seedFrom, home.folder);
    if (!seeded) {
        main.att(main.tr(" ! папка программы ", " ! the program's folder ") + home.folder +
                 main.tr(" не подготовлена: ", " could not be prepared: ") + seeded.toString());
    }
}

}  // namespace

bool startsInRussian(Platform& platform, const StartOptions& options) {
    if (options.russian) return *options.russian;
    return platform.uiLanguage() == kLanguageRussian;
}

std::string withTrailingSeparator(std::string folder) {
    if (folder.empty() || !store::io::isPathSeparator(folder.back())) {
        folder += store::io::kPathSeparator;
    }
    return folder;
}

std::string programFolderFor(const StartOptions& options) {
    std::error_code error;
    fs::path folder;
    if (!options.home.empty()) {
        folder = fs::absolute(pathFromUtf8(options.home), error);
        if (error) folder = pathFromUtf8(options.home);
    } else {
        fs::path executable = options.executablePath.empty()
                                  ? pathFromUtf8(store::io::runningProgramPath().value_or(""))
                                  : fs::absolute(pathFromUtf8(options.executablePath), error);
        folder = executable.parent_path();
    }
    std::string text = utf8FromPath(folder.lexically_normal());
    // "/a/b/" normalises to "/a/b/" and "/" stays "/": only add what is missing.
    return withTrailingSeparator(text.empty() ? std::string(1, store::io::kPathSeparator) : text);
}

std::optional<std::string> findIgnoringCase(const std::string& folder, const std::string& name) {
    // The name as the folder spells it, also where the file system itself ignores letter case
    // and would open "tavrolin.dbf" as well.
    const std::vector<std::string> matches = store::namesIgnoringCase(folder, name);
    if (!matches.empty()) return matches.front();
    // A folder that may be searched but not listed.
    std::error_code error;
    if (fs::exists(pathFromUtf8(folder) / pathFromUtf8(name), error) && !error) return name;
    return std::nullopt;
}

Status checkTableFile(const std::string& path) {
    Result<std::string> file = store::readWholeFile(path);
    if (!file) return file.status();
    const auto bytes = std::span(reinterpret_cast<const std::uint8_t*>(file->data()), file->size());
    Result<store::DbfHeader> header = store::parseDbfHeader(bytes, bytes.size());
    if (!header) return header.status();

    // Beyond what every reader refuses, the template must be whole: fields that fill the record
    // exactly and every declared record present.
    if (header->fields.empty()) return damaged("the table has no fields", "в таблице нет полей");
    const std::uint32_t fieldsEnd =
        header->offsets.back() + static_cast<std::uint32_t>(header->fields.back().length);
    if (fieldsEnd != header->recordLength) {
        const std::string record = std::to_string(header->recordLength);
        const std::string fields = std::to_string(fieldsEnd);
        return damaged("record length " + record + " disagrees with the fields (" + fields + ")",
                       "длина записи " + record + " не совпадает с полями (" + fields + ")");
    }
    if (header->availableRecords(bytes.size()) < header->recordCount) {
        const std::uint64_t needed =
            header->headerLength +
            static_cast<std::uint64_t>(header->recordCount) * header->recordLength;
        const std::string sizes = std::to_string(bytes.size()) + " / " + std::to_string(needed);
        return damaged("the file is shorter than its header says (" + sizes + " bytes)",
                       "файл короче, чем указано в заголовке (" + sizes + " байт)");
    }
    return {};
}

void Form_Load(Main& main, const StartOptions& options) {
    main.russian = startsInRussian(main.platform, options);
    SetCaptions(main);
    // The code-page settings of a table engine would be made here; the store reads and writes
    // code page 1251 itself, so there is no registry to adjust.
    main.kind = store::ObjectKind::None;
    main.namedKind = store::ObjectKind::None;

    main.programFolder = programFolderFor(options);
    // The template is Tavrolin.dbf whatever the executable is called (tavrolin, a renamed copy):
    // the messages and the guide name it so.
    main.programName = kProgramName;
    main.templateFileName = main.programName + ".dbf";
    if (options.home.empty()) settleInHome(main);

    fillPalette(main);
    fillValueLists(main);
    fillIconList(main);
    fillCategoryLists(main);

    main.templateUsable = false;
    main.templateColumnCount = 0;
    main.colorColumns.fill(false);
    main.form.change("STRT", -1, [](Control& c) { c.interval = 0; });

    std::optional<std::string> found = findIgnoringCase(main.programFolder, main.templateFileName);
    if (!found) {
        disableTemplateControls(main);
        main.att(main.tr(" ! список типов ", " ! list of types ") + main.programFolder +
                 main.templateFileName + main.tr(" не найден", " not found"));
        main.platform.beep();
    } else {
        main.templateFileName = *found;
        main.programName = utf8FromPath(pathFromUtf8(*found).stem());
        // A damaged template is reported and left alone: never opened for writing, upgraded,
        // copied or renamed.
        Status status = checkTableFile(main.programFolder + main.templateFileName);
        if (status) status = main.connection.open(main.programFolder);
        if (status) status = readTemplateColumns(main);
        if (!status) {
            (void)main.connection.close();
            main.templateColumnCount = 0;
            main.colorColumns.fill(false);
            disableTemplateControls(main);
            main.att(main.tr(" ! список типов ", " ! list of types ") + main.programFolder +
                     main.templateFileName + main.tr(" не читается: ", " cannot be read: ") +
                     status.toString(main.russian));
            main.platform.beep();
        } else {
            main.templateUsable = true;
            bool allColors = std::all_of(main.colorColumns.begin(), main.colorColumns.end(),
                                         [](bool present) { return present; });
            main.form.change("STRT", -1,
                             [allColors](Control& c) { c.interval = allColors ? 0 : 60; });
            fillTypeList(main);
        }
    }

    main.form.setText("Source", sourcePrompt(main.russian));
}

void Form_Unload(Main& main) { (void)main.connection.close(); }

}  // namespace tavrolin
