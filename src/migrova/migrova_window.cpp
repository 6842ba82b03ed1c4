#include "migrova/migrova_window.h"

#include <utility>

#include "migrova/migrova_controls.h"
#include "migrova/template_transfer.h"
#include "store/common_services.h"
#include "store/file_io.h"
#include "window/main_state.h"

namespace tavrolin::migrova {

namespace {

constexpr const char* kDialogTitle = "Выберите файл:";
constexpr const char* kSameFile = " ! для переноса выбран один и тот же файл атрибутов";
constexpr const char* kUpdating = " обновление атрибутов...";
constexpr const char* kProgress = " обновление атрибутов: ";
constexpr const char* kDone = " атрибуты обновлены успешно";
constexpr int kRowsPerProgressStep = 100;

std::string pathOf(const Form& form, const char* box) { return form(box).text; }

}  // namespace

const MigrovaWindow::SideTexts MigrovaWindow::kOldSide = {
    "SrcOld",
    "AttOld",
    "OpenOld",
    kOldStartText,
    "Старый файл атрибутов dBASE v4 .dbf,*.DBF",
    " * для продолжения работы укажите старый файл Tavrolin.dbf",
    "Старый файл атрибутов выбран корректно (записей #",
    "VID",
    false,
};

const MigrovaWindow::SideTexts MigrovaWindow::kNewSide = {
    "SrcNew",
    "AttNew",
    "OpenNew",
    kNewStartText,
    "Новый файл атрибутов dBASE v4 .dbf,*.DBF",
    " * для продолжения работы укажите новый файл Tavrolin.dbf",
    "Новый файл атрибутов выбран корректно (записей #",
    "YN",
    true,
};

MigrovaWindow::MigrovaWindow(Platform& platform, std::string programFolder)
    : m_platform(platform),
      m_programFolder(std::move(programFolder)),
      m_old(kOldSide),
      m_new(kNewSide) {
    buildMigrovaControls(m_form);
    m_form.on("OpenOld", Event::Click, [this](int) { OpenOld_Click(); });
    m_form.on("OpenNew", Event::Click, [this](int) { OpenNew_Click(); });
    m_form.on("RunJoin", Event::Click, [this](int) { RunJoin_Click(); });
}

MigrovaWindow::~MigrovaWindow() { Form_Unload(); }

void MigrovaWindow::OpenOld_Click() { choose(m_old); }
void MigrovaWindow::OpenNew_Click() { choose(m_new); }
bool MigrovaWindow::CheckOld() { return check(m_old); }
bool MigrovaWindow::CheckNew() { return check(m_new); }

void MigrovaWindow::Form_Unload() {
    (void)m_old.connection.close();
    (void)m_new.connection.close();
}

void MigrovaWindow::setLabel(Side& side, const std::string& text, bool highlight) {
    m_form.setCaption(side.texts.label, text);
    m_form.change(side.texts.label, -1, [highlight](Control& c) {
        c.foreColor = highlight ? color::kHighlight : color::kWindowText;
    });
}

void MigrovaWindow::reportChoiceFailure(Side& side, const Status& status) {
    std::string message;
    switch (status.number()) {
        case err::kFileNotFound:
        case err::kBadFileName:
        case err::kInvalidArgument:
        case err::kPathNotFound:   // the folder is gone as well
        case err::kTableNotFound:  // the store finds no such table file
            message = side.texts.chooseNotice;
            break;
        case err::kPermissionDenied:
            message = " ! файл занят другим приложением, чтение атрибутов невозможно";
            break;
        case err::kFail:
            message = " ! невозможно проверить файл по выбранному пути";
            break;
        case kErrNotNewTemplate:
            message = " ! в новом файле должны быть поля атрибутов YN и MP_ENG";
            break;
        default:
            message = std::string(" ! ") + side.texts.procedure + ": " + status.toString();
            break;
    }
    setLabel(side, message, true);
    m_platform.beep();
}

void MigrovaWindow::choose(Side& side) {
    if (m_running) return;
    side.ready = false;
    m_form.setEnabled("RunJoin", false);
    setLabel(side, side.texts.startText, false);

    // The dialog's own failures come in a message box, titled with their number.
    const store::MessageSink dialogFailure = [this](const std::string& line) {
        const std::size_t dot = line.find(". ");
        MessageQuestion box;
        box.title = line.substr(0, dot);
        box.prompt = dot == std::string::npos ? std::string() : line.substr(dot + 2);
        box.icon = MessageIcon::Critical;
        m_platform.showMessage(box);
    };
    const std::string start = store::OpenPath("*.dbf", pathOf(m_form, "SrcOld"), m_programFolder);
    std::string path = store::OpenDialogWithTitle(m_platform, start, side.texts.filter,
                                                  kDialogTitle, dialogFailure);
    if (path.find('*') != std::string::npos) path.clear();  // cancelled: the start path came back
    m_form.setText(side.texts.pathBox, path);

    if (path.empty()) {
        reportChoiceFailure(side, Status::error(err::kInvalidArgument, "no file chosen"));
    } else {
        side.ready = check(side);
    }
    if (m_old.ready && m_new.ready) {
        m_form.setEnabled("RunJoin", true);
        m_form.setFocus("RunJoin");
    }
}

bool MigrovaWindow::check(Side& side) {
    const std::string path = pathOf(m_form, side.texts.pathBox);
    const std::size_t slash = path.find_last_of(store::io::kPathSeparators);
    side.folder = slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
    side.fileName = slash == std::string::npos ? path : path.substr(slash + 1);

    Status status = side.connection.open(side.folder);
    if (!status) {
        reportChoiceFailure(side, status);
        return false;
    }
    Result<store::RecordSet> rows =
        side.connection.openRecordSet("SELECT * FROM " + tableReference(side.fileName));
    if (!rows) {
        reportChoiceFailure(side, rows.status());
        return false;
    }
    if (rows->fieldIndex(side.texts.requiredColumn)) {
        setLabel(side, side.texts.acceptedText + std::to_string(rows->recordCount()) + ")", false);
        return true;
    }
    if (side.texts.isNew) {
        reportChoiceFailure(side, Status::error(kErrNotNewTemplate, "no YN column"));
    }
    return false;  // an old table without VID: the start text stays
}

void MigrovaWindow::appendLog(const std::string& line) {
    m_form.setText("Att", m_form("Att").text + "\n" + line);
    m_platform.processEvents();
}

void MigrovaWindow::RunJoin_Click() {
    if (m_running) return;
    // One file under two names would be rewritten against itself.
    const std::string oldPath = m_old.folder + m_old.fileName;
    const std::string newPath = m_new.folder + m_new.fileName;
    if (pathOf(m_form, "SrcOld") == pathOf(m_form, "SrcNew") || store::sameFile(oldPath, newPath)) {
        setLabel(m_new, kSameFile, true);
        return;
    }
    m_running = true;
    m_succeeded = false;
    m_form.setText("Att", "");
    Status status = transfer();
    if (status) {
        m_form.setEnabled("RunJoin", false);  // a second run needs a new choice of tables
        appendLog(kDone);
        m_succeeded = true;
    } else {
        appendLog(" ошибка #" + status.toString());
        m_platform.beep();
    }
    m_running = false;
}

Status MigrovaWindow::transfer() {
    Result<store::RecordSet> oldRows = m_old.connection.openRecordSet(
        "SELECT * FROM " + tableReference(m_old.fileName) + " ORDER BY VID, MP_TYPE");
    if (!oldRows) return oldRows.status();
    m_form.setText("Att", kUpdating);
    const int step = oldRows->recordCount() / kRowsPerProgressStep;

    TransferEvents events;
    events.logLine = [this](const std::string& line) { appendLog(line); };
    events.rowSaved = [this, step](int row) {
        if (step < 1 || row % step != 0) return;
        setLabel(m_new, progressBar(kProgress, row, step), false);
        m_platform.processEvents();
    };
    return transferRows(*oldRows, m_new.connection, tableReference(m_new.fileName), events);
}

}  // namespace tavrolin::migrova
