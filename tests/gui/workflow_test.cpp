// A user's whole session in the real window on the offscreen platform: the shipped template and
// icons, the sample map, a small Polish-format map, and the clicks, keys and drops a user makes.
// Each step is checked on the message line and on the files it writes.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QUrl>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "app/main_window.h"
#include "gui/qt_colors.h"
#include "gui/qt_window.h"
#include "store/connection.h"
#include "store/scripted_platform.h"
#include "support/record_rows.h"
#include "support/temp_folder.h"
#include "templates/palette.h"
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
    // Chooses the entry of a list that begins with `text` with the keyboard, as a user does.
    void pick(const std::string& name, const std::string& text) {
        auto* box = dynamic_cast<QComboBox*>(view->widgetFor(name));
        ASSERT_NE(box, nullptr) << name;
        settle();
        int entry = 0;
        while (entry < box->count() &&
               !box->itemText(entry).startsWith(QString::fromStdString(text))) {
            ++entry;
        }
        ASSERT_LT(entry, box->count()) << name << " has no " << text;
        box->setFocus();
        while (box->currentIndex() > entry) QTest::keyClick(box, Qt::Key_Up);
        while (box->currentIndex() < entry) QTest::keyClick(box, Qt::Key_Down);
        settle();
    }
    std::string shown(const std::string& name) {
        settle();
        QWidget* widget = view->widgetFor(name);
        if (auto* box = dynamic_cast<QComboBox*>(widget)) return box->currentText().toStdString();
        return dynamic_cast<QLineEdit*>(widget)->text().toStdString();
    }
    // Column `name` of the rows of a table that hold the given values, read through a
    // connection of the test's own.
    static std::vector<std::string> column(
        const fs::path& table, const std::string& name,
        const std::vector<std::pair<std::string, std::string>>& where) {
        store::Connection connection;
        EXPECT_TRUE(connection.open(table.parent_path().string() + "/").isOk());
        auto set = connection.openRecordSet("SELECT * FROM " + table.stem().string());
        EXPECT_TRUE(set.isOk()) << set.status().toString();
        std::vector<std::string> values;
        for (; set && !set->eof(); tavrolin::testing::next(*set)) {
            const bool chosen = std::all_of(where.begin(), where.end(), [&](const auto& pair) {
                return set->value(pair.first)->toText() == pair.second;
            });
            if (chosen) values.push_back(set->value(name)->toText());
        }
        return values;
    }
    static std::string read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream content;
        content << in.rdbuf();
        return content.str();
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

