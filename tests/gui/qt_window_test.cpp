#include "gui/qt_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QUrl>
#include <chrono>
#include <fstream>
#include <stdexcept>
#include <unordered_map>

#include "app/main_window.h"
#include "gui/qt_colors.h"
#include "gui/qt_control_widgets.h"
#include "store/scripted_platform.h"
#include "support/temp_folder.h"
#include "templates/palette.h"
#include "templates/template_fixture.h"
#include "test_application.h"

namespace tavrolin {
namespace {

// The real window over a model that has not run its start-up, so that each test decides the
// state it looks at. Handlers registered by a test replace the program's own.
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

    ScriptedPlatform platform;
    MainWindow model;
    QtMainWindow view;
};

QRect pixels(const Control& c) {
    return {QtMainWindow::toPixels(c.left), QtMainWindow::toPixels(c.top),
            QtMainWindow::toPixels(c.width), QtMainWindow::toPixels(c.height)};
}

TEST_F(QtWindowTest, EveryControlHasAWidgetWhereTheModelPlacesIt) {
    for (const Control* c : form().controls()) {
        QWidget* w = view.widgetFor(c->name, c->index);
        if (c->kind == ControlKind::Timer) {
            EXPECT_EQ(w, nullptr);
            continue;
        }
        ASSERT_NE(w, nullptr) << c->name << "(" << c->index << ")";
        EXPECT_EQ(w->geometry(), pixels(*c)) << c->name;
        EXPECT_FALSE(w->geometry().isEmpty()) << c->name << " has no size";
    }
    EXPECT_EQ(view.windowTitle(), "Tavrolin");
}

// The window opens at its designed size, can be made larger, and can be made small enough for a
// 1280 x 720 screen (1920 x 1080 at 150 %) with room for a title bar and a panel; at every size
// nothing overlaps and nothing leaves its frame.
TEST_F(QtWindowTest, LayoutFitsTheScreenAndNothingOverlapsOrLeavesItsFrame) {
    EXPECT_EQ(view.size(), QSize(1300, 552));
    const QSize minimum = view.minimumSizeHint();
    EXPECT_LE(minimum.width(), 1280 - 16);
    EXPECT_LE(minimum.height(), 720 - 80);
    EXPECT_EQ(view.widgetFor("GM")->parentWidget(), view.widgetFor("frmTYPE"));
    EXPECT_EQ(view.widgetFor("POLYS", 24)->parentWidget(), view.widgetFor("frmNAME"));
    EXPECT_EQ(view.widgetFor("P_LIMIT")->parentWidget(), view.widgetFor("frmALL"));
    EXPECT_EQ(view.widgetFor("Att")->parentWidget(), &view);

    // Decorations (areas, samples) may lie under other controls; nothing else may overlap.
    auto isDecoration = [](const Control* c) {
        return c->kind == ControlKind::Shape || c->kind == ControlKind::Line ||
               c->name == "SAMPOI" || c->name == "HALPOI" || c->kind == ControlKind::Timer;
    };
    view.show();
    for (const QSize size : {QSize(1300, 552), minimum, QSize(1900, 1000)}) {
        view.resize(size);
        QApplication::processEvents();
        ASSERT_EQ(view.size(), size);
        SCOPED_TRACE(std::to_string(size.width()) + "x" + std::to_string(size.height()));
        EXPECT_EQ(view.widgetFor("btnLang")->geometry().right(), view.width() - 8 - 1);
        std::vector<const Control*> solid;
        for (const Control* c : form().controls()) {
            QWidget* w = view.widgetFor(c->name, c->index);
            if (w == nullptr) continue;
            EXPECT_TRUE(w->parentWidget()->rect().contains(w->geometry()))
                << c->name << "(" << c->index << ") leaves its container";
            if (!isDecoration(c)) solid.push_back(c);
        }
        for (std::size_t i = 0; i < solid.size(); ++i) {
            for (std::size_t j = i + 1; j < solid.size(); ++j) {
                QWidget* a = view.widgetFor(solid[i]->name, solid[i]->index);
                QWidget* b = view.widgetFor(solid[j]->name, solid[j]->index);
                if (a->parentWidget() != b->parentWidget()) continue;
                EXPECT_FALSE(a->geometry().intersects(b->geometry()))
                    << solid[i]->name << "(" << solid[i]->index << ") overlaps " << solid[j]->name
                    << "(" << solid[j]->index << ")";
            }
        }
    }
}

TEST_F(QtWindowTest, BothIconSpotsAreFreeInsideTheirKindAreas) {
    // Choosing a kind moves the icon preview to one of two fixed spots (twips, panel-relative).
    struct SpotCase {
        int left, top;
        const char* area;
    };
    for (SpotCase spot : {SpotCase{480, 1780, "shpAREA"}, SpotCase{7000, 2100, "shpPOI"}}) {
        form().change("ICONS", -1, [&](Control& c) {
            c.left = spot.left;
            c.top = spot.top;
        });
        view.flush();
        QWidget* icon = view.widgetFor("ICONS");
        EXPECT_EQ(icon->pos(), QPoint(spot.left / 15, spot.top / 15));
        EXPECT_TRUE(view.widgetFor(spot.area)->geometry().contains(icon->geometry()));
        for (const Control* c : form().controls()) {
            QWidget* w = view.widgetFor(c->name, c->index);
            if (w == nullptr || w == icon || w->parentWidget() != icon->parentWidget()) continue;
            if (c->kind == ControlKind::Shape) continue;
            EXPECT_FALSE(w->geometry().intersects(icon->geometry()))
                << "icon at " << spot.left << "," << spot.top << " covers " << c->name;
        }
    }
}

TEST_F(QtWindowTest, ModelChangesShowAfterAFlush) {
    form().setText("Source", "/maps/river.dbf");
    form().setVisible("TrnCase", false);
    form().setValue("SVID", 1, 2);
    // Coalesced: nothing has reached the widgets yet.
    EXPECT_NE(widget<QLineEdit>("Source")->text(), "/maps/river.dbf");
    view.flush();
    EXPECT_EQ(widget<QLineEdit>("Source")->text(), "/maps/river.dbf");
    EXPECT_TRUE(widget<QCheckBox>("TrnCase")->isHidden());
    EXPECT_TRUE(widget<QRadioButton>("SVID", 2)->isChecked());

    // Choosing another option clears the first one in the widgets too.
    form().setValue("SVID", 1, 0);
    view.flush();
    EXPECT_TRUE(widget<QRadioButton>("SVID", 0)->isChecked());
    EXPECT_FALSE(widget<QRadioButton>("SVID", 2)->isChecked());
}

// The darkest pixel of a widget as drawn: its text colour on a light background.
int darkestLightness(QWidget* widget) {
    const QImage image = widget->grab().toImage();
    int darkest = 255;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            darkest = std::min(darkest, image.pixelColor(x, y).lightness());
        }
    }
    return darkest;
}

