#include "gui/qt_platform.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLocale>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <filesystem>

#include "gui/qt_colors.h"

namespace tavrolin {

namespace {

constexpr int kFileManagerTimeoutMs = 3000;

QString qs(const std::string& text) { return QString::fromStdString(text); }

// "Tables (*.dbf)": Qt's form of a description and a pattern list ("*.dbf;*.DBF").
QString nameFilter(const std::pair<std::string, std::string>& filter) {
    QString patterns = qs(filter.second);
    patterns.replace(';', ' ');
    return qs(filter.first) + " (" + patterns + ")";
}

// Asks the desktop's file manager, over the freedesktop interface, to show the file selected.
bool showItemOverDBus(const QString& path) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return false;
    QDBusMessage call = QDBusMessage::createMethodCall("org.freedesktop.FileManager1",
                                                       "/org/freedesktop/FileManager1",
                                                       "org.freedesktop.FileManager1", "ShowItems");
    call << QStringList{QUrl::fromLocalFile(path).toString()} << QString();
    QDBusMessage reply = bus.call(call, QDBus::Block, kFileManagerTimeoutMs);
    return reply.type() == QDBusMessage::ReplyMessage;
}

// While a dialog or a message box waits for the user the pointer is the normal one, also in the
// middle of a long operation that shows the busy pointer: the program is not working then.
class NormalPointerWhileWaiting {
   public:
    explicit NormalPointerWhileWaiting(bool busy) : m_busy(busy) {
        if (m_busy) QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~NormalPointerWhileWaiting() {
        if (m_busy) QApplication::restoreOverrideCursor();
    }
    NormalPointerWhileWaiting(const NormalPointerWhileWaiting&) = delete;
    NormalPointerWhileWaiting& operator=(const NormalPointerWhileWaiting&) = delete;

   private:
    bool m_busy;
};

// Whether the desktop names a program for folders (xdg-mime's default for inode/directory).
bool hasFolderProgram() {
    QProcess query;
    query.start("xdg-mime", {"query", "default", "inode/directory"});
    if (!query.waitForFinished(kFileManagerTimeoutMs)) {
        query.kill();
        query.waitForFinished();
        return false;
    }
    return query.exitCode() == 0 && !query.readAllStandardOutput().trimmed().isEmpty();
}

}  // namespace

int desktopLanguage() {
#ifdef _WIN32
    return systemUiLanguage();
#else
    std::string locale = localeFromEnvironment();
    if (locale.empty()) locale = QLocale::system().name().toStdString();
    return languageFromLocale(locale);
#endif
}

QtPlatform::QtPlatform(std::optional<bool> russian) : m_russian(russian) {}

QtPlatform::~QtPlatform() {
    if (m_busy) QApplication::restoreOverrideCursor();
}

void QtPlatform::flushWindow() {
    if (m_flush) m_flush();
}

std::optional<std::string> QtPlatform::askOpenFile(const FileQuestion& question) {
    flushWindow();
    const NormalPointerWhileWaiting normalPointer(m_busy);
    // The start path is a folder, a folder followed by a pattern, or a file.
    namespace fs = std::filesystem;
    fs::path start(question.startPath);
    std::error_code ec;
    QString folder;
    QString fileName;
    if (!question.startPath.empty() && fs::is_directory(start, ec)) {
        folder = qs(start.string());
    } else if (!start.parent_path().empty() && fs::is_directory(start.parent_path(), ec)) {
        folder = qs(start.parent_path().string());
        const std::string name = start.filename().string();
        if (name.find_first_of("*?") == std::string::npos) fileName = qs(name);
    }
    QStringList filters;
    for (const auto& filter : question.filters) filters << nameFilter(filter);

    QFileDialog dialog(m_window, qs(question.title), folder);
    dialog.setFileMode(QFileDialog::ExistingFile);  // a typed name must name an existing file
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (!filters.isEmpty()) dialog.setNameFilters(filters);
    if (!fileName.isEmpty()) dialog.selectFile(fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().front().toStdString();
}

std::string QtPlatform::askInput(const InputQuestion& question) {
    flushWindow();
    const NormalPointerWhileWaiting normalPointer(m_busy);
    bool ok = false;
    QString text = QInputDialog::getText(m_window, qs(question.title), qs(question.prompt),
                                         QLineEdit::Normal, qs(question.initialText), &ok);
    return ok ? text.toStdString() : std::string();
}

MessageAnswer QtPlatform::showMessage(const MessageQuestion& question) {
    flushWindow();
    const NormalPointerWhileWaiting normalPointer(m_busy);
    QMessageBox box(m_window);
    box.setWindowTitle(qs(question.title));
    box.setText(qs(question.prompt));
    switch (question.icon) {
        case MessageIcon::None:
            box.setIcon(QMessageBox::NoIcon);
            break;
        case MessageIcon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case MessageIcon::Question:
            box.setIcon(QMessageBox::Question);
            break;
        case MessageIcon::Exclamation:
            box.setIcon(QMessageBox::Warning);
            break;
        case MessageIcon::Critical:
            box.setIcon(QMessageBox::Critical);
            break;
    }
    switch (question.buttons) {
        case MessageButtons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case MessageButtons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case MessageButtons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
    }
    QPushButton* copy = nullptr;
    if (!question.copyButton.empty()) {
        copy = box.addButton(qs(question.copyButton), QMessageBox::ActionRole);
        // Selectable, so that a part of it can be copied too.
        box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    const int answer = box.exec();
    if (copy != nullptr && box.clickedButton() == copy) {
        QGuiApplication::clipboard()->setText(qs(question.copyText));
        return MessageAnswer::Ok;
    }
    switch (answer) {
        case QMessageBox::Ok:
            return MessageAnswer::Ok;
        case QMessageBox::Yes:
            return MessageAnswer::Yes;
        case QMessageBox::No:
            return MessageAnswer::No;
        default:
            break;
    }
    // Closing the box without a button counts as its negative answer.
    return question.buttons == MessageButtons::YesNo ? MessageAnswer::No
           : question.buttons == MessageButtons::Ok  ? MessageAnswer::Ok
                                                     : MessageAnswer::Cancel;
}

std::optional<std::uint32_t> QtPlatform::pickColor(std::uint32_t initial) {
    flushWindow();
    const NormalPointerWhileWaiting normalPointer(m_busy);
    QColor chosen = QColorDialog::getColor(toQColor(initial), m_window);
    if (!chosen.isValid()) return std::nullopt;
    return fromQColor(chosen);
}

void QtPlatform::beep() { QApplication::beep(); }

void QtPlatform::setBusy(bool busy) {
    if (busy == m_busy) return;
    m_busy = busy;
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

void QtPlatform::processEvents() {
    flushWindow();
    QCoreApplication::processEvents();
}

void QtPlatform::pause(int milliseconds) {
    flushWindow();
    if (milliseconds <= 0) {
        QCoreApplication::processEvents();
        return;
    }
    // The window keeps painting during the pause but takes no clicks, as during a sleep.
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

bool QtPlatform::isCtrlDown() {
    return (QGuiApplication::queryKeyboardModifiers() & Qt::ControlModifier) != 0;
}

bool QtPlatform::showInFileManager(const std::string& path) {
    const QString file = qs(path);
#ifdef _WIN32
    // Explorer opens the file's folder with the file selected.
    return QProcess::startDetached("explorer", {"/select,", QDir::toNativeSeparators(file)});
#endif
    if (showItemOverDBus(file)) return true;
    // No file manager answers the freedesktop call: open the folder with the desktop's folder
    // program, when it has one (the opener itself starts even when nothing would show it).
    if (!hasFolderProgram()) return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(file).absolutePath()));
}

bool QtPlatform::openDocument(const std::string& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(qs(path)));
}

int QtPlatform::oemCodePage() { return systemOemCodePage(); }

int QtPlatform::uiLanguage() {
    if (m_russian.has_value()) return *m_russian ? kLanguageRussian : kLanguageEnglish;
    return desktopLanguage();
}

void QtPlatform::showMap() {
    if (m_showMap) m_showMap();
}

}  // namespace tavrolin