TEST_F(Workflow, FromTheLanguageThroughATemplateEditToTheTablesTheSkinTheMapsAndTheGuide) {
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

    // The sample dropped on the window is read: polygons, the types found and the template's
    // types of that kind.
    drop(source());
    EXPECT_TRUE(platform.fileQuestions.empty());
    ASSERT_TRUE(main().sourceRead) << att();
    EXPECT_EQ(main().namedKind, store::ObjectKind::Polygon);
    EXPECT_TRUE(dynamic_cast<QRadioButton*>(view->widgetFor("SVID", 0))->isChecked());
    auto* found = dynamic_cast<QComboBox*>(view->widgetFor("GM_TYPE"));
    EXPECT_GE(found->findText("0x3c"), 0);
    EXPECT_GE(found->findText("0x400"), 0);
    EXPECT_GT(dynamic_cast<QComboBox*>(view->widgetFor("MP_TYPE"))->count(), found->count());

    // The lake's type: a new colour and a new upper limit, saved into the template.
    pick("GM_TYPE", "0x3c");
    EXPECT_EQ(shown("MP_TYPE").rfind("0x3c  |  ", 0), 0u);
    // The sample area is filled with the colour of the type's colour code.
    QWidget* sample = view->widgetFor("SAMPLE");
    const QColor fill =
        sample->grab().toImage().pixelColor(sample->width() / 2, sample->height() / 2);
    EXPECT_EQ(fromQColor(fill), paletteColor(std::stoi(shown("COLOR"))));
    const std::string upper = shown("U_LIMIT");
    ASSERT_FALSE(upper.empty());
    EXPECT_EQ(shown("CLRRGB"), "");
    QTest::keyClicks(view->widgetFor("CLRRGB"), "1e90ff");
    auto* limits = dynamic_cast<QComboBox*>(view->widgetFor("U_LIMIT"));
    pick("U_LIMIT", limits->itemText(limits->currentIndex() + 1).toStdString());
    const std::string newUpper = shown("U_LIMIT");
    ASSERT_NE(newUpper, upper);
    platform.messageReplies.push_back(MessageAnswer::Ok);
    click("btnAtrSave");
    ASSERT_FALSE(platform.messages.empty());
    EXPECT_EQ(platform.messages.back().title, "Сохранение атрибутов по типу");
    EXPECT_EQ(att(), " атрибуты выбранного типа успешно сохранены");
    const fs::path templateTable = home.root() / "Tavrolin.dbf";
    EXPECT_EQ(column(templateTable, "CLRRGB", {{"VID", "0"}, {"MP_TYPE", "0x3c"}}),
              std::vector<std::string>{"1E90FF"});
    EXPECT_EQ(column(templateTable, "U_LIMIT", {{"VID", "0"}, {"MP_TYPE", "0x3c"}}),
              std::vector<std::string>{newUpper});
    // Read back: another type, then the lake again, shows what was saved.
    pick("GM_TYPE", "0x400");
    EXPECT_NE(shown("U_LIMIT"), newUpper);
    pick("GM_TYPE", "0x3c");
    EXPECT_EQ(shown("CLRRGB"), "1E90FF");
    EXPECT_EQ(shown("U_LIMIT"), newUpper);

    // By types: the lake's objects carry the saved attributes.
    click("btnMakeType");
    EXPECT_EQ(att(), " файл с новыми атрибутами по типам успешно создан");
    const fs::path output = maps.root() / main().outputFileName;
    ASSERT_TRUE(fs::exists(output));
    const auto lakes = column(output, "CLRRGB", {{"TYPE", "0x3c"}});
    ASSERT_FALSE(lakes.empty());
    for (const std::string& colour : lakes) EXPECT_EQ(colour, "1E90FF");
    EXPECT_EQ(column(output, "U_LIMIT", {{"TYPE", "0x3c"}, {"LVL", ""}}),
              std::vector<std::string>{newUpper});

    // By depth on the topographic scheme: the depth areas get the scheme's colours instead.
    click("fillTOPO");
    click("btnMakeName");
    EXPECT_EQ(att(), " файл с новыми атрибутами по глубинам успешно создан");
    // The areas labelled 7 m and 12 m take the scheme's colours, the level-1 copies keep their
    // type's colour.
    EXPECT_EQ(column(output, "COLOR", {{"VALUE", "7"}, {"LVL", ""}}),
              std::vector<std::string>{"62"});
    EXPECT_EQ(column(output, "COLOR", {{"VALUE", "12"}, {"LVL", ""}}),
              std::vector<std::string>{"56"});
    EXPECT_EQ(column(output, "COLOR", {{"VALUE", "7"}, {"LVL", "1"}}),
              std::vector<std::string>{"22"});

    // The skin beside the source.
    click("btnMakeSkin");
    EXPECT_TRUE(fs::exists(maps.root() / "lake_areas.txt")) << att();

    // A Polish-format map: "MP" writes a label point per named polygon, "RM" retypes the depth
    // areas by their labels on the coarse scale, since the depth scheme in force is TOPO.
    const fs::path map = maps.root() / "lake.mp";
    std::ofstream(map, std::ios::binary)
        << "[IMG ID]\r\nName=Lake Svetloe, depth areas and their labels\r\n[END-IMG ID]\r\n"
           "[POLYGON]\r\nType=0x3c\r\nLabel=Svetloe\r\nData0=(57.1,39.2),(57.3,39.6)\r\n"
           "[END]\r\n[POLYGON]\r\nType=0x4a\r\nLabel=5\r\nData0=(57.2,39.3),(57.2,39.5)\r\n"
           "[END]\r\n[POLYGON]\r\nType=0x4a\r\nData0=(57.0,39.0),(57.1,39.1)\r\n[END]\r\n";
    platform.openFileReplies.push_back(map.string());
    click("btnReadShp");
    EXPECT_EQ(att(), " файл точек из полигонов с подписями успешно создан");
    const std::string points = read(maps.root() / "lake-imc.mp");
    EXPECT_NE(points.find("[POI]\r\nType=0x2800\r\nLabel=Svetloe\r\nData0=(57.2,39.4)\r\n"),
              std::string::npos);
    EXPECT_NE(points.find("Label=5\r\nData0=(57.2,39.4)"), std::string::npos);
    EXPECT_EQ(points.find("Data0=(57.05,39.05)"), std::string::npos);  // the unnamed one
    platform.openFileReplies.push_back(map.string());
    click("btnReadRmp");
    EXPECT_EQ(att(), " файл с типами полигонов по цветовой схеме успешно создан");
    const std::string retyped = read(maps.root() / "lake-rm.mp");
    EXPECT_NE(retyped.find("Type=0x400\r\nLabel=Svetloe"), std::string::npos);
    EXPECT_NE(retyped.find("Type=0x403\r\nLabel=5"), std::string::npos);
    EXPECT_NE(retyped.find("Type=0x4a\r\nData0=(57.0,39.0)"), std::string::npos);
    EXPECT_EQ(platform.shownFiles.back(), (maps.root() / "lake-rm.mp").string());

    // The guide in the program's home.
    click("btnHelp");
    EXPECT_TRUE(fs::exists(home.root() / "Tavrolin.txt")) << att();
}

}  // namespace
}  // namespace tavrolin