TEST_F(QtWindowTest, ACaptionLabelGreysOutWithItsList) {
    QWidget* caption = view.widgetFor("lblINFO_BOX");
    view.flush();
    const int enabled = darkestLightness(caption);
    form().setEnabled("lblINFO_BOX", false);
    view.flush();
    EXPECT_GT(darkestLightness(caption), enabled + 40)
        << "disabled caption drawn like an enabled one";
    form().setEnabled("lblINFO_BOX", true);
    view.flush();
    EXPECT_EQ(darkestLightness(caption), enabled);
}

TEST_F(QtWindowTest, ADisabledColourBoxLooksDisabledUnlessItShowsAColour) {
    QWidget* box = view.widgetFor("BDR_CLRRGB");
    auto inside = [&] {
        view.flush();
        return box->grab().toImage().pixelColor(box->width() / 2, box->height() / 2);
    };
    const QColor enabled = inside();
    form().setEnabled("BDR_CLRRGB", false);
    EXPECT_NE(inside(), enabled) << "a disabled empty box drawn like an enabled one";
    form().change("BDR_CLRRGB", -1, [](Control& c) { c.backColor = 0x0000FF; });  // red
    EXPECT_EQ(inside(), QColor(255, 0, 0));
}

TEST_F(QtWindowTest, TabWalksTheWindowAsItReads) {
    std::unordered_map<QWidget*, std::string> names;
    for (const Control* c : form().controls()) {
        QWidget* w = view.widgetFor(c->name, c->index);
        if (w == nullptr || (w->focusPolicy() & Qt::TabFocus) == 0) continue;
        names[w] = c->name + (c->index >= 0 ? std::to_string(c->index) : "");
    }
    // One round of the focus chain from the first button, keeping the controls' own widgets.
    std::vector<std::string> order;
    QWidget* first = view.widgetFor("btnSource");
    QWidget* w = first;
    do {
        auto it = names.find(w);
        if (it != names.end()) order.push_back(it->second);
        w = w->nextInFocusChain();
    } while (w != first);
    EXPECT_EQ(order.size(), names.size()) << "a control is missing from the Tab order";
    auto position = [&](const std::string& name) {
        return std::find(order.begin(), order.end(), name) - order.begin();
    };
    // The top row left to right, then the source frame, the panel areas top to bottom.
    const std::vector<std::string> expected = {
        "btnSource", "Source",     "btnReadShp", "btnReadRmp", "btnHelp", "btnLang",
        "Att",       "SVID0",      "GM",         "GM_TYPE",    "MP_TYPE", "fillDD",
        "BDR_COLOR", "BDR_CLRRGB", "BDR_WIDTH",  "BDR_PATTER", "L_LIMIT", "U_LIMIT",
        "COLOR",     "CLRRGB",     "HAL_COLOR",  "HAL_CLRRGB", "HTML"};
    for (std::size_t i = 1; i < expected.size(); ++i) {
        EXPECT_LT(position(expected[i - 1]), position(expected[i]))
            << expected[i - 1] << " should come before " << expected[i];
    }

    // The real key walks the same way.
    view.show();
    view.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    first->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), view.widgetFor("Source"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), view.widgetFor("btnReadShp"));
}

