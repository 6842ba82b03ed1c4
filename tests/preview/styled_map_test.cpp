#include "preview/styled_map.h"

#include <gtest/gtest.h>

namespace tavrolin::preview {
namespace {

using store::ObjectKind;

Shape square(double left, double bottom, double size, bool withHole) {
    Shape shape;
    shape.kind = ObjectKind::Polygon;
    auto ring = [&](double l, double b, double s) {
        shape.partStarts.push_back(static_cast<std::uint32_t>(shape.points.size()));
        for (MapPoint p : {MapPoint{l, b}, MapPoint{l, b + s}, MapPoint{l + s, b + s},
                           MapPoint{l + s, b}, MapPoint{l, b}}) {
            shape.points.push_back(p);
            shape.bounds.add(p);
        }
    };
    ring(left, bottom, size);
    if (withHole) ring(left + size / 4, bottom + size / 4, size / 2);
    return shape;
}

MapObject object(int layer, int lower, int upper) {
    MapObject o;
    o.style.layer = layer;
    o.style.lowerLimit = lower;
    o.style.upperLimit = upper;
    return o;
}

// Two overlapping squares (the second with a hole) and a record without geometry.
StyledMap sample() {
    ShapeSet set;
    set.kind = ObjectKind::Polygon;
    set.shapes = {square(0, 0, 100, false), Shape{}, square(0, 0, 100, true)};
    for (const Shape& s : set.shapes) set.bounds.merge(s.bounds);
    return pairShapes(std::move(set), {object(2, 0, 34), object(1, 0, 34), object(1, 0, 10)});
}

TEST(StyledMap, PairsRecordsAndDrawsLayersBottomFirst) {
    const StyledMap map = sample();
    ASSERT_EQ(map.objects.size(), 2u);  // the record without geometry is left out
    EXPECT_EQ(map.objects[0].record, 0u);
    EXPECT_EQ(map.objects[1].record, 2u);
    EXPECT_EQ(drawOrder(map), (std::vector<std::uint32_t>{0, 1}));  // layer 2 under layer 1

    ShapeSet set;
    set.shapes = {square(0, 0, 1, false), square(0, 0, 1, false), square(0, 0, 1, false)};
    const StyledMap layered =
        pairShapes(std::move(set), {object(1, 0, 34), object(0, 0, 34), object(3, 0, 34)});
    EXPECT_EQ(drawOrder(layered), (std::vector<std::uint32_t>{1, 2, 0}));
}

TEST(StyledMap, PointerFindsTheTopShownObjectAndSeesThroughHoles) {
    const StyledMap map = sample();
    const std::vector<std::uint32_t> order = drawOrder(map);
    MapView view(map.geometry.bounds, false);
    view.resize(400, 400);
    view.zoomToCode(5);  // 50 m across 100 pixels: the squares span 200 pixels
    const ScreenPoint ring = view.toScreen({10, 10});
    const ScreenPoint hole = view.toScreen({50, 50});
    const ScreenPoint outside = view.toScreen({150, 150});
    EXPECT_EQ(objectAt(map, order, view, ring, false), 1u);
    EXPECT_EQ(objectAt(map, order, view, hole, false), 0u);  // through the hole to the one below
    EXPECT_EQ(objectAt(map, order, view, outside, false), std::nullopt);
    // At code 12 the holed square (limits 0 to 10) is hidden unless everything is shown.
    view.zoomToCode(12);
    const ScreenPoint ringFar = view.toScreen({10, 10});
    EXPECT_EQ(objectAt(map, order, view, ringFar, false), 0u);
    EXPECT_EQ(objectAt(map, order, view, ringFar, true), 1u);
}

TEST(StyledMap, LabelOfARingSitsOnTheRingNotInTheHole) {
    // A 100 m square with a 50 m hole in its middle: the middle line's widest stretch inside is
    // 25 m on either side of the hole; lower lines cross the ring whole.
    const MapPoint point = labelPoint(square(0, 0, 100, true));
    const Shape holed = square(0, 0, 100, true);
    EXPECT_FALSE(point.x > 25 && point.x < 75 && point.y > 25 && point.y < 75);
    EXPECT_TRUE(holed.bounds.contains(point));
    const MapPoint plain = labelPoint(square(0, 0, 100, false));
    EXPECT_DOUBLE_EQ(plain.x, 50);
    EXPECT_DOUBLE_EQ(plain.y, 50);
}

TEST(StyledMap, PointIconChangesAtThePointLimit) {
    MapObject point = object(0, 0, 34);
    point.style.icon = "buoy";
    point.style.pointIcon = "NAME1";
    EXPECT_EQ(iconAt(point, 20), "buoy");
    point.style.pointLimit = 15;
    EXPECT_EQ(iconAt(point, 14), "buoy");
    EXPECT_EQ(iconAt(point, 15), "NAME1");
}

}  // namespace
}  // namespace tavrolin::preview
