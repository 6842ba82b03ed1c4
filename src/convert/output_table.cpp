#include "convert/output_table.h"

#include <fcntl.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>

#include "convert/translit.h"
#include "store/case_fold.h"
#include "store/common_services.h"
#include "store/dbf_format.h"
#include "store/dbf_header.h"
#include "store/file_error.h"
#include "store/file_io.h"
#include "store/utf8_text.h"

namespace tavrolin {

namespace {

constexpr int kMaxLabelWidth = 254;
constexpr int kLabelMargin = 10;      // characters beyond the longest label
constexpr int kTranslitScheme = 2;    // the scheme the conversion uses
constexpr int kAlternativeNames = 9;  // kind + 1 ... kind + 9 when the kind's name is taken

// A numeric column whose width the header patch sets (column counted from 1).
struct WidthPatch {
    int column;
    const char* name;
    int length;
};

constexpr std::array<WidthPatch, 5> kCommonPatches{
    {{3, "L_LIMIT", 2}, {4, "U_LIMIT", 2}, {5, "P_LIMIT", 2}, {6, "LAYER", 3}, {7, "COLOR", 3}}};
constexpr std::array<WidthPatch, 2> kPolygonPatches{{{11, "BDR_COLOR", 3}, {12, "BDR_WIDTH", 2}}};
constexpr std::array<WidthPatch, 6> kLinePatches{{{11, "WIDTH", 2},
                                                  {12, "BFR_COLOR", 3},
                                                  {13, "BFR_WIDTH", 2},
                                                  {14, "HAL_COLOR", 3},
                                                  {15, "RTP_LIMIT", 2},
                                                  {16, "RTP_COLOR", 3}}};
constexpr std::array<WidthPatch, 1> kPointPatches{{{11, "HAL_COLOR", 3}}};

std::span<const WidthPatch> kindPatches(store::ObjectKind kind) {
    switch (kind) {
        case store::ObjectKind::Polygon:
            return kPolygonPatches;
        case store::ObjectKind::Line:
            return kLinePatches;
        case store::ObjectKind::Point:
            return kPointPatches;
        case store::ObjectKind::None:
            break;
    }
    return {};
}

// The header of a table file, read from at most the longest header there can be.
Result<store::DbfHeader> readTableHeader(const std::string& path) {
    Result<std::vector<std::uint8_t>> bytes = store::readUpTo(path, store::kMaxHeaderLength);
    if (!bytes) return bytes.status();
    return store::parseDbfHeader(*bytes, bytes->size());
}

// Whether a table starts with the columns of an output table (LVL, TYPE, L_LIMIT).
bool hasOutputColumns(const store::DbfHeader& header) {
    static constexpr const char* kFirstColumns[] = {"LVL", "TYPE", "L_LIMIT"};
    if (header.fields.size() < std::size(kFirstColumns)) return false;
    for (std::size_t n = 0; n < std::size(kFirstColumns); ++n) {
        if (header.fields[n].name != kFirstColumns[n]) return false;
    }
    return true;
}

bool hasOutputColumns(const std::string& path) {
    Result<store::DbfHeader> header = readTableHeader(path);
    return header && hasOutputColumns(*header);
}

// Whether a file is a temporary output table left by a run that did not finish: its first
// columns are LVL, TYPE and L_LIMIT and its header still carries the incomplete mark. A finished
// output (e.g. polygon.dbf made from polygon_orig.dbf beside the program) or any other file in
// the program folder under the table's name is the user's.
bool isUnfinishedOutputTable(const std::string& path) {
    Result<store::DbfHeader> header = readTableHeader(path);
    return header && header->incomplete && hasOutputColumns(*header);
}

// Picks the temporary table's name and deletes our own leftovers of that name. A file under a
// candidate name that is the source, the previous output, the template or anything but an
// unfinished output table is left alone, and the next candidate is tried.
Result<std::string> chooseTableName(const Main& main) {
    const std::string sourcePath = main.sourceFolder + main.sourceFileName;
    const std::string outputPath = main.sourceFolder + main.outputFileName;
    const std::string templatePath = main.programFolder + main.templateFileName;
    const std::string kindName(store::kindName(main.namedKind));
    for (int attempt = 0; attempt <= kAlternativeNames; ++attempt) {
        const std::string name = attempt == 0 ? kindName : kindName + std::to_string(attempt);
        const std::vector<std::string> present =
            store::namesIgnoringCase(main.programFolder, name + ".dbf");
        const bool disposable = std::all_of(present.begin(), present.end(), [&](const auto& file) {
            const std::string path = main.programFolder + file;
            return !store::sameFile(path, sourcePath) && !store::sameFile(path, outputPath) &&
                   !store::sameFile(path, templatePath) && isUnfinishedOutputTable(path);
        });
        if (!disposable) continue;
        for (const std::string& file : present) {
            const std::string path = main.programFolder + file;
            if (Status deleted = store::deleteFile(path); !deleted) return deleted;
        }
        return name;
    }
    const std::string names =
        kindName + ".dbf - " + kindName + std::to_string(kAlternativeNames) + ".dbf";
    return Status::error(
        err::kFileAlreadyExists,
        "the names " + names + " in the program folder are all taken by other files",
        "имена " + names + " в папке программы все заняты другими файлами");
}

// The output must not replace the source or the template.
Status checkOutputTarget(const Main& main) {
    const std::string outputPath = main.sourceFolder + main.outputFileName;
    if (store::sameFile(outputPath, main.sourceFolder + main.sourceFileName) ||
        store::sameFile(outputPath, main.programFolder + main.templateFileName)) {
        const bool source = store::sameFile(outputPath, main.sourceFolder + main.sourceFileName);
        return Status::error(err::kFileAlreadyExists,
                             "the output file " + outputPath + " would replace " +
                                 (source ? "the source" : "the template"),
                             "новый файл " + outputPath + " заменил бы " +
                                 (source ? "исходный файл" : "список типов"));
    }
    return {};
}

// The width of VALUE: the longest label plus the margin, at most 254. In code page 1251 (the
// Russian interface) a character is a byte and the reader's width holds, widened when
// transliteration makes a label longer (Щ gives Sh) so that no label is cut. A UTF-8 output
// (the English interface) counts the bytes of the labels.
int labelColumnWidth(const Main& main) {
    int width = main.labelWidth;
    const bool translit = main.form("TrnCase").value == 1;
    if (!translit && main.russian) return std::min(width, kMaxLabelWidth);
    const SourceRecords& records = main.sourceRecords;
    std::vector<bool> seen(records.textCount(), false);  // each distinct label once
    for (std::size_t r = 0; r < records.size(); ++r) {
        const SourceRecords::Id id = records.row(r).label;
        if (id == store::TextPool::kEmpty || seen[id]) continue;
        seen[id] = true;
        std::string_view label = records.text(id);
        Result<std::string> latin = std::string();
        if (translit) {
            latin = Translit(std::string(label), kTranslitScheme);
            if (!latin) continue;
            label = *latin;
        }
        const std::size_t length = main.russian ? store::countCharacters(label) : label.size();
        width = std::max(
            width, static_cast<int>(std::min<std::size_t>(length, kMaxLabelWidth)) + kLabelMargin);
        if (width >= kMaxLabelWidth) break;
    }
    return std::min(width, kMaxLabelWidth);
}

// The header patch itself, on the whole header held in memory, written back in one piece.
Status patchHeader(const Main& main, const std::string& path, store::ObjectKind kind) {
    Result<store::FileDescriptor> file = store::openFile(path, O_RDWR);
    if (!file) return file.status();
    Result<std::vector<std::uint8_t>> bytes = store::readUpTo(path, store::kMaxHeaderLength);
    if (!bytes) return bytes.status();
    Result<store::DbfHeader> parsed = store::parseDbfHeader(*bytes, bytes->size());
    if (!parsed) return parsed.status();
    const std::size_t headerLength = parsed->headerLength;
    std::vector<std::uint8_t> header(bytes->begin(),
                                     bytes->begin() + static_cast<std::ptrdiff_t>(headerLength));
    const int fieldCount = static_cast<int>(parsed->fields.size());

    // Language driver byte.
    header[store::kLanguageDriverOffset] =
        main.russian ? store::kLanguageCp1251 : store::kLanguageAnsi;
    header[store::kLanguageDriverOffset + 1] = 0;
    // Marked unfinished until the conversion puts it in place.
    header[store::kIncompleteOffset] = store::kIncompleteMark;

    // Field widths and the record length that follows from them.
    int recordLength = static_cast<int>(parsed->recordLength);
    const auto apply = [&](const WidthPatch& patch) -> Status {
        if (patch.column > fieldCount) {
            return Status::error(err::kFail,
                                 "the new table has no column " + std::to_string(patch.column),
                                 "в новой таблице нет столбца " + std::to_string(patch.column));
        }
        std::uint8_t* descriptor = header.data() + store::kFieldDescriptorSize * patch.column;
        const std::string& name = parsed->fields[static_cast<std::size_t>(patch.column - 1)].name;
        if (name != patch.name) {
            const std::string column = std::to_string(patch.column);
            return Status::error(
                err::kFail,
                "column " + column + " of the new table is " + name + ", not " + patch.name,
                "столбец " + column + " новой таблицы - " + name + ", а не " + patch.name);
        }
        recordLength += patch.length - descriptor[store::kDescriptorLengthOffset];
        descriptor[store::kDescriptorLengthOffset] = static_cast<std::uint8_t>(patch.length);
        descriptor[store::kDescriptorDecimalsOffset] = 0;
        return {};
    };
    for (const WidthPatch& patch : kCommonPatches) {
        if (Status s = apply(patch); !s) return s;
    }
    for (const WidthPatch& patch : kindPatches(kind)) {
        if (Status s = apply(patch); !s) return s;
    }
    store::encodeLe16(header.data() + store::kRecordLengthOffset,
                      static_cast<std::uint16_t>(recordLength));
    header[store::kRecordLengthOffset + 2] = 0;
    header[store::kRecordLengthOffset + 3] = 0;

    Status status = store::writeAt(file->get(), header.data(), header.size(), 0, path);
    Status closed = file->close(path);
    return status ? closed : status;
}

// The source's own code-page file: the source's name with ".cpg" for its extension.
std::string sourceCodePageFileName(const Main& main) {
    const std::string& name = main.sourceFileName;
    const std::size_t dot = name.find_last_of('.');
    return (dot == std::string::npos || dot == 0 ? name : name.substr(0, dot)) + ".cpg";
}

// Removes the files in `folder` whose names differ from `name` only in letter case and that
// `mayGo` allows (an older output that the map compiler might otherwise pick); never `name`
// itself under another spelling on a file system that ignores case.
template <typename Allowed>
Status removeCaseVariants(const std::string& folder, const std::string& name, Allowed mayGo) {
    for (const std::string& other : store::namesIgnoringCase(folder, name)) {
        const std::string path = folder + other;
        if (other == name || store::sameFile(path, folder + name) || !mayGo(path)) continue;
        if (Status s = store::deleteFile(path); !s) return s;
    }
    return {};
}

}  // namespace

std::string outputTableStatement(const std::string& tableName, store::ObjectKind kind,
                                 int labelWidth, bool garminColumns) {
    std::string statement = "CREATE TABLE ";
    statement += tableName;
    statement +=
        ".dbf (LVL char(1),TYPE char(7),L_LIMIT numeric(2,0),U_LIMIT numeric(2,0),"
        "P_LIMIT numeric(2,0),LAYER numeric(3,0),COLOR numeric(3,0),MODE char(1),FONT char(3),"
        "[VALUE] char(";
    statement += std::to_string(std::clamp(labelWidth, 1, kMaxLabelWidth));
    statement += ")";
    if (kind == store::ObjectKind::Polygon) {
        statement +=
            ",BDR_COLOR numeric(3,0),BDR_WIDTH numeric(2,0),ICON char(40),"
            "BDR_PATTER char(10)";
    } else if (kind == store::ObjectKind::Line) {
        statement +=
            ",WIDTH numeric(2,0),BFR_COLOR numeric(3,0),BFR_WIDTH numeric(2,0),"
            "HAL_COLOR numeric(3,0),RTP_LIMIT numeric(2,0),RTP_COLOR numeric(3,0),"
            "ICON char(40),PATTERN char(10),BFR_PATTER char(10)";
    } else if (kind == store::ObjectKind::Point) {
        statement += ",HAL_COLOR numeric(3,0),ICON char(40),P_ICON char(40),INFO_BOX char(25)";
    }
    statement += ",MAJ_CAT char(40),MIN_CAT char(40)";
    statement +=
        ",CLRRGB char(8),BDR_CLRRGB char(8),BDF_CLRRGB char(8),RTP_CLRRGB char(8),"
        "HAL_CLRRGB char(8)";
    statement +=
        garminColumns ? ",GRMN_TYPE char(25),HGT_DP_FMT char(10),HGT_DP numeric(4,0));" : ");";
    return statement;
}

Status writeOutputCodePage(const Main& main) {
    const std::string& name = main.codePageFileName;
    // Never the source's own: it describes the user's table, not ours.
    if (name.empty() || store::equalsIgnoringCase(name, sourceCodePageFileName(main))) return {};
    if (Status s = store::writeLines(main.sourceFolder + name, {outputCodePage(main.russian)});
        !s) {
        return s;
    }
    const std::string sourceCodePage = main.sourceFolder + sourceCodePageFileName(main);
    return removeCaseVariants(main.sourceFolder, name, [&](const std::string& path) {
        return !store::sameFile(path, sourceCodePage);
    });
}

Status removeOldOutputSpellings(const Main& main) {
    // Only an older output goes: never the source, nor a table of the user's own that happens
    // to have that name.
    const std::string source = main.sourceFolder + main.sourceFileName;
    return removeCaseVariants(main.sourceFolder, main.outputFileName, [&](const std::string& path) {
        return !store::sameFile(path, source) && hasOutputColumns(path);
    });
}

Status markOutputTable(const std::string& path, bool finished) {
    Result<store::FileDescriptor> file = store::openFile(path, O_RDWR);
    if (!file) return file.status();
    const std::uint8_t mark = finished ? 0 : store::kIncompleteMark;
    Status status = store::writeAt(file->get(), &mark, 1, store::kIncompleteOffset, path);
    Status closed = file->close(path);
    return status ? closed : status;
}

bool DBFprepare(Main& main) {
    const Control& foundTypes = main.form("GM_TYPE");
    const bool typesFound = !foundTypes.items.empty() && !foundTypes.items.front().empty();
    if (!main.sourceChosen(typesFound) || !main.kindChosen(main.namedKind)) return false;
    main.platform.setBusy(true);
    main.att(main.tr(" обработка исходного файла...", " processing of the source file..."));
    main.doEvents();
    main.platform.pause(500);
    bool ready = DBFmake(main);
    if (ready) {
        ready = DBFedit(main, main.programFolder + main.outputTableName + ".dbf", main.namedKind);
    }
    main.platform.setBusy(false);
    return ready;
}

bool DBFmake(Main& main) {
    Status status = checkOutputTarget(main);
    Result<std::string> name = status ? chooseTableName(main) : Result<std::string>(status);
    if (name) {
        main.outputTableName = *name;
        status = main.connection.execute(outputTableStatement(
            *name, main.namedKind, labelColumnWidth(main), main.form("TagMPC").value == 1));
        // The code-page file says 65001 for an English-interface output: its text is UTF-8.
        main.connection.setTextEncoding(*name, outputTextEncoding(main.russian));
    } else {
        status = name.status();
    }
    if (!status) {
        main.att(" ! создать файл не удалось, DBFmake: " + status.toString(main.russian));
        main.platform.beep();
        main.platform.setBusy(false);
        return false;
    }
    return true;
}

bool DBFedit(Main& main, const std::string& path, store::ObjectKind kind) {
    Status status = patchHeader(main, path, kind);
    if (!status) {
        main.att(" ! преобразовать структуру не удалось, DBFedit: " +
                 status.toString(main.russian));
        main.platform.beep();
        main.platform.setBusy(false);
        return false;
    }
    return true;
}

}  // namespace tavrolin