TEST_F(QtWindowTest, ListsFollowEntriesSelectionAndTypedText) {
    auto* layer = widget<QComboBox>("LAYER");
    form().setItems("LAYER", {"", "0", "1", "2"});
    form().setListIndex("LAYER", 2);
    view.flush();
    ASSERT_EQ(layer->count(), 4);
    EXPECT_EQ(layer->currentIndex(), 2);
    EXPECT_EQ(layer->currentText(), "1");
    form().setListIndex("LAYER", -1);
    view.flush();
    EXPECT_EQ(layer->currentIndex(), -1);

    // An editable list shows typed text that is no entry.
    auto* font = widget<QComboBox>("AFONT");
    form().setItems("AFONT", {"", "8", "8B"});
    form().setText("AFONT", "9X");
    view.flush();
    EXPECT_EQ(font->currentText(), "9X");
    form().setListIndex("AFONT", 2);
    view.flush();
    EXPECT_EQ(font->currentText(), "8B");

    // Entries replaced by others of the same count are shown, not kept.
    form().setItems("LAYER", {"a", "b", "c", "d"});
    view.flush();
    EXPECT_EQ(layer->itemText(0), "a");
    EXPECT_EQ(layer->itemText(3), "d");
}

TEST_F(QtWindowTest, ManyEntriesAddedOneByOneAreAppliedInBulk) {
    auto* found = widget<QComboBox>("GM");
    constexpr int kEntries = 200000;
    auto started = std::chrono::steady_clock::now();
    for (int i = 0; i < kEntries; ++i) {
        form().addItem("GM", "0x4b  |  Озеро " + std::to_string(i));
        if (i % 20000 == 0) view.flush();  // the reader lets the window paint now and then
    }
    EXPECT_LT(found->count(), kEntries);  // not redrawn per entry
    view.flush();
    auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started);
    ASSERT_EQ(found->count(), kEntries);
    EXPECT_EQ(found->itemText(kEntries - 1).toStdString(), "0x4b  |  Озеро 199999");
    // Generous: a rebuild per entry would take minutes.
    EXPECT_LT(seconds.count(), 20.0);

    form().clearList("GM");
    form().addItem("GM", "0x1");
    view.flush();
    ASSERT_EQ(found->count(), 1);
    EXPECT_EQ(found->itemText(0), "0x1");
}

