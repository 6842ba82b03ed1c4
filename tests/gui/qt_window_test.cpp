// The real main window over a model that has not run its start-up, so that each test decides the
// state it looks at; handlers registered by a test replace the program's own. The whole program
// in this window is the workflow test's; here: when changes reach the widgets, how disabled
//  controls look, and the paths of events that are easy to get wrong.
#include "gui/qt_window.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QRadioButton>
#include <QTest>
#include <QUrl>
#include <stdexcept>

#include "app/main_window.h"
#include "store/scripted_platform.h"
#include "test_application.h"

namespace tavrolin {
namespace {

class QtWindowTest : public ::testing::Test {
   protected:
    QtWindowTest() : model(platform, StartOptions{}), view((testApplication(), model.main())) {}

    Form& form() { return model.form(); }
    template <typename W>
    W* widget(const std::string& name, int index = -1) {
        W* w = dynamic_cast<W*>(view.widgetFor(name, index));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    // The colour in the middle of a widget as drawn, and its darkest pixel (its text).
    QColor middle(QWidget* w) {
        view.flush();
        return w->grab().toImage().pixelColor(w->width() / 2, w->height() / 2);
    }
    int darkest(QWidget* w) {
        view.flush();
        const QImage image = w->grab().toImage();
        int lightness = 255;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                lightness = std::min(lightness, image.pixelColor(x, y).lightness());
            }
        }
        return lightness;
    }

    ScriptedPlatform platform;
    MainWindow model;
    QtMainWindow view;
};

TEST_F(QtWindowTest, ModelChangesReachTheWidgetsTogetherOnTheNextFlush) {
    form().setText("Source", "/maps/river.dbf");
    form().setValue("SVID", 1, 2);
    for (int i = 0; i < 3; ++i) form().addItem("GM", "0x4b  |  Озеро " + std::to_string(i));
    form().setItems("AFONT", {"", "8", "8B"});
    form().setText("AFONT", "9X");  // an editable list shows typed text that is no entry
    form().setItems("COLOR", {"0", "16", "255", ""});
    // Coalesced: nothing has reached the widgets yet.
    EXPECT_NE(widget<QLineEdit>("Source")->text(), "/maps/river.dbf");
    EXPECT_EQ(widget<QComboBox>("GM")->count(), 0);
    view.flush();
    EXPECT_EQ(widget<QLineEdit>("Source")->text(), "/maps/river.dbf");
    EXPECT_TRUE(widget<QRadioButton>("SVID", 2)->isChecked());
    EXPECT_EQ(widget<QComboBox>("GM")->itemText(2).toStdString(), "0x4b  |  Озеро 2");
    EXPECT_EQ(widget<QComboBox>("AFONT")->currentText(), "9X");
    // Colour lists carry a swatch per code, none for the blank entry; other lists none.
    EXPECT_FALSE(widget<QComboBox>("COLOR")->itemIcon(1).isNull());
    EXPECT_TRUE(widget<QComboBox>("COLOR")->itemIcon(3).isNull());
    EXPECT_TRUE(widget<QComboBox>("GM")->itemIcon(0).isNull());

    // Another option clears the first; entries replaced by as many others are shown anew.
    form().setValue("SVID", 1, 0);
    form().setItems("GM", {"a"});
    form().setItems("COLOR", {"1", "2", "3", "4"});
    view.flush();
    EXPECT_FALSE(widget<QRadioButton>("SVID", 2)->isChecked());
    EXPECT_EQ(widget<QComboBox>("GM")->count(), 1);
    EXPECT_EQ(widget<QComboBox>("COLOR")->itemText(3), "4");
}

TEST_F(QtWindowTest, DisabledControlsLookDisabledUnlessTheyShowAColourOrAPicture) {
    QWidget* caption = view.widgetFor("lblINFO_BOX");
    const int enabled = darkest(caption);
    form().setEnabled("lblINFO_BOX", false);
    EXPECT_GT(darkest(caption), enabled + 40) << "disabled caption drawn like an enabled one";

    QWidget* box = view.widgetFor("BDR_CLRRGB");
    const QColor empty = middle(box);
    form().setEnabled("BDR_CLRRGB", false);
    EXPECT_NE(middle(box), empty) << "a disabled empty box drawn like an enabled one";
    form().change("BDR_CLRRGB", -1, [](Control& c) { c.backColor = 0x0000FF; });  // red
    EXPECT_EQ(middle(box), QColor(255, 0, 0));

    const QString picture = QDir::temp().filePath("tavrolin_gui_icon.png");
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(picture));
    form().change("ICONS", -1, [&](Control& c) { c.picture = picture.toStdString(); });
    view.flush();
    EXPECT_FALSE(widget<QLabel>("ICONS")->pixmap().isNull());
    QFile::remove(picture);
}

