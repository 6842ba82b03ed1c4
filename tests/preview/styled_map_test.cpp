// The map without a window: the look of an object read from the conversion's columns, the view's
// scale codes and transforms, records paired with shapes, draw order, picking and label points.
#include "preview/styled_map.h"

#include <gtest/gtest.h>

#include "preview/map_style.h"
#include "preview/map_view.h"
#include "store/display_limits.h"

namespace tavrolin::preview {
namespace {

using store::ObjectKind;

TEST(MapStyle, ReadsTheConversionsColumns) {
    ColourRules rules;
    rules.codeColour = [](int code) -> std::optional<std::uint32_t> {
        if (code == 255) return std::nullopt;
        return static_cast<std::uint32_t>(code);
    };
    rules.rgbaColour = [](const std::string& text) -> std::optional<std::uint32_t> {
        if (text == "0000FF") return 0xFF0000u;
        return std::nullopt;
    };
    const DisplayStyle style = styleFromAttributes({{"U_LIMIT", "20"},
                                                    {"COLOR", "16"},
                                                    {"BDR_COLOR", "9"},
                                                    {"BDR_CLRRGB", "0000FF"},
                                                    {"BDR_PATTER", "111000111"},
                                                    {"HAL_COLOR", "255"},
                                                    {"MODE", "t"},
                                                    {"FONT", "12B"},
                                                    {"P_LIMIT", " 7"}},
                                                   rules);
    EXPECT_EQ(style.upperLimit, 20);
    EXPECT_EQ(style.pointLimit, 7);
    EXPECT_EQ(style.color, 16u);
    EXPECT_EQ(style.borderColor, 0xFF0000u);  // the RGBA colour wins over the code
    EXPECT_EQ(style.borderPattern, (std::vector<int>{3, 3, 3, 0}));
    EXPECT_EQ(style.haloColor, std::nullopt);  // 255 is no colour
    EXPECT_TRUE(style.showsLabel());
    EXPECT_TRUE(style.bold);
    // An unknown type: limits only, no label, no colour.
    const DisplayStyle bare = styleFromAttributes({{"L_LIMIT", "0"}, {"U_LIMIT", "34"}}, rules);
    EXPECT_FALSE(bare.showsLabel());
    EXPECT_EQ(bare.color, std::nullopt);

    // Dash runs start with a dash; a pattern without gaps or of other digits is solid.
    EXPECT_EQ(dashRuns("0011"), (std::vector<int>{2, 2}));
    for (const char* solid : {"", "1111", "12"}) EXPECT_TRUE(dashRuns(solid).empty()) << solid;
}

Bounds box(double minX, double minY, double maxX, double maxY) {
    Bounds b;
    b.add({minX, minY});
    b.add({maxX, maxY});
    return b;
}

TEST(MapView, ScaleCodeFollowsTheZoomAndLimitsShowFromTheLowerCodeToBeforeTheUpper) {
    MapView view(box(0, 0, 100000, 100000), false);
    view.resize(1000, 800);
    for (int code = 0; code < store::kLimitCodes; ++code) {
        view.zoomToCode(code);
        EXPECT_EQ(view.scaleCode(), code);
        // Just below the code's distance the view is at the code before.
        view.zoomAt({500, 400}, 1.01);
        EXPECT_EQ(view.scaleCode(), code == 0 ? 0 : code - 1);
    }
    // "display limits of object from 50m to 5km": codes 5 to 19.
    for (auto [code, shown] : {std::pair{4, false}, {5, true}, {18, true}, {19, false}}) {
        view.zoomToCode(code);
        EXPECT_EQ(withinLimits(5, 19, view.scaleCode()), shown) << code;
    }
}

TEST(MapView, ScreenAndMapAreInverseAndPanZoomKeepTheAnchor) {
    MapView view(box(10, 50, 30, 60), true);  // degrees: x shrinks by the latitude
    view.resize(640, 480);
    EXPECT_TRUE(MapView::looksGeographic(box(10, 50, 30, 60)));
    EXPECT_FALSE(MapView::looksGeographic(box(500000, 6000000, 510000, 6010000)));
    const MapPoint anchor = view.toMap({100, 200});
    view.zoomAt({100, 200}, 3);
    EXPECT_NEAR(view.toScreen(anchor).x, 100, 1e-6);
    EXPECT_NEAR(view.toScreen(anchor).y, 200, 1e-6);
    view.panBy(40, -10);
    EXPECT_NEAR(view.toScreen(anchor).x, 140, 1e-6);
    // A degree of longitude at 55 degrees north is about 0.57 of a degree of latitude.
    EXPECT_NEAR(view.scaleX() / -view.scaleY(), 0.574, 0.01);
}

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

MapObject object(int layer, int upper = 34) {
    MapObject o;
    o.style.layer = layer;
    o.style.upperLimit = upper;
    return o;
}

// Two overlapping squares (the second with a hole) and a record without geometry.
StyledMap sample() {
    ShapeSet set;
    set.kind = ObjectKind::Polygon;
    set.shapes = {square(0, 0, 100, false), Shape{}, square(0, 0, 100, true)};
    for (const Shape& s : set.shapes) set.bounds.merge(s.bounds);
    return pairShapes(std::move(set), {object(2), object(1), object(1, 10)});
}

TEST(StyledMap, PairsRecordsAndDrawsLayersBottomFirst) {
    const StyledMap map = sample();
    ASSERT_EQ(map.objects.size(), 2u);  // the record without geometry is left out
    EXPECT_EQ(map.objects[0].record, 0u);
    EXPECT_EQ(map.objects[1].record, 2u);
    EXPECT_EQ(drawOrder(map), (std::vector<std::uint32_t>{0, 1}));  // layer 2 under layer 1
    ShapeSet set;
    set.shapes = {square(0, 0, 1, false), square(0, 0, 1, false), square(0, 0, 1, false)};
    EXPECT_EQ(drawOrder(pairShapes(std::move(set), {object(1), object(0), object(3)})),
              (std::vector<std::uint32_t>{1, 2, 0}));
}

TEST(StyledMap, PointerFindsTheTopShownObjectAndSeesThroughHoles) {
    const StyledMap map = sample();
    const std::vector<std::uint32_t> order = drawOrder(map);
    MapView view(map.geometry.bounds, false);
    view.resize(400, 400);
    view.zoomToCode(5);  // 50 m across 100 pixels: the squares span 200 pixels
    EXPECT_EQ(objectAt(map, order, view, view.toScreen({10, 10}), false), 1u);
    EXPECT_EQ(objectAt(map, order, view, view.toScreen({50, 50}), false), 0u);  // the hole
    EXPECT_EQ(objectAt(map, order, view, view.toScreen({150, 150}), false), std::nullopt);
    // At code 12 the holed square (limits 0 to 10) is hidden unless everything is shown.
    view.zoomToCode(12);
    EXPECT_EQ(objectAt(map, order, view, view.toScreen({10, 10}), false), 0u);
    EXPECT_EQ(objectAt(map, order, view, view.toScreen({10, 10}), true), 1u);
}

TEST(StyledMap, LabelsSitOnTheRingNotInTheHoleAndPointIconsChangeAtTheLimit) {
    const MapPoint point = labelPoint(square(0, 0, 100, true));
    EXPECT_FALSE(point.x > 25 && point.x < 75 && point.y > 25 && point.y < 75);
    EXPECT_TRUE(square(0, 0, 100, true).bounds.contains(point));

    MapObject buoy = object(0);
    buoy.style.icon = "buoy";
    buoy.style.pointIcon = "NAME1";
    EXPECT_EQ(iconAt(buoy, 20), "buoy");
    buoy.style.pointLimit = 15;
    EXPECT_EQ(iconAt(buoy, 14), "buoy");
    EXPECT_EQ(iconAt(buoy, 15), "NAME1");
}

}  // namespace
}  // namespace tavrolin::preview
