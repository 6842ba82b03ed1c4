#include "gui/qt_control_widgets.h"

#include <gtest/gtest.h>

#include <QImage>

#include "gui/qt_color_swatch.h"
#include "gui/qt_colors.h"
#include "templates/palette.h"
#include "test_application.h"

namespace tavrolin {
namespace {

QImage render(QWidget& widget) {
    widget.resize(60, 30);
    return widget.grab().toImage();
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

    // A dotted border leaves gaps along its edge.
    shape.backStyle = 0;
    shape.borderStyle = BorderStyle::Dot;
    shape.borderWidth = 1;
    image = render(view);
    int blue = 0;
    for (int x = 0; x < 60; ++x) blue += image.pixelColor(x, 0) == QColor(0, 0, 255) ? 1 : 0;
    EXPECT_GT(blue, 5);
    EXPECT_LT(blue, 55);
}

TEST(ControlWidgets, LineFollowsColourWidthAndStyle) {
    testApplication();
    Control line;
    line.kind = ControlKind::Line;
    line.borderColor = 0x000080;  // dark red
    line.borderWidth = 5;
    LineView view(line, nullptr);
    QImage image = render(view);
    EXPECT_EQ(image.pixelColor(30, 15), QColor(128, 0, 0));
    EXPECT_EQ(image.pixelColor(30, 13), QColor(128, 0, 0));  // five pixels thick
    EXPECT_NE(image.pixelColor(30, 5), QColor(128, 0, 0));

    line.borderWidth = 1;
    line.borderStyle = BorderStyle::Dot;
    image = render(view);
    int marked = 0;
    for (int x = 0; x < 60; ++x) marked += image.pixelColor(x, 15) == QColor(128, 0, 0) ? 1 : 0;
    EXPECT_GT(marked, 5);
    EXPECT_LT(marked, 55);
}

TEST(ControlWidgets, ColourListSwatchesOnlyForCodesWithAColour) {
    testApplication();
    EXPECT_TRUE(colorCodeSwatch("").isNull());
    QImage none = colorCodeSwatch("255").pixmap(20, 14).toImage();
    int struck = 0;  // the stroke crosses the middle column
    for (int y = 0; y < 14; ++y) struck += none.pixelColor(10, y) == QColor(200, 0, 0) ? 1 : 0;
    EXPECT_GT(struck, 0);
    EXPECT_EQ(none.pixelColor(3, 3), QColor(Qt::white));
    EXPECT_TRUE(colorCodeSwatch("16x").isNull());
    QIcon swatch = colorCodeSwatch("16");
    ASSERT_FALSE(swatch.isNull());
    QImage image = swatch.pixmap(20, 14).toImage();
    EXPECT_EQ(fromQColor(image.pixelColor(10, 7)), paletteColor(16));
}

}  // namespace
}  // namespace tavrolin
