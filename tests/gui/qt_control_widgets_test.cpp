// The widgets drawn for the model's shapes, lines and colour lists, and the layout that stretches
// a frame's designed arrangement; checked on the pixels as drawn offscreen.
#include "gui/qt_control_widgets.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPushButton>

#include "gui/qt_color_swatch.h"
#include "gui/qt_colors.h"
#include "gui/qt_design_layout.h"
#include "templates/palette.h"
#include "test_application.h"

namespace tavrolin {
namespace {

QImage render(QWidget& widget) {
    widget.resize(60, 30);
    return widget.grab().toImage();
}

// How many pixels of row y have the colour: a dotted line marks some, not all.
int marked(const QImage& image, int y, QColor colour) {
    int count = 0;
    for (int x = 0; x < image.width(); ++x) count += image.pixelColor(x, y) == colour ? 1 : 0;
    return count;
}

TEST(ControlWidgets, ShapePaintsFillBorderAndOpaqueBackground) {
    testApplication();
    Control shape;
    shape.kind = ControlKind::Shape;
    shape.fillStyle = 0;
    shape.fillColor = 0x0000FF;    // red in the model's red + 256 * green + 65536 * blue
    shape.borderColor = 0xFF0000;  // blue
    shape.borderWidth = 2;
    ShapeView view(shape, nullptr);
    QImage image = render(view);
    EXPECT_EQ(image.pixelColor(30, 15), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(0, 15), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(59, 29), QColor(0, 0, 255));  // the border fits inside

    // Transparent fill over an opaque background: the background colour shows.
    shape.fillStyle = 1;
    shape.backStyle = 1;
    shape.backColor = 0x00FF00;
    shape.borderStyle = BorderStyle::Transparent;
    image = render(view);
    EXPECT_EQ(image.pixelColor(30, 15), QColor(0, 255, 0));
    EXPECT_EQ(image.pixelColor(0, 0), QColor(0, 255, 0));

    shape.backStyle = 0;
    shape.borderStyle = BorderStyle::Dot;
    shape.borderWidth = 1;
    const int dots = marked(render(view), 0, QColor(0, 0, 255));
    EXPECT_GT(dots, 5);
    EXPECT_LT(dots, 55);
}

TEST(ControlWidgets, LineFollowsColourWidthAndStyle) {
    testApplication();
    Control line;
    line.kind = ControlKind::Line;
    line.borderColor = 0x000080;  // dark red
    line.borderWidth = 5;
    LineView view(line, nullptr);
    const QImage image = render(view);
    EXPECT_EQ(image.pixelColor(30, 15), QColor(128, 0, 0));
    EXPECT_EQ(image.pixelColor(30, 13), QColor(128, 0, 0));  // five pixels thick
    EXPECT_NE(image.pixelColor(30, 5), QColor(128, 0, 0));
    line.borderWidth = 1;
    line.borderStyle = BorderStyle::Dot;
    const int dots = marked(render(view), 15, QColor(128, 0, 0));
    EXPECT_GT(dots, 5);
    EXPECT_LT(dots, 55);
}

TEST(ControlWidgets, ColourListSwatchesOnlyForCodesWithAColour) {
    testApplication();
    EXPECT_TRUE(colorCodeSwatch("").isNull());
    EXPECT_TRUE(colorCodeSwatch("16x").isNull());
    const QImage none = colorCodeSwatch("255").pixmap(20, 14).toImage();
    int struck = 0;  // the stroke crosses the middle column
    for (int y = 0; y < 14; ++y) struck += none.pixelColor(10, y) == QColor(200, 0, 0) ? 1 : 0;
    EXPECT_GT(struck, 0);
    EXPECT_EQ(none.pixelColor(3, 3), QColor(Qt::white));
    const QImage swatch = colorCodeSwatch("16").pixmap(20, 14).toImage();
    EXPECT_EQ(fromQColor(swatch.pixelColor(10, 7)), paletteColor(16));
}

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
