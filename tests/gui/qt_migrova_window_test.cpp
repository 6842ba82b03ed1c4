// Migrova's window on screen follows its model: clicks reach the handlers, the labels take the
// highlight colour after a failure, and the log shows its last line.
#include "gui/qt_migrova_window.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "migrova/migrova_window.h"
#include "store/scripted_platform.h"
#include "test_application.h"

namespace tavrolin {
namespace {

TEST(QtMigrovaWindow, ClicksReachTheModelAFailureIsHighlightedAndTheLogShowsItsEnd) {
    testApplication();
    ScriptedPlatform platform(1049);
    migrova::MigrovaWindow model(platform, "/opt/migrova/");
    QtMigrovaWindow window(model.form());
    window.show();
    EXPECT_EQ(window.windowTitle().toStdString(),
              " Обновление пользовательских таблиц атрибутов Tavrolin");
    auto* label = qobject_cast<QLabel*>(window.widgetFor("AttNew"));
    auto* log = qobject_cast<QPlainTextEdit*>(window.widgetFor("Att"));
    ASSERT_TRUE(label && log);
    EXPECT_FALSE(window.widgetFor("RunJoin")->isEnabled());
    const QColor normal = label->palette().color(QPalette::WindowText);

    QTest::mouseClick(window.widgetFor("OpenNew"), Qt::LeftButton);  // the dialog is cancelled
    ASSERT_EQ(platform.fileQuestions.size(), 1u);
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
    EXPECT_GT(log->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(log->verticalScrollBar()->value(), log->verticalScrollBar()->maximum());
    model.form().setText("Att", "");  // a new run starts the log afresh
    EXPECT_TRUE(log->toPlainText().isEmpty());
}

}  // namespace
}  // namespace tavrolin
