// A user's whole session in the real window on the offscreen platform: the shipped template and
// icons, the sample map, and the clicks, keys and drops a user makes. Each step is checked on the
// message line and on the files it writes.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QUrl>
#include <filesystem>

#include "app/main_window.h"
#include "gui/qt_window.h"
#include "store/scripted_platform.h"
#include "support/temp_folder.h"
#include "test_application.h"

namespace tavrolin {
namespace {

namespace fs = std::filesystem;

class Workflow : public ::testing::Test {
   protected:
    void SetUp() override {
        testApplication();
        const fs::path build = TAVROLIN_BINARY_DIR;
        fs::copy_file(build / "Tavrolin.dbf", home.root() / "Tavrolin.dbf");
        fs::copy(build / "icons", home.root() / "icons", fs::copy_options::recursive);
        fs::copy_file(fs::path(TAVROLIN_SOURCE_DIR) / "examples/lake_areas.dbf", source());
        model = std::make_unique<MainWindow>(
            platform, StartOptions{home.root().string() + "/", "", true, false});
        view = std::make_unique<QtMainWindow>(model->main());
        model->load();
        view->show();
        settle();
    }
    void TearDown() override {
        view.reset();
        model.reset();
    }

    fs::path source() const { return maps.root() / "lake_areas.dbf"; }
    Main& main() { return model->main(); }
    std::string att() {
        settle();
        return dynamic_cast<QLineEdit*>(view->widgetFor("Att"))->text().toStdString();
    }
    void settle() {
        view->flush();
        QTest::qWait(5);
    }
    void click(const std::string& name, int index = -1) {
        QWidget* widget = view->widgetFor(name, index);
        ASSERT_NE(widget, nullptr) << name;
        ASSERT_TRUE(widget->isEnabled()) << name;
        QTest::mouseClick(widget, Qt::LeftButton);
        settle();
    }
    void drop(const fs::path& path) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path.string()))});
        QDropEvent event(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        static_cast<QObject&>(*view).event(&event);  // no drag in progress to deliver it
        QTest::qWait(20);
        settle();
    }

    testing::ScratchFolder home{"tavrolin_workflow_home_"};
    testing::ScratchFolder maps{"tavrolin_workflow_maps_"};
    ScriptedPlatform platform{1049};
    std::unique_ptr<MainWindow> model;
    std::unique_ptr<QtMainWindow> view;
};

TEST_F(Workflow, FromTheLanguageToTheConvertedTablesTheSkinAndTheGuide) {
    // Russian at start; the language button switches to English and back.
    auto* language = dynamic_cast<QPushButton*>(view->widgetFor("btnLang"));
    ASSERT_NE(language, nullptr);
    EXPECT_EQ(language->text(), "EN");
    click("btnLang");
    EXPECT_EQ(language->text(), "RU");
    EXPECT_FALSE(main().russian);
    click("btnLang");
    EXPECT_EQ(language->text(), "EN");
    EXPECT_TRUE(main().russian);

    // The sample dropped on the window is read: polygons, and the type list of that kind.
    drop(source());
    EXPECT_TRUE(platform.fileQuestions.empty());
    ASSERT_TRUE(main().sourceRead) << att();
    EXPECT_EQ(main().namedKind, store::ObjectKind::Polygon);
    EXPECT_TRUE(dynamic_cast<QRadioButton*>(view->widgetFor("SVID", 0))->isChecked());
    EXPECT_GT(dynamic_cast<QComboBox*>(view->widgetFor("MP_TYPE"))->count(), 0);

    // By types.
    click("btnMakeType");
    EXPECT_EQ(att(), " файл с новыми атрибутами по типам успешно создан");
    const fs::path output = maps.root() / main().outputFileName;
    ASSERT_TRUE(fs::exists(output));
    const auto byTypes = fs::file_size(output);

    // By depth on the topographic scheme.
    click("fillTOPO");
    click("btnMakeName");
    EXPECT_EQ(att(), " файл с новыми атрибутами по глубинам успешно создан");
    EXPECT_TRUE(fs::exists(output));
    EXPECT_GT(byTypes, 0u);
    EXPECT_EQ(platform.shownFiles.size(), 2u);

    // The skin beside the source, and the guide in the program's home.
    click("btnMakeSkin");
    EXPECT_TRUE(fs::exists(maps.root() / "lake_areas.txt")) << att();
    click("btnHelp");
    EXPECT_TRUE(fs::exists(home.root() / "Tavrolin.txt")) << att();
}

}  // namespace
}  // namespace tavrolin