TEST_F(QtWindowTest, ColourListsShowASwatchPerCode) {
    auto* fill = widget<QComboBox>("COLOR");
    form().setItems("COLOR", {"0", "16", "255", ""});
    view.flush();
    ASSERT_EQ(fill->count(), 4);
    EXPECT_FALSE(fill->itemIcon(1).isNull());
    EXPECT_TRUE(fill->itemIcon(3).isNull());  // the blank entry has no colour
    EXPECT_EQ(fill->itemText(1), "16");
    // Other lists carry no swatches.
    form().setItems("LAYER", {"0", "16"});
    view.flush();
    EXPECT_TRUE(widget<QComboBox>("LAYER")->itemIcon(1).isNull());
}

TEST_F(QtWindowTest, ColoursPicturesAndPositionsFollowTheModel) {
    form().change("CLRRGB", -1, [](Control& c) { c.backColor = 0x00FFFF; });  // yellow
    form().change("POLY", 3, [](Control& c) { c.backColor = 0xFF0000; });
    form().change("ICONS", -1, [](Control& c) { c.picture = "/no/such/icon.gif"; });
    view.flush();
    EXPECT_EQ(widget<QLineEdit>("CLRRGB")->palette().color(QPalette::Base), QColor(255, 255, 0));
    EXPECT_EQ(widget<QLabel>("POLY", 3)->palette().color(QPalette::Window), QColor(0, 0, 255));
    EXPECT_TRUE(widget<QLabel>("ICONS")->pixmap().isNull());

    QString picture = QDir::temp().filePath("tavrolin_gui_icon.png");
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(picture));
    form().change("ICONS", -1, [&](Control& c) { c.picture = picture.toStdString(); });
    view.flush();
    EXPECT_FALSE(widget<QLabel>("ICONS")->pixmap().isNull());
    form().change("ICONS", -1, [](Control& c) { c.picture.clear(); });
    view.flush();
    EXPECT_TRUE(widget<QLabel>("ICONS")->pixmap().isNull());
    QFile::remove(picture);

    // The label sample is drawn over its halo.
    QWidget* sample = view.widgetFor("SAMPOI");
    QWidget* halo = view.widgetFor("HALPOI");
    const QObjectList& siblings = sample->parentWidget()->children();
    EXPECT_GT(siblings.indexOf(sample), siblings.indexOf(halo));
}

