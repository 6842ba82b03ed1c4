#include "preview/map_view.h"

#include <gtest/gtest.h>

#include "store/display_limits.h"

namespace tavrolin::preview {
namespace {

Bounds box(double minX, double minY, double maxX, double maxY) {
    Bounds b;
    b.add({minX, minY});
    b.add({maxX, maxY});
    return b;
}

TEST(MapView, ScaleCodeFollowsTheZoomAcrossEveryCode) {
    MapView view(box(0, 0, 100000, 100000), false);
    view.resize(1000, 800);
    for (int code = 0; code < store::kLimitCodes; ++code) {
        view.zoomToCode(code);
        EXPECT_EQ(view.scaleCode(), code);
        // Just below the code's distance the view is at the code before.
        view.zoomAt({500, 400}, 1.01);
        EXPECT_EQ(view.scaleCode(), code == 0 ? 0 : code - 1);
    }
}

TEST(MapView, LimitsShowAnObjectFromItsLowerCodeToBeforeItsUpper) {
    // "display limits of object from 50m to 5km": codes 5 to 19.
    MapView view(box(0, 0, 1000, 1000), false);
    struct Case {
        int code;
        bool shown;
    };
    for (Case c : {Case{4, false}, Case{5, true}, Case{18, true}, Case{19, false}}) {
        view.zoomToCode(c.code);
        EXPECT_EQ(withinLimits(5, 19, view.scaleCode()), c.shown) << c.code;
    }
}

TEST(MapView, ScreenAndMapAreInverseAndPanZoomKeepTheAnchor) {
    MapView view(box(10, 50, 30, 60), true);  // degrees: x shrinks by the latitude
    view.resize(640, 480);
    EXPECT_TRUE(MapView::looksGeographic(box(10, 50, 30, 60)));
    EXPECT_FALSE(MapView::looksGeographic(box(500000, 6000000, 510000, 6010000)));
    const MapPoint anchor = view.toMap({100, 200});
    view.zoomAt({100, 200}, 3);
    const ScreenPoint back = view.toScreen(anchor);
    EXPECT_NEAR(back.x, 100, 1e-6);
    EXPECT_NEAR(back.y, 200, 1e-6);
    view.panBy(40, -10);
    const ScreenPoint moved = view.toScreen(anchor);
    EXPECT_NEAR(moved.x, 140, 1e-6);
    EXPECT_NEAR(moved.y, 190, 1e-6);
    // A degree of longitude at 55 degrees north is about 0.57 of a degree of latitude.
    EXPECT_NEAR(view.scaleX() / -view.scaleY(), 0.574, 0.01);
}

}  // namespace
}  // namespace tavrolin::preview
