#include "skin/skin_writer.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <optional>
#include <vector>

#include "skin/icon_xpm.h"
#include "store/case_fold.h"
#include "store/codepage.h"
#include "store/common_services.h"
#include "store/connection.h"
#include "store/file_error.h"
#include "store/file_io.h"
#include "store/object_kind.h"

namespace tavrolin::skin {

namespace {

constexpr const char* kProcedure = "btnMakeSkin";
constexpr std::string_view kTableExtension = ".dbf";
constexpr const char* kSkinExtension = ".txt";

// The skin file, created anew when the writing starts and filled when it ends.
class SkinFile {
   public:
    Status create(const std::string& path) {
        m_path = path;
        m_fd = store::io::openFile(path, O_WRONLY | O_CREAT | O_TRUNC);
        return m_fd < 0 ? store::fileError(errno, "write", path) : Status();
    }
    // Writes the lines, each with CR LF, in code page 1251, and closes the file.
    Status write(const std::vector<std::string>& lines) {
        std::string text;
        for (const std::string& line : lines) text += line + "\r\n";
        const std::string bytes = store::encodeCp1251(text);
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t count = ::write(m_fd, bytes.data() + done, bytes.size() - done);
            if (count < 0 && errno == EINTR) continue;
            if (count < 0) return store::fileError(errno, "write", m_path);
            done += static_cast<std::size_t>(count);
        }
        const int closed = ::close(m_fd);
        m_fd = -1;
        return closed != 0 ? store::fileError(errno, "write", m_path) : Status();
    }
    ~SkinFile() {
        if (m_fd >= 0) ::close(m_fd);
    }

   private:
    std::string m_path;
    int m_fd = -1;
};

// Writes the blocks of the found types from an open result of the kind's template rows.
class SkinBlocks {
   public:
    SkinBlocks(Main& main, const SkinServices& services, store::RecordSet& rows)
        : m_main(main), m_services(services), m_rows(rows) {
        m_hasYn = rows.fieldIndex("YN").isOk();
        m_hasEnglishName = rows.fieldIndex("MP_ENG").isOk();
    }

    // Writes the block of one found type. False when a column the block needs is missing: the
    // block stays as far as it got and the writing ends.
    bool writeType(const std::string& typeCode);

    std::vector<std::string> lines;
    bool oldTemplate = false;  // a column other than YN and MP_ENG is missing
    Status failure;            // the first other failure
    std::string iconFailureLine;

   private:
    // A column's value as text, null or empty read as the default. Nothing when the column is
    // missing (oldTemplate is set) or cannot be read (failure is kept).
    std::optional<std::string> column(const char* name, const char* nullDefault = "");
    bool writeTemplateRow();
    bool writeLook();
    bool writeLineColour(const std::string& colour);
    void writeIcon(const std::string& iconName, const char* missingComment);
    std::string paletteColour(const std::string& code) const;
    void keep(const Status& status) {
        if (failure.isOk()) failure = status;
    }

