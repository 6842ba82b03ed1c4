// Takes the screenshots of the README: a user's session in the real window, with the desktop's
// real dialogs and message boxes, on a real X display (scripts/screenshots.sh starts one under
// Xvfb). Each stage is grabbed from the screen with ImageMagick's import. The program works on
// copies of the shipped template and icons and of the sample map, in a folder of its own.
//
// Usage: workflow_shots BUILD_FOLDER EXAMPLES_FOLDER OUTPUT_FOLDER
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <deque>
#include <filesystem>
#include <functional>
#include <iostream>
#include <string>

#include "app/main_window.h"
#include "gui/qt_platform.h"
#include "gui/qt_window.h"

namespace {

namespace fs = std::filesystem;
using tavrolin::QtMainWindow;

constexpr int kPaintMs = 400;  // time the window and a new dialog get to paint before a shot

void wait(int milliseconds) { QTest::qWait(milliseconds); }

class Session {
   public:
    Session(QtMainWindow& window, std::string output) : m_window(window), m_output(output) {
        // Dialogs are modal: they are answered from a timer that runs inside their own loop.
        connect();
    }

    // Grabs the part of the screen that the window and the dialog on top of it cover.
    void shoot(const std::string& name, QWidget* dialog = nullptr) {
        QRect area = m_window.frameGeometry();
        if (dialog != nullptr) area = area.united(dialog->frameGeometry());
        shootArea(name, area);
    }

    // Grabs the part of the screen that a window of its own covers.
    void shootWindow(const std::string& name, QWidget* window) {
        shootArea(name, window->frameGeometry());
    }

    void shootArea(const std::string& name, QRect area) {
        wait(kPaintMs);
        const std::string path = m_output + "/" + name + ".png";
        const QString crop =
            QString("%1x%2+%3+%4").arg(area.width()).arg(area.height()).arg(area.x()).arg(area.y());
        // 128 colours without dithering keep every swatch and letter and a third of the size.
        const int code = QProcess::execute(
            "import", {"-window", "root", "-crop", crop, "+repage", "-strip", "-dither", "None",
                       "-colors", "128", "PNG8:" + QString::fromStdString(path)});
        std::cout << (code == 0 ? "wrote " : "FAILED ") << path << std::endl;
        if (code != 0) m_failed = true;
    }

    // The answer to the next dialog: an optional shot, then what the user does in it.
    void expectDialog(std::string shot, std::function<void(QWidget*)> answer) {
        m_answers.push_back({std::move(shot), std::move(answer)});
    }

    void click(const char* name) {
        auto* button = qobject_cast<QPushButton*>(m_window.widgetFor(name));
        if (button == nullptr || !button->isEnabled()) {
            std::cerr << "cannot click " << name << "\n";
            m_failed = true;
            return;
        }
        QTest::mouseClick(button, Qt::LeftButton);
        settle();
    }

    // Chooses the first entry of a list that begins with `text`, with the keyboard.
    void pick(const char* name, const QString& text) {
        auto* box = qobject_cast<QComboBox*>(m_window.widgetFor(name));
        settle();
        int entry = 0;
        while (box != nullptr && entry < box->count() && !box->itemText(entry).startsWith(text)) {
            ++entry;
        }
        if (box == nullptr || entry == box->count()) {
            std::cerr << name << " has no entry " << text.toStdString() << "\n";
            m_failed = true;
            return;
        }
        box->setFocus();
        while (box->currentIndex() > entry) QTest::keyClick(box, Qt::Key_Up);
        while (box->currentIndex() < entry) QTest::keyClick(box, Qt::Key_Down);
        settle();
    }

    void type(const char* name, const QString& text) {
        QWidget* widget = m_window.widgetFor(name);
        widget->setFocus();
        QTest::keyClicks(widget, text);
        settle();
    }

    // Grabs the window with the list of a drop-down list opened.
    void shootOpenList(const std::string& shot, const char* name) {
        auto* box = qobject_cast<QComboBox*>(m_window.widgetFor(name));
        box->showPopup();
        shoot(shot, box->view()->window());
        box->hidePopup();
        settle();
    }

    QString nextEntry(const char* name) {
        auto* box = qobject_cast<QComboBox*>(m_window.widgetFor(name));
        return box->itemText(box->currentIndex() + 1);
    }

    void settle() {
        m_window.flush();
        wait(50);
    }

    bool failed() const { return m_failed || !m_answers.empty(); }

   private:
    struct Answer {
        std::string shot;
        std::function<void(QWidget*)> act;
    };

    void connect() {
        auto* timer = new QTimer(&m_window);
        QObject::connect(timer, &QTimer::timeout, &m_window, [this] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (dialog == nullptr || dialog == m_answering || m_answers.empty()) return;
            m_answering = dialog;
            Answer answer = std::move(m_answers.front());
            m_answers.pop_front();
            if (!answer.shot.empty()) {
                shoot(answer.shot, dialog);
            } else {
                wait(kPaintMs);
            }
            answer.act(dialog);
            m_answering = nullptr;
        });
        timer->start(100);
    }

