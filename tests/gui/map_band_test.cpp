#include "gui/map_band.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tavrolin {
namespace {

using preview::MapPoint;
using store::ObjectKind;

preview::StyledMap mapOf(std::vector<std::vector<MapPoint>> rings) {
    preview::ShapeSet set;
    set.kind = ObjectKind::Polygon;
    for (const auto& ring : rings) {
        preview::Shape shape;
        shape.kind = ObjectKind::Polygon;
        shape.partStarts.push_back(0);
        for (MapPoint p : ring) {
            shape.points.push_back(p);
            shape.bounds.add(p);
        }
        set.bounds.merge(shape.bounds);
        set.shapes.push_back(std::move(shape));
    }
    return preview::pairShapes(std::move(set), std::vector<preview::MapObject>(rings.size()));
}

std::vector<MapPoint> square(double left, double size) {
    return {{left, 0}, {left, size}, {left + size, size}, {left + size, 0}, {left, 0}};
}

// Squares 0, 1, 2 and 3 of one layer, of looks 0, 1, 0 and 0, each 100 m wide: the third
// joins the first ahead of the second only when it cannot touch the second's pixels. The fourth
// lies far off and joins the first.
TEST(MapBand, DrawsALookTogetherOnlyPastObjectsItCannotTouch) {
    struct Case {
        double second, third;  // left edges; the first square is at 0, the fourth at 5000
        std::vector<std::uint32_t> order;
    };
    for (const Case& c :
         {Case{50, 100, {0, 3, 1, 2}}, Case{1000, 2000, {0, 2, 3, 1}}, Case{50, 2000, {0, 2, 3, 1}},
          Case{1000, 1050, {0, 3, 1, 2}}, Case{1000, 1101, {0, 3, 1, 2}}}) {
        const preview::StyledMap map =
            mapOf({square(0, 100), square(c.second, 100), square(c.third, 100), square(5000, 100)});
        preview::MapView view(map.geometry.bounds, false);
        view.resize(1000, 500);
        view.fit();
        const MapBand band(map, view, {{0, 0, 2}, {1, 1, 2}, {2, 0, 2}, {3, 0, 2}});
        std::vector<std::uint32_t> order;
        for (const MapBand::Item& item : band.items()) order.push_back(item.object);
        EXPECT_EQ(order, c.order) << c.second << " " << c.third;
    }
}

// A circle of 1000 vertices 8 pixels across keeps under a hundred, and its box where the view
// shows it.
TEST(MapBand, ACoarseOutlineKeepsItsBoxInTheView) {
    std::vector<MapPoint> circle;
    for (int i = 0; i <= 1000; ++i) {
        const double angle = i * 2 * 3.14159265358979 / 1000;
        circle.push_back({500 + 100 * std::cos(angle), 300 + 100 * std::sin(angle)});
    }
    const preview::StyledMap map = mapOf({circle});
    preview::MapView view(map.geometry.bounds, false);
    view.resize(8, 8);
    view.fit();
    MapBand band(map, view, {{0, 0, 1}});
    const MapBand::Outline outline = band.outline(0);
    EXPECT_LT(outline.count, 100);
    QPolygonF kept;
    for (int i = 0; i < outline.count; ++i) kept << outline.points[i];
    const QRectF box = band.toView(view).map(kept).boundingRect();
    const preview::ScreenPoint topLeft = view.toScreen({400, 400});
    const preview::ScreenPoint bottomRight = view.toScreen({600, 200});
    EXPECT_NEAR(box.left(), topLeft.x, 0.5);
    EXPECT_NEAR(box.top(), topLeft.y, 0.5);
    EXPECT_NEAR(box.right(), bottomRight.x, 0.5);
    EXPECT_NEAR(box.bottom(), bottomRight.y, 0.5);
}

}  // namespace
}  // namespace tavrolin