    Main& m_main;
    const SkinServices& m_services;
    store::RecordSet& m_rows;
    bool m_hasYn = false;
    bool m_hasEnglishName = false;
};

std::optional<std::string> SkinBlocks::column(const char* name, const char* nullDefault) {
    Result<store::Value> value = m_rows.value(name);
    if (!value) {
        if (value.status().number() == err::kItemNotFound) {
            oldTemplate = true;
        } else {
            keep(value.status());
        }
        return std::nullopt;
    }
    return store::Nz(*value, nullDefault).toText();
}

std::string SkinBlocks::paletteColour(const std::string& code) const {
    int number = -1;
    const auto [end, error] = std::from_chars(code.data(), code.data() + code.size(), number);
    if (error != std::errc() || end != code.data() + code.size() || number < 0 ||
        number >= static_cast<int>(m_services.palette.size())) {
        return {};
    }
    return m_services.palette[static_cast<std::size_t>(number)];
}

bool SkinBlocks::writeType(const std::string& typeCode) {
    Status found = m_rows.moveFirst();
    if (found) found = m_rows.find("MP_TYPE='" + typeCode + "'");
    if (!found) keep(found);
    if (!found || m_rows.eof()) {
        lines.push_back("");
        lines.push_back("; тип " + typeCode + " не описан ");
        return true;
    }
    lines.push_back("");
    lines.push_back("[_" + std::string(store::kindName(m_main.namedKind)) + "]");
    if (!writeTemplateRow() || !writeLook()) return false;
    lines.push_back("[end]");
    return true;
}

bool SkinBlocks::writeTemplateRow() {
    const std::optional<std::string> type = column("MP_TYPE");
    if (!type) return false;
    lines.push_back("Type=" + *type);

    if (m_hasYn) {
        const std::optional<std::string> custom = column("YN", "0");
        if (!custom) return false;
        lines.push_back(*custom == "1" ? "Custom=Y" : "Custom=N");
    } else {
        lines.push_back("Custom=Y");
        lines.push_back("; в Tavrolin.dbf нет указания кастомного типа YN");
    }

    if (m_hasEnglishName) {
        const std::optional<std::string> english = column("MP_ENG");
        if (!english) return false;
        lines.push_back("String1=4 " + *english);
    } else {
        lines.push_back("; в Tavrolin.dbf нет английского названия типа MP_ENG");
    }

    const std::optional<std::string> russian = column("MP_NAME");
    if (!russian) return false;
    lines.push_back("String1=0x19 " + *russian);
    return true;
}

bool SkinBlocks::writeLook() {
    // An icon wins over a colour.
    const std::optional<std::string> icon = column("ICON");
    if (!icon) return false;
    std::string look = *icon;
    if (look.empty()) {
        const std::optional<std::string> code = column("COLOR");
        if (!code) return false;
        if (!code->empty()) look = std::string("#").append(paletteColour(*code));
    }
    if (look.empty()) {
        lines.push_back("; цвет или иконка объекта на заданы");
        return true;
    }
    const bool isColour = look.front() == '#';

    switch (m_main.kind) {
        case store::ObjectKind::Polygon:
            if (!isColour) {
                writeIcon(look, "; иконка заливки полигона задана, но файл иконки не найден");
            } else {
                const std::optional<std::string> width = column("WIDTH", "0");
                if (!width) return false;
                if (width->empty()) {
                    lines.push_back("; толщина границы полигона на задана");
                } else {
                    lines.push_back("Xpm=\"0 0 1 0\"");
                    lines.push_back("0 c " + look);
                }
            }
            return true;
        case store::ObjectKind::Line:
            if (!isColour) {
                lines.push_back("; цвет линии на задан");
                return true;
            }
            return writeLineColour(look);
        case store::ObjectKind::Point:
            if (isColour) {
                lines.push_back("; иконка точки на задана");
            } else {
                writeIcon(look, "; иконка точки задана, но файл иконки не найден");
            }
            return true;
        case store::ObjectKind::None:
            return true;
    }
    return true;
}

bool SkinBlocks::writeLineColour(const std::string& colour) {
    const std::optional<std::string> width = column("WIDTH", "0");
    if (!width) return false;
    const std::optional<std::string> borderWidth = column("BFR_WIDTH", "0");
    if (!borderWidth) return false;
    const std::optional<std::string> pattern = column("PATTERN");
    if (!pattern) return false;
    if (width->empty()) lines.push_back("; толщина линии на задана");
    if (borderWidth->empty()) lines.push_back("; толщина границы линии на задана");
    lines.push_back("LineWidth=" + *width);
    lines.push_back("BorderWidth=" + *borderWidth);
    lines.push_back("Xpm=\"0 0 2 0\"");
    lines.push_back("1 c " + colour);
    lines.push_back("0 c none");
    if (!pattern->empty()) lines.push_back("\"" + *pattern + "\"");
    return true;
}

void SkinBlocks::writeIcon(const std::string& iconName, const char* missingComment) {
    lines.push_back("; иконка " + iconName);
    const bool found =
        m_services.iconFile && m_services.iconFile(m_main.programFolder, iconName).has_value();
    if (!found) {
        lines.push_back(missingComment);
        return;
    }
    Result<std::string> xpm = Icon2Xpm(m_main, m_services, iconName);
    if (xpm) {
        lines.push_back(*xpm);
        return;
    }
    // No broken picture: the failure, as a comment, stands in its place.
    const std::string failureLine =
        " ! " + std::string(kProcedure) + ": " + xpm.status().toString();
    lines.push_back(";" + failureLine);
    if (iconFailureLine.empty()) iconFailureLine = failureLine;
}

Result<store::RecordSet> openTemplateRows(Main& main) {
    const std::string query = "SELECT * FROM " + main.programName +
                              " WHERE VID=" + std::to_string(store::kindNumber(main.kind));
    Result<store::RecordSet> rows =
        main.connection.openRecordSet(query + " ORDER BY MP_TYPE, YN DESC");
    // A template of the old version has no YN to order by.
    if (!rows && rows.status().number() == err::kItemNotFound) {
        rows = main.connection.openRecordSet(query + " ORDER BY MP_TYPE");
    }
    return rows;
}

}  // namespace