TEST_F(QtWindowTest, UserActionsReachTheModelAndRaiseItsEvents) {
    std::vector<std::string> events;
    auto record = [&](const std::string& what) {
        return [&events, what](int index) {
            events.push_back(what + (index >= 0 ? "(" + std::to_string(index) + ")" : ""));
        };
    };
    form().on("btnAtrSave", Event::Click, record("btnAtrSave_Click"));
    form().on("LowCase", Event::Click, record("LowCase_Click"));
    form().on("SVID", Event::Click, record("SVID_Click"));
    form().on("BDR_WIDTH", Event::Click, record("BDR_WIDTH_Click"));
    form().on("HTML", Event::Change, record("HTML_Change"));
    form().on("AFONT", Event::Change, record("AFONT_Change"));
    form().on("CLRRGB", Event::DblClick, record("CLRRGB_DblClick"));
    form().on("POLY", Event::DblClick, record("POLY_DblClick"));
    form().setEnabled("btnAtrSave", true);
    view.show();
    view.flush();

    QTest::mouseClick(widget<QPushButton>("btnAtrSave"), Qt::LeftButton);

    QTest::mouseClick(widget<QCheckBox>("LowCase"), Qt::LeftButton);
    EXPECT_EQ(form()("LowCase").value, 1);
    QTest::mouseClick(widget<QCheckBox>("LowCase"), Qt::LeftButton);
    EXPECT_EQ(form()("LowCase").value, 0);

    QTest::mouseClick(widget<QRadioButton>("SVID", 1), Qt::LeftButton);
    EXPECT_EQ(form()("SVID", 1).value, 1);
    // The chosen option clicked again: no event, and the widget stays chosen.
    QTest::mouseClick(widget<QRadioButton>("SVID", 1), Qt::LeftButton);
    EXPECT_TRUE(widget<QRadioButton>("SVID", 1)->isChecked());

    form().setItems("BDR_WIDTH", {"", "1", "2"});
    view.flush();
    auto* width = widget<QComboBox>("BDR_WIDTH");
    width->setFocus();
    QTest::keyClick(width, Qt::Key_Down);
    EXPECT_EQ(form()("BDR_WIDTH").listIndex, 0);
    QTest::keyClick(width, Qt::Key_Down);
    EXPECT_EQ(form()("BDR_WIDTH").listIndex, 1);
    EXPECT_EQ(form()("BDR_WIDTH").text, "1");

    QTest::keyClicks(widget<QLineEdit>("HTML"), "ff");
    EXPECT_EQ(form()("HTML").text, "ff");
    QTest::keyClicks(widget<QComboBox>("AFONT")->lineEdit(), "9");
    EXPECT_EQ(form()("AFONT").text, "9");

    QTest::mouseDClick(widget<QLineEdit>("CLRRGB"), Qt::LeftButton);
    QTest::mouseDClick(widget<QLabel>("POLY", 7), Qt::LeftButton);
    QTest::mouseDClick(view.widgetFor("POLYS", 3), Qt::LeftButton);  // the swatch's box

    EXPECT_EQ(events,
              (std::vector<std::string>{
                  "btnAtrSave_Click", "LowCase_Click", "LowCase_Click", "SVID_Click(1)",
                  "BDR_WIDTH_Click", "BDR_WIDTH_Click", "HTML_Change", "HTML_Change",
                  "AFONT_Change", "CLRRGB_DblClick", "POLY_DblClick(7)", "POLY_DblClick(3)"}));
}

TEST_F(QtWindowTest, TheMapButtonsRunTheirOperationsAndReportOnTheMessageLine) {
    testing::ScratchFolder maps("tavrolin-gui-maps-");
    const std::string folder = maps.root().string() + "/";
    const std::string map = folder + "lake.mp";
    {
        std::ofstream out(map, std::ios::binary);
        out << "[IMG ID]\r\nName=A lake with a name long enough for the check of the first "
               "hundred characters\r\n[END-IMG ID]\r\n[POLYGON]\r\nType=0x3c\r\nLabel=7\r\n"
               "Data0=(1,2)\r\n[END]\r\n";
    }
    view.show();
    view.flush();
    platform.openFileReplies.push_back(map);
    QTest::mouseClick(widget<QPushButton>("btnReadShp"), Qt::LeftButton);
    view.flush();
    EXPECT_EQ(widget<QLineEdit>("Att")->text().toStdString(),
              " points from the original polygons created successfully");
    platform.openFileReplies.push_back(map);
    QTest::mouseClick(widget<QPushButton>("btnReadRmp"), Qt::LeftButton);
    view.flush();
    EXPECT_EQ(widget<QLineEdit>("Att")->text().toStdString(),
              " file with color polygons types created successfully");
    EXPECT_EQ(platform.shownFiles,
              (std::vector<std::string>{folder + "lake-imc.mp", folder + "lake-rm.mp"}));
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
}

TEST_F(QtWindowTest, AFailingHandlerIsReportedOnTheMessageLine) {
    form().on("btnHelp", Event::Click, [](int) { throw std::runtime_error("no guide"); });
    view.show();
    QTest::mouseClick(widget<QPushButton>("btnHelp"), Qt::LeftButton);
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
    auto drop = [this](const char* path, Qt::KeyboardModifiers modifiers) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDropEvent event(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, modifiers);
        // Without a drag in progress the application delivers no drop: hand it to the window.
        static_cast<QObject&>(view).event(&event);
        QTest::qWait(20);
    };
    drop("/maps/lake.dbf", Qt::NoModifier);
    drop("/maps/lake.mp", Qt::NoModifier);
    drop("/maps/lake.mp", Qt::ShiftModifier);
    drop("/maps/lake.shp", Qt::NoModifier);
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
    QTest::qWait(60);
    EXPECT_EQ(ticks, 1);  // one shot
    // Disarmed and armed again by the model: one more tick.
    form().change("STRT", -1, [](Control& c) { c.enabled = false; });
    view.flush();
    form().change("STRT", -1, [](Control& c) { c.enabled = true; });
    view.flush();
    QTest::qWait(120);
    EXPECT_EQ(ticks, 2);
}

