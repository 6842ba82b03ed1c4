#include "gui/map_painter.h"

#include <gtest/gtest.h>

#include <QImage>

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

// A 400 m square lake (fill 0x8CC8FF, a 100 m hole) under a red line, a small island shown
// only up to code 10, and a blue point.
preview::StyledMap sampleMap() {
    preview::ShapeSet set;
    set.kind = ObjectKind::Polygon;
    set.shapes.push_back(ring({square(0, 0, 400), square(150, 150, 100)}, ObjectKind::Polygon));
    set.shapes.push_back(ring({{{0, 350}, {400, 350}}}, ObjectKind::Line));
    set.shapes.push_back(ring({square(20, 20, 40)}, ObjectKind::Polygon));
    set.shapes.push_back(ring({{{300.3, 100.6}}}, ObjectKind::Point));
    for (const Shape& s : set.shapes) set.bounds.merge(s.bounds);
    std::vector<MapObject> objects(4);
    objects[0].style.color = 0xFFC88Cu;  // "8CC8FF" as a screen colour
    objects[0].style.layer = 3;
    objects[1].style.color = 0x0000FFu;  // red
    objects[1].style.width = 5;
    objects[1].style.layer = 1;
    objects[2].style.color = 0x008000u;  // green
    objects[2].style.layer = 2;
    objects[2].style.upperLimit = 10;
    objects[3].style.color = 0xC00000u;  // blue
    return preview::pairShapes(std::move(set), std::move(objects));
}

TEST(MapPainter, OffscreenPictureHasTheTemplatesColoursWhereTheShapesAre) {
    testApplication();
    tavrolin::testing::ScratchFolder folder("tavrolin-painter-");
    const preview::StyledMap map = sampleMap();
    // 500 x 500 pixels fitted: the 400 m lake spans 450 pixels from (25, 25).
    MapPngRequest request;
    request.path = (folder.root() / "map.png").string();
    request.width = 500;
    request.height = 500;
    ASSERT_TRUE(writeMapPng(map, request).isOk());
    QImage image(QString::fromStdString(request.path));
    ASSERT_FALSE(image.isNull());
    preview::MapView view(map.geometry.bounds, false);
    view.resize(500, 500);
    view.fit();
    auto pixel = [&](MapPoint p) {
        const preview::ScreenPoint s = view.toScreen(p);
        return image.pixelColor(static_cast<int>(s.x), static_cast<int>(s.y)).rgb() & 0xFFFFFF;
    };
    EXPECT_EQ(pixel({100, 300}), 0x8CC8FFu);      // the lake
    EXPECT_EQ(pixel({200, 200}), 0xFFFFFFu);      // its hole
    EXPECT_EQ(pixel({200, 350}), 0xFF0000u);      // the line over it
    EXPECT_EQ(pixel({300.3, 100.6}), 0x0000C0u);  // the point's dot
    // At the fitted zoom (about 0.9 m per pixel, code 6) the island shows; at code 12 it is gone.
    EXPECT_EQ(pixel({40, 40}), 0x008000u);
    request.scaleCode = 12;
    ASSERT_TRUE(writeMapPng(map, request).isOk());
    image.load(QString::fromStdString(request.path));
    view.zoomToCode(12);
    EXPECT_EQ(pixel({40, 40}), 0x8CC8FFu);
    request.showAll = true;
    ASSERT_TRUE(writeMapPng(map, request).isOk());
    image.load(QString::fromStdString(request.path));
    EXPECT_EQ(pixel({40, 40}), 0x008000u);
}

}  // namespace
}  // namespace tavrolin
