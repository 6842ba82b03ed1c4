// The map as drawn, checked on the pixels offscreen: the template's colours where the shapes are,
// holes left open, the display limits at the scale drawn, and a dragged map drawn where the drag
// left it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>

#include "gui/map_painter.h"
#include "gui/map_window.h"
#include "support/temp_folder.h"
#include "test_application.h"

namespace tavrolin {
namespace {

using preview::MapObject;
using preview::MapPoint;
using preview::Shape;
using store::ObjectKind;

Shape ring(std::vector<std::vector<MapPoint>> parts, ObjectKind kind) {
    Shape shape;
    shape.kind = kind;
    for (const auto& part : parts) {
        shape.partStarts.push_back(static_cast<std::uint32_t>(shape.points.size()));
        for (MapPoint p : part) {
            shape.points.push_back(p);
            shape.bounds.add(p);
        }
    }
    return shape;
}

std::vector<MapPoint> square(double left, double bottom, double size) {
    return {{left, bottom},
            {left, bottom + size},
            {left + size, bottom + size},
            {left + size, bottom},
            {left, bottom}};
}

// Shapes with their colour, layer and upper limit, paired with their records in order.
preview::StyledMap styled(std::vector<std::pair<Shape, MapObject>> parts) {
    preview::ShapeSet set;
    set.kind = ObjectKind::Polygon;
    std::vector<MapObject> objects;
    for (auto& [shape, object] : parts) {
        set.bounds.merge(shape.bounds);
        set.shapes.push_back(std::move(shape));
        objects.push_back(object);
    }
    return preview::pairShapes(std::move(set), std::move(objects));
}

MapObject look(std::uint32_t colour, int layer, int upperLimit = 34, int width = 0) {
    MapObject o;
    o.style.color = colour;
    o.style.layer = layer;
    o.style.upperLimit = upperLimit;
    o.style.width = width;
    return o;
}

TEST(MapPainter, OffscreenPictureHasTheTemplatesColoursWhereTheShapesAre) {
    testApplication();
    tavrolin::testing::ScratchFolder folder("tavrolin-painter-");
    // A 400 m square lake (fill 0x8CC8FF, a 100 m hole) under a red line, a small island shown
    // only up to code 10, and a blue point.
    const preview::StyledMap map = styled({
        {ring({square(0, 0, 400), square(150, 150, 100)}, ObjectKind::Polygon), look(0xFFC88Cu, 3)},
        {ring({{{0, 350}, {400, 350}}}, ObjectKind::Line), look(0x0000FFu, 1, 34, 5)},
        {ring({square(20, 20, 40)}, ObjectKind::Polygon), look(0x008000u, 2, 10)},
        {ring({{{300.3, 100.6}}}, ObjectKind::Point), look(0xC00000u, 0)},
    });
    // 500 x 500 pixels fitted: the 400 m lake spans 450 pixels from (25, 25).
    MapPngRequest request;
    request.path = (folder.root() / "map.png").string();
    request.width = 500;
    request.height = 500;
    QImage image;
    preview::MapView view(map.geometry.bounds, false);
    view.resize(500, 500);
    view.fit();
    auto pixel = [&](MapPoint p) {
        const preview::ScreenPoint s = view.toScreen(p);
        return image.pixelColor(static_cast<int>(s.x), static_cast<int>(s.y)).rgb() & 0xFFFFFF;
    };
    auto draw = [&] {
        ASSERT_TRUE(writeMapPng(map, request).isOk());
        ASSERT_TRUE(image.load(QString::fromStdString(request.path)));
    };
    draw();
    EXPECT_EQ(pixel({100, 300}), 0x8CC8FFu);      // the lake
    EXPECT_EQ(pixel({200, 200}), 0xFFFFFFu);      // its hole
    EXPECT_EQ(pixel({200, 350}), 0xFF0000u);      // the line over it
    EXPECT_EQ(pixel({300.3, 100.6}), 0x0000C0u);  // the point's dot
    // At the fitted zoom (about 0.9 m per pixel, code 6) the island shows; at code 12 it is gone.
    EXPECT_EQ(pixel({40, 40}), 0x008000u);
    request.scaleCode = 12;
    draw();
    view.zoomToCode(12);
    EXPECT_EQ(pixel({40, 40}), 0x8CC8FFu);
    request.showAll = true;
    draw();
    EXPECT_EQ(pixel({40, 40}), 0x008000u);
}

void sendMouse(QWidget& widget, QEvent::Type type, QPoint at, Qt::MouseButtons held) {
    QMouseEvent event(type, at, widget.mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

// A drag moves the drawn frame with the pointer; letting go draws the map anew at the view the
// drag left, which must be where the frame was.
TEST(MapCanvas, ADraggedFrameIsWhereTheMapIsDrawnAfterTheDrag) {
    testApplication();
    MapCanvas canvas;
    canvas.resize(400, 400);
    // A 400 m square lake with a 100 m square island in it, drawn on a 400 x 400 canvas.
    canvas.setMap(std::make_shared<const preview::StyledMap>(styled({
                      {ring({square(0, 0, 400)}, ObjectKind::Polygon), look(0xFFC88Cu, 2)},
                      {ring({square(150, 150, 100)}, ObjectKind::Polygon), look(0x008000u, 1)},
                  })),
                  false);
    const QImage before = canvas.grab().toImage();
    sendMouse(canvas, QEvent::MouseButtonPress, {200, 200}, Qt::LeftButton);
    sendMouse(canvas, QEvent::MouseMove, {260, 170}, Qt::LeftButton);
    const QImage dragged = canvas.grab().toImage();
    EXPECT_EQ(dragged.pixel(200 + 60, 200 - 30), before.pixel(200, 200));  // the island
    EXPECT_EQ(dragged.pixel(100 + 60, 100 - 30), before.pixel(100, 100));  // the lake

    sendMouse(canvas, QEvent::MouseButtonRelease, {260, 170}, Qt::NoButton);
    const QImage after = canvas.grab().toImage();
    for (QPoint p : {QPoint(260, 170), QPoint(160, 70), QPoint(330, 330), QPoint(250, 300)}) {
        EXPECT_EQ(after.pixel(p), dragged.pixel(p)) << p.x() << "," << p.y();
    }
    EXPECT_NE(after.pixel(260, 170), after.pixel(160, 70));  // island and lake differ
}

}  // namespace
}  // namespace tavrolin