// The window over a started program with a small template: what a user does with mouse and
// keyboard reaches the template table.
class QtWindowEditing : public testing::TemplateFixture {
   protected:
    void SetUp() override {
        TemplateFixture::SetUp();
        row("VID,YN,MP_TYPE,MP_ENG,L_LIMIT,U_LIMIT,LAYER,COLOR,BDR_COLOR,BDR_WIDTH",
            "0,0,'0x24','Lake',5,20,7,16,9,1");
        row("VID,YN,MP_TYPE,MP_ENG,L_LIMIT,U_LIMIT,COLOR", "1,0,'0x1f','River',0,21,12");
        start();
        testApplication();
        m_view = std::make_unique<QtMainWindow>(main());
        m_view->show();
        m_view->flush();
    }
    void TearDown() override {
        m_view.reset();
        TemplateFixture::TearDown();
    }
    template <typename W>
    W* widget(const std::string& name, int index = -1) {
        return dynamic_cast<W*>(m_view->widgetFor(name, index));
    }
    // Chooses the entry of a pick list with the keyboard, as a user moving through it does.
    void pickWithKeys(const std::string& name, int entry) {
        auto* box = widget<QComboBox>(name);
        ASSERT_NE(box, nullptr);
        m_view->flush();
        box->setFocus();
        if (box->currentIndex() > entry) QTest::keyClick(box, Qt::Key_Home);
        while (box->currentIndex() < entry) QTest::keyClick(box, Qt::Key_Down);
    }
    QColor sampleFill() {
        m_view->flush();
        QWidget* sample = m_view->widgetFor("SAMPLE");
        return sample->grab().toImage().pixelColor(sample->width() / 2, sample->height() / 2);
    }

    std::unique_ptr<QtMainWindow> m_view;
};

TEST_F(QtWindowEditing, ChooseAKindPickATypeChangeAColourAndSave) {
    QTest::mouseClick(widget<QRadioButton>("SVID", 0), Qt::LeftButton);
    ASSERT_EQ(main().kind, store::ObjectKind::Polygon);
    m_view->flush();
    auto* types = widget<QComboBox>("MP_TYPE");
    ASSERT_EQ(types->count(), 1);  // the polygon types only
    EXPECT_EQ(types->itemText(0), "0x24  |  Lake");
    EXPECT_FALSE(widget<QComboBox>("AWIDTH")->isEnabled());  // a line attribute

    pickWithKeys("MP_TYPE", 0);
    m_view->flush();
    EXPECT_EQ(widget<QComboBox>("COLOR")->currentText(), "16");
    EXPECT_EQ(widget<QComboBox>("L_LIMIT")->currentText(), "5");
    EXPECT_EQ(fromQColor(sampleFill()), paletteColor(16));

    // The next code of the colour list: the polygon sample follows.
    const int next = widget<QComboBox>("COLOR")->currentIndex() + 1;
    pickWithKeys("COLOR", next);
    const std::string code = form()("COLOR").text;
    ASSERT_NE(code, "16");
    EXPECT_EQ(fromQColor(sampleFill()), paletteColor(std::stoi(code)));

    platform.messageReplies.push_back(MessageAnswer::Ok);
    QTest::mouseClick(widget<QPushButton>("btnAtrSave"), Qt::LeftButton);
    m_view->flush();
    EXPECT_EQ(widget<QLineEdit>("Att")->text(),
              " attributes of the selected type successfully saved");
    auto saved = column("VID=0 AND MP_TYPE='0x24'", "COLOR");
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved[0].toText(), code);
}

}  // namespace
}  // namespace tavrolin
