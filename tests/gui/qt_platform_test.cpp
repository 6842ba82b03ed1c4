#include "gui/qt_platform.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

#include "app/main_window.h"
#include "gui/qt_window.h"
#include "test_application.h"

namespace tavrolin {
namespace {

namespace fs = std::filesystem;

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

class ScopedLang {
   public:
    explicit ScopedLang(const char* lang) {
        for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
            const char* value = std::getenv(name);
            m_saved.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
            unsetenv(name);
        }
        setenv("LANG", lang, 1);
    }
    ~ScopedLang() {
        for (const auto& [name, value] : m_saved) {
            if (value) {
                setenv(name, value->c_str(), 1);
            } else {
                unsetenv(name);
            }
        }
    }

   private:
    std::vector<std::pair<const char*, std::optional<std::string>>> m_saved;
};

TEST(QtPlatform, LanguageFromTheOptionOrTheLocale) {
    testApplication();
    EXPECT_EQ(QtPlatform(true).uiLanguage(), 1049);
    EXPECT_EQ(QtPlatform(false).uiLanguage(), 1033);
    {
        ScopedLang lang("ru_RU.UTF-8");
        EXPECT_EQ(QtPlatform().uiLanguage(), 1049);
        EXPECT_EQ(QtPlatform(false).uiLanguage(), 1033);  // the option wins
    }
    {
        ScopedLang lang("ru_UA.UTF-8");  // Russian of Ukraine: English
        EXPECT_EQ(QtPlatform().uiLanguage(), 1033);
    }
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
    ASSERT_NE(att, nullptr);

    model.main().att(" reading the source");
    platform.processEvents();
    EXPECT_EQ(att->text(), " reading the source");

    model.main().att(" converted");
    auto started = std::chrono::steady_clock::now();
    platform.pause(60);
    auto elapsed = std::chrono::steady_clock::now() - started;
    EXPECT_EQ(att->text(), " converted");
    EXPECT_GE(elapsed, std::chrono::milliseconds(55));
    platform.setWindow(nullptr);
}

TEST(QtPlatform, MessageBoxAnswersFollowTheButtons) {
    testApplication();
    QtPlatform platform;
    whenModalOpens([](QWidget* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), "Saving attribute by type");
        EXPECT_EQ(box->icon(), QMessageBox::Question);
        box->button(QMessageBox::Cancel)->click();
    });
    EXPECT_EQ(platform.showMessage({"Saving attribute by type", " Overwrite the selected type ",
                                    MessageButtons::OkCancel, MessageIcon::Question}),
              MessageAnswer::Cancel);

    whenModalOpens([](QWidget* dialog) {
        qobject_cast<QMessageBox*>(dialog)->button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(platform.showMessage({"", "OK?", MessageButtons::OkCancel, MessageIcon::None}),
              MessageAnswer::Ok);

    // Closed without a button: the negative answer.
    whenModalOpens([](QWidget* dialog) { dialog->close(); });
    EXPECT_EQ(platform.showMessage({"", "Sure?", MessageButtons::YesNo, MessageIcon::None}),
              MessageAnswer::No);
}

TEST(QtPlatform, TheCopyButtonPutsThePathOnTheClipboard) {
    testApplication();
    QtPlatform platform;
    whenModalOpens([](QWidget* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        ASSERT_NE(box, nullptr);
        for (QAbstractButton* button : box->buttons()) {
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

TEST(QtPlatform, InputBoxGivesTheTextOrEmptyWhenCancelled) {
    testApplication();
    QtPlatform platform;
    whenModalOpens([](QWidget* dialog) {
        auto* input = qobject_cast<QInputDialog*>(dialog);
        ASSERT_NE(input, nullptr);
        EXPECT_EQ(input->textValue(), "Lake");  // pre-filled
        input->setTextValue("Озеро");
        input->accept();
    });
    EXPECT_EQ(platform.askInput({"Type not found", "Add?", "Lake"}), "Озеро");

    whenModalOpens([](QWidget* dialog) { qobject_cast<QInputDialog*>(dialog)->reject(); });
    EXPECT_EQ(platform.askInput({"Type not found", "Add?", "Lake"}), "");
}

TEST(QtPlatform, FileDialogStartsInTheFolderAndReturnsTheChosenFile) {
    testApplication();
    fs::path folder =
        fs::temp_directory_path() / ("tavrolin_gui_dialog_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    std::ofstream(folder / "river.dbf") << "x";
    QtPlatform platform;

    whenModalOpens([&](QWidget* dialog) {
        auto* files = qobject_cast<QFileDialog*>(dialog);
        ASSERT_NE(files, nullptr);
        EXPECT_EQ(files->windowTitle(), "Select source file:");
        EXPECT_EQ(fs::path(files->directory().absolutePath().toStdString()), folder);
        EXPECT_EQ(files->selectedNameFilter(), "dBASE tables (*.dbf *.DBF)");
        files->selectFile("river.dbf");
        static_cast<QDialog*>(files)->accept();  // as the Open button does
    });
    auto chosen = platform.askOpenFile({"Select source file:",
                                        (folder / "*.dbf").string(),
                                        {{"dBASE tables", "*.dbf;*.DBF"}, {"All files", "*.*"}}});
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(fs::path(*chosen), folder / "river.dbf");

    whenModalOpens([](QWidget* dialog) { qobject_cast<QFileDialog*>(dialog)->reject(); });
    EXPECT_FALSE(platform.askOpenFile({"Select source file:", folder.string(), {}}).has_value());
    fs::remove_all(folder);
}

}  // namespace
}  // namespace tavrolin
