// The frame layout: the designed arrangement at the design size, stretched with the frame, and a
// minimum that keeps most of the design width.
#include "gui/qt_design_layout.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>

#include "test_application.h"

namespace tavrolin {
namespace {

TEST(DesignLayout, PlacesStretchesAndStopsAtItsMinimum) {
    testApplication();
    const QSize design(400, 100);
    struct Case {
        QRect designed;
        QSize frame;
        QRect placed;
    };
    for (const Case& c : {Case{{10, 20, 100, 26}, {400, 100}, {10, 20, 100, 26}},
                          Case{{10, 20, 100, 26}, {800, 200}, {20, 40, 200, 26}},
                          Case{{200, 60, 200, 30}, {300, 100}, {150, 60, 150, 30}},
                          Case{{0, 0, 0, 0}, {300, 80}, {0, 0, 0, 0}}}) {
        EXPECT_EQ(DesignLayout::place(c.designed, design, c.frame), c.placed);
    }

    QWidget frame;
    auto* layout = new DesignLayout(&frame, design, 0.9);
    auto* button = new QPushButton("!!!");
    layout->addDesigned(button, [] { return QRect(300, 40, 90, 26); });
    EXPECT_EQ(button->parentWidget(), &frame);
    EXPECT_EQ(frame.sizeHint(), design);
    EXPECT_EQ(frame.minimumSizeHint(), QSize(360, 100));
    frame.resize(800, 100);
    frame.show();
    QApplication::processEvents();
    EXPECT_EQ(button->geometry(), QRect(600, 40, 180, 26));
}

}  // namespace
}  // namespace tavrolin