    QtMainWindow& m_window;
    std::string m_output;
    std::deque<Answer> m_answers;
    QWidget* m_answering = nullptr;
    bool m_failed = false;
};

// What a user does in each kind of dialog.
std::function<void(QWidget*)> chooseFile(const std::string& path) {
    return [path](QWidget* dialog) {
        auto* files = qobject_cast<QFileDialog*>(dialog);
        if (files == nullptr) return;
        // The user types the path into the name box and presses Open.
        auto* name = files->findChild<QLineEdit*>("fileNameEdit");
        if (name == nullptr) return;
        name->setFocus();
        QTest::keyClicks(name, QString::fromStdString(path));
        wait(kPaintMs);
        QTest::keyClick(name, Qt::Key_Return);
    };
}

void pressOk(QWidget* dialog) {
    auto* box = qobject_cast<QMessageBox*>(dialog);
    if (box == nullptr) return;
    QAbstractButton* ok = box->button(QMessageBox::Ok);
    if (ok != nullptr) ok->click();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: workflow_shots BUILD_FOLDER EXAMPLES_FOLDER OUTPUT_FOLDER\n";
        return 2;
    }
    const fs::path build = argv[1];
    const fs::path examples = argv[2];
    const std::string output = fs::absolute(argv[3]).string();
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    QApplication::setApplicationName("Tavrolin");

    // The program's home and the user's map folder.
    const fs::path scratch = fs::temp_directory_path() / "tavrolin-shots";
    fs::remove_all(scratch);
    const fs::path home = scratch / "home";
    const fs::path maps = scratch / "maps";
    fs::create_directories(home);
    fs::create_directories(maps);
    fs::copy_file(build / "Tavrolin.dbf", home / "Tavrolin.dbf");
    fs::copy(build / "icons", home / "icons", fs::copy_options::recursive);
    for (const char* sample : {"lake_areas.dbf", "lake.mp", "lake_contours.dbf",
                               "lake_contours.shp", "lake_contours.shx"}) {
        fs::copy_file(examples / sample, maps / sample);
    }

    tavrolin::QtPlatform platform(true);  // a Russian desktop
    tavrolin::StartOptions start;
    start.home = home.string() + "/";
    start.russian = true;
    tavrolin::MainWindow model(platform, start);
    QtMainWindow window(model.main());
    platform.setWindow(&window, [&window] { window.flush(); });
    platform.setMapOpener([&window] { window.showMap(); });
    model.load();
    window.flush();
    window.move(0, 0);
    window.show();

    Session session(window, output);
    session.settle();
    session.shoot("workflow-1-start");

    session.click("btnLang");
    session.shoot("workflow-2-english");

    const std::string source = (maps / "lake_areas.dbf").string();
    session.expectDialog("workflow-3-choose-source", chooseFile(source));
    session.click("btnSource");
    session.shootOpenList("workflow-4-source-read", "GM");

    session.pick("GM_TYPE", "0x3c");
    session.type("CLRRGB", "1E90FF");
    session.pick("U_LIMIT", session.nextEntry("U_LIMIT"));
    session.shoot("workflow-5-type-edited");
    session.expectDialog("workflow-6-save-type", pressOk);
    session.click("btnAtrSave");

    // No file manager runs under Xvfb: each output is announced in a box with its path.
    session.expectDialog("workflow-7-by-types", pressOk);
    session.click("btnMakeType");

    session.click("fillTOPO");
    session.expectDialog("", pressOk);
    session.click("btnMakeName");
    session.shoot("workflow-8-by-depth");

    session.expectDialog("workflow-9-skin", pressOk);
    session.click("btnMakeSkin");

    const std::string map = (maps / "lake.mp").string();
    session.expectDialog("", chooseFile(map));
    session.expectDialog("", pressOk);
    session.click("btnReadShp");
    session.expectDialog("workflow-10-choose-map", chooseFile(map));
    session.expectDialog("workflow-11-map-retyped", pressOk);
    session.click("btnReadRmp");

    // The contours in the map window, drawn as the template gives them.
    session.expectDialog("", chooseFile((maps / "lake_contours.dbf").string()));
    session.click("btnSource");
    session.click("btnMap");
    if (QWidget* map = window.mapWindow()) {
        map->move(0, 0);
        map->resize(1100, 720);
        session.settle();
        session.shootWindow("map_window", map);
        map->close();
    }

    model.unload();
    fs::remove_all(scratch);
    if (session.failed()) {
        std::cerr << "workflow_shots: a step did not go as planned\n";
        return 1;
    }
    return 0;
}