// The paths of user actions the workflow does not take: an option clicked again, and a double
// click on a swatch or on the box around it, both for the swatch's index.
TEST_F(QtWindowTest, UserActionsReachTheModelAndRaiseItsEvents) {
    std::vector<std::string> events;
    form().on("SVID", Event::Click, [&](int i) { events.push_back("SVID " + std::to_string(i)); });
    form().on("POLY", Event::DblClick,
              [&](int i) { events.push_back("POLY " + std::to_string(i)); });
    view.show();
    view.flush();
    QTest::mouseClick(widget<QRadioButton>("SVID", 1), Qt::LeftButton);
    QTest::mouseClick(widget<QRadioButton>("SVID", 1), Qt::LeftButton);
    EXPECT_TRUE(widget<QRadioButton>("SVID", 1)->isChecked());
    EXPECT_EQ(form()("SVID", 1).value, 1);
    QTest::mouseDClick(widget<QLabel>("POLY", 7), Qt::LeftButton);
    QTest::mouseDClick(view.widgetFor("POLYS", 3), Qt::LeftButton);
    EXPECT_EQ(events, (std::vector<std::string>{"SVID 1", "POLY 7", "POLY 3"}));
}

TEST_F(QtWindowTest, AHandlerThatRewritesTypedTextDoesNotLoop) {
    int changes = 0;
    form().on("CLRRGB", Event::Change, [&](int) {
        ++changes;
        std::string upper = form()("CLRRGB").text;
        for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        form().setText("CLRRGB", upper);  // raises Change once more, then settles
    });
    view.show();
    QTest::keyClicks(widget<QLineEdit>("CLRRGB"), "a0");
    view.flush();
    EXPECT_EQ(form()("CLRRGB").text, "A0");
    EXPECT_EQ(widget<QLineEdit>("CLRRGB")->text(), "A0");
    EXPECT_EQ(changes, 3);  // "a", its upper-casing "A", then "A0" which needs none
    // The colour boxes take at most 8 characters, in the widget as in the model.
    QTest::keyClicks(widget<QLineEdit>("CLRRGB"), "1234567890");
    view.flush();
    EXPECT_EQ(widget<QLineEdit>("CLRRGB")->text(), "A0123456");

    form().on("btnHelp", Event::Click, [](int) { throw std::runtime_error("no guide"); });
    QTest::mouseClick(view.widgetFor("btnHelp"), Qt::LeftButton);
    EXPECT_EQ(form()("Att").text, " ! btnHelp_Click: no guide");
    EXPECT_EQ(platform.beeps, 1);
}

TEST_F(QtWindowTest, FilesDroppedOnAnyWidgetReachTheModelWithShift) {
    std::vector<std::string> clicked;
    for (const char* button : {"btnSource", "btnReadShp", "btnReadRmp"}) {
        form().on(button, Event::Click, [&clicked, button, this](int) {
            clicked.push_back(std::string(button) + " " + *platform.takeOpenFileAnswer());
        });
    }
    view.show();
    // A text box would take the dropped path as text: the drop goes on to the window.
    EXPECT_FALSE(widget<QLineEdit>("Source")->acceptDrops());
    EXPECT_TRUE(view.acceptDrops());
    for (auto [path, modifiers] : {std::pair{"/maps/lake.dbf", Qt::NoModifier},
                                   {"/maps/lake.mp", Qt::NoModifier},
                                   {"/maps/lake.mp", Qt::ShiftModifier},
                                   {"/maps/lake.shp", Qt::NoModifier}}) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDropEvent event(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, modifiers);
        // Without a drag in progress the application delivers no drop: hand it to the window.
        static_cast<QObject&>(view).event(&event);
        QTest::qWait(20);
    }
    EXPECT_EQ(clicked,
              (std::vector<std::string>{"btnSource /maps/lake.dbf", "btnReadShp /maps/lake.mp",
                                        "btnReadRmp /maps/lake.mp"}));
    EXPECT_EQ(form()("Att").text, " * drop a .DBF or .MP file: /maps/lake.shp");
}

TEST_F(QtWindowTest, TheStartTimerFiresOnceAfterTheWindowIsShown) {
    int ticks = 0;
    form().on("STRT", Event::Timer, [&](int) { ++ticks; });
    form().change("STRT", -1, [](Control& c) { c.interval = 20; });
    view.flush();
    QTest::qWait(60);
    EXPECT_EQ(ticks, 0);  // not before the window is shown
    view.show();
    QTest::qWait(120);
    EXPECT_EQ(ticks, 1);
    // One shot; disarmed and armed again by the model: one more tick.
    form().change("STRT", -1, [](Control& c) { c.enabled = false; });
    view.flush();
    form().change("STRT", -1, [](Control& c) { c.enabled = true; });
    view.flush();
    QTest::qWait(120);
    EXPECT_EQ(ticks, 2);
}

}  // namespace
}  // namespace tavrolin
