// The desktop services of the windows: display, busy pointer, event turns and pauses,
// and the message boxes answered as a user would; and Migrova's window on them.
#include "gui/qt_platform.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <functional>
#include <optional>

#include "app/main_window.h"
#include "gui/qt_display.h"
#include "gui/qt_migrova_window.h"
#include "gui/qt_window.h"
#include "migrova/migrova_window.h"
#include "store/scripted_platform.h"
#include "test_application.h"

namespace tavrolin {
namespace {

// Answers the next modal dialog as a user would, once it is open.
void whenModalOpens(std::function<void(QWidget*)> answer) {
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, answer] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            poll->stop();
            poll->deleteLater();
            answer(dialog);
        }
    });
    poll->start();
}

// Sets environment variables for one test and puts the old values back after it.
class Environment {
   public:
    ~Environment() {
        for (auto it = m_saved.rbegin(); it != m_saved.rend(); ++it) put(it->first, it->second);
    }
    void set(const char* name, const char* value) {
        const char* old = std::getenv(name);
        m_saved.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        put(name, value ? std::optional<std::string>(value) : std::nullopt);
    }

   private:
    static void put(const std::string& name, const std::optional<std::string>& value) {
        if (value) {
            setenv(name.c_str(), value->c_str(), 1);
        } else {
            unsetenv(name.c_str());
        }
    }
    std::vector<std::pair<std::string, std::optional<std::string>>> m_saved;
};

TEST(QtDisplay, ALocalDisplayWithoutAServerIsNoDisplay) {
    Environment environment;
    environment.set("QT_QPA_PLATFORM", nullptr);
    environment.set("WAYLAND_DISPLAY", nullptr);
    environment.set("DISPLAY", nullptr);
    EXPECT_FALSE(hasDisplay());
    environment.set("DISPLAY", ":4242.0");  // no X server listens on a display that high
    EXPECT_FALSE(hasDisplay());
    environment.set("DISPLAY", "mapserver:0");  // remote: taken on trust
    EXPECT_TRUE(hasDisplay());
    environment.set("QT_QPA_PLATFORM", "offscreen");
    environment.set("DISPLAY", ":4242");
    EXPECT_TRUE(hasDisplay());
}

TEST(QtPlatform, BusyPointerIsSetOnceAndAlwaysRestored) {
    testApplication();
    {
        QtPlatform platform;
        platform.setBusy(true);
        platform.setBusy(true);
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        platform.setBusy(false);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        platform.setBusy(false);  // an unmatched restore must not pop someone else's pointer
        platform.setBusy(true);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);  // a platform gone busy restores it
}

TEST(QtPlatform, EventsAndPausesBringTheWindowUpToDate) {
    testApplication();
    QtPlatform platform;
    MainWindow model(platform, StartOptions{});
    QtMainWindow window(model.main());
    platform.setWindow(&window, [&window] { window.flush(); });
    auto* att = dynamic_cast<QLineEdit*>(window.widgetFor("Att"));
    model.main().att(" reading the source");
    platform.processEvents();
    EXPECT_EQ(att->text(), " reading the source");
    model.main().att(" converted");
    platform.pause(60);
    EXPECT_EQ(att->text(), " converted");
    platform.setWindow(nullptr);
}

TEST(QtPlatform, MessageBoxAnswersFollowTheButtonsAndCopyPutsThePathOnTheClipboard) {
    testApplication();
    QtPlatform platform;
    whenModalOpens([](QWidget* dialog) {
        qobject_cast<QMessageBox*>(dialog)->button(QMessageBox::Cancel)->click();
    });
    EXPECT_EQ(platform.showMessage({"Saving attribute by type", " Overwrite the selected type ",
                                    MessageButtons::OkCancel, MessageIcon::Question}),
              MessageAnswer::Cancel);
    // Closed without a button: the negative answer.
    whenModalOpens([](QWidget* dialog) { dialog->close(); });
    EXPECT_EQ(platform.showMessage({"", "Sure?", MessageButtons::YesNo, MessageIcon::None}),
              MessageAnswer::No);

    whenModalOpens([](QWidget* dialog) {
        for (QAbstractButton* button : qobject_cast<QMessageBox*>(dialog)->buttons()) {
            if (button->text() == "Copy path") button->click();
        }
    });
    MessageQuestion question{"Tavrolin", "The result was written to:\n/maps/lake.dbf",
                             MessageButtons::Ok, MessageIcon::Information};
    question.copyButton = "Copy path";
    question.copyText = "/maps/lake.dbf";
    EXPECT_EQ(platform.showMessage(question), MessageAnswer::Ok);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "/maps/lake.dbf");
}

// Migrova's window on screen follows its model: clicks reach the handlers, the labels take the
// highlight colour after a failure, and the log shows its last line.
TEST(QtMigrovaWindow, ClicksReachTheModelAFailureIsHighlightedAndTheLogShowsItsEnd) {
    testApplication();
    ScriptedPlatform platform(1049);
    migrova::MigrovaWindow model(platform, "/opt/migrova/");
    QtMigrovaWindow window(model.form());
    window.show();
    auto* label = qobject_cast<QLabel*>(window.widgetFor("AttNew"));
    auto* log = qobject_cast<QPlainTextEdit*>(window.widgetFor("Att"));
    ASSERT_TRUE(label && log);
    const QColor normal = label->palette().color(QPalette::WindowText);

    QTest::mouseClick(window.widgetFor("OpenNew"), Qt::LeftButton);  // the dialog is cancelled
    EXPECT_EQ(label->text().toStdString(),
              " * для продолжения работы укажите новый файл Tavrolin.dbf");
    EXPECT_EQ(label->palette().color(QPalette::WindowText),
              QApplication::palette().color(QPalette::Highlight));
    EXPECT_NE(label->palette().color(QPalette::WindowText), normal);

    std::string text = " обновление атрибутов...";
    for (int i = 0; i < 200; ++i) text += "\n" + std::to_string(i) + " >> 0x" + std::to_string(i);
    model.form().setText("Att", text.substr(0, text.size() / 2));
    model.form().setText("Att", text);
    QApplication::processEvents();
    EXPECT_EQ(log->toPlainText().toStdString(), text);
    EXPECT_GT(log->verticalScrollBar()->value(), 0);
    EXPECT_EQ(log->verticalScrollBar()->value(), log->verticalScrollBar()->maximum());
}

}  // namespace
}  // namespace tavrolin
