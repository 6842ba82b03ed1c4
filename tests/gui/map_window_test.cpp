#include "gui/map_window.h"

#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QTest>

#include "test_application.h"

namespace tavrolin {
namespace {

using preview::MapPoint;
using store::ObjectKind;

// A 400 m square lake with a 100 m square island in it, drawn on a 400 x 400 canvas.
std::shared_ptr<const preview::StyledMap> lakeMap() {
    preview::ShapeSet set;
    set.kind = ObjectKind::Polygon;
    for (auto [left, size] : {std::pair{0.0, 400.0}, std::pair{150.0, 100.0}}) {
        preview::Shape shape;
        shape.kind = ObjectKind::Polygon;
        shape.partStarts.push_back(0);
        for (MapPoint p :
             {MapPoint{left, left}, MapPoint{left, left + size}, MapPoint{left + size, left + size},
              MapPoint{left + size, left}, MapPoint{left, left}}) {
            shape.points.push_back(p);
            shape.bounds.add(p);
        }
        set.bounds.merge(shape.bounds);
        set.shapes.push_back(std::move(shape));
    }
    std::vector<preview::MapObject> objects(2);
    objects[0].style.color = 0xFFC88Cu;
    objects[0].style.layer = 2;
    objects[1].style.color = 0x008000u;
    objects[1].style.layer = 1;
    return std::make_shared<const preview::StyledMap>(
        preview::pairShapes(std::move(set), std::move(objects)));
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
    canvas.setMap(lakeMap(), false);
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