std::string skinFilePath(const std::string& sourcePath) {
    // A source of another name keeps it whole, so that the skin never replaces the source.
    if (sourcePath.size() <= kTableExtension.size()) return sourcePath + kSkinExtension;
    const std::size_t stem = sourcePath.size() - kTableExtension.size();
    if (!store::equalsIgnoringCase(std::string_view(sourcePath).substr(stem), kTableExtension)) {
        return sourcePath + kSkinExtension;
    }
    return sourcePath.substr(0, stem) + kSkinExtension;
}

void btnMakeSkin_Click(Main& main, const SkinServices& services) {
    main.att(" создание скин-файла для GME...");
    if (main.namedKind == store::ObjectKind::None) {
        main.att(main.tr(" * выберите вид объекта для создания скина ГМЕ",
                         " * select object to create skin for GME"));
        main.platform.beep();
        if (services.kindHint) services.kindHint(main);
        return;
    }
    const std::vector<std::string> types = main.form("GM_TYPE").items;
    if (types.empty()) return;
    if (!main.templateReady()) return;

    Result<store::RecordSet> rows = openTemplateRows(main);
    main.doEvents();
    if (!rows) {
        if (rows.status().number() == err::kItemNotFound) {
            main.att(main.tr(" ! создание скина невозможно в старой версии Tavrolin.dbf",
                             " ! creating skin-file impossible in the old version Tavrolin.dbf"));
            main.platform.beep();
        } else {
            main.fail(kProcedure, rows.status());
        }
        return;
    }
    if (rows->eof()) {
        main.att(main.tr(" * атрибуты данного типа в списке не найдены",
                         " * attributes of selected type not found in list"));
        main.platform.beep();
        return;
    }

    const std::string path = skinFilePath(main.sourceFolder + main.sourceFileName);
    SkinFile file;
    if (Status created = file.create(path); !created) {
        main.fail(kProcedure, created);
        return;
    }
    SkinBlocks blocks(main, services, *rows);
    blocks.lines.push_back("; скин-файл для GME, тестовая запись из Tavrolin");
    for (const std::string& type : types) {
        if (!blocks.writeType(type)) break;
        main.doEvents();
    }
    if (Status written = file.write(blocks.lines); !written) {
        main.fail(kProcedure, written);
        return;
    }
    store::ShowOutput(main.platform, path, main.russian);

    // Failures met on the way are judged at the end.
    if (blocks.oldTemplate) {
        main.att(main.tr(" ! создание скина невозможно в старой версии Tavrolin.dbf",
                         " ! creating skin-file impossible in the old version Tavrolin.dbf"));
        main.platform.beep();
    } else if (!blocks.failure.isOk()) {
        main.fail(kProcedure, blocks.failure);
    } else if (!blocks.iconFailureLine.empty() && main.form("Att").text != blocks.iconFailureLine) {
        main.att(blocks.iconFailureLine);
        main.platform.beep();
    }
}

}  // namespace tavrolin::skin
