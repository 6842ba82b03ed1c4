#include "preview/map_view.h"

#include <algorithm>
#include <cmath>

#include "store/display_limits.h"

namespace tavrolin::preview {

namespace {

constexpr double kMetresPerDegree = 111320.0;  // along a meridian, and along the equator
constexpr double kFitMargin = 0.05;
constexpr double kPi = 3.14159265358979323846;
// Zoom bounds: a millimetre to a thousand kilometres per pixel.
constexpr double kClosest = 0.001;
constexpr double kFarthest = 1e6;

}  // namespace

MapView::MapView(const Bounds& box, bool geographic) : m_box(box) {
    if (geographic && !box.empty()) {
        const double middle = (box.minY + box.maxY) / 2 * kPi / 180;
        m_unitMetresY = kMetresPerDegree;
        m_unitMetresX = kMetresPerDegree * std::max(0.01, std::cos(middle));
    }
    fit();
}

bool MapView::looksGeographic(const Bounds& box) {
    return !box.empty() && box.minX >= -180 && box.maxX <= 180 && box.minY >= -90 && box.maxY <= 90;
}

void MapView::resize(int widthPixels, int heightPixels) {
    m_width = std::max(1, widthPixels);
    m_height = std::max(1, heightPixels);
}

void MapView::fit() {
    if (m_box.empty()) {
        m_centre = {};
        m_metresPerPixel = 1;
        return;
    }
    m_centre = {(m_box.minX + m_box.maxX) / 2, (m_box.minY + m_box.maxY) / 2};
    const double usable = 1 - 2 * kFitMargin;
    const double across = m_box.width() * m_unitMetresX / (m_width * usable);
    const double down = m_box.height() * m_unitMetresY / (m_height * usable);
    m_metresPerPixel = std::clamp(std::max(across, down), kClosest, kFarthest);
    if (!(m_metresPerPixel > 0)) m_metresPerPixel = 1;
}

void MapView::panBy(double dxPixels, double dyPixels) {
    m_centre.x -= dxPixels * m_metresPerPixel / m_unitMetresX;
    m_centre.y += dyPixels * m_metresPerPixel / m_unitMetresY;
}

void MapView::zoomAt(ScreenPoint anchor, double factor) {
    if (!(factor > 0)) return;
    const MapPoint before = toMap(anchor);
    m_metresPerPixel = std::clamp(m_metresPerPixel / factor, kClosest, kFarthest);
    const MapPoint after = toMap(anchor);
    m_centre.x += before.x - after.x;
    m_centre.y += before.y - after.y;
}

void MapView::zoomToCode(int code) {
    const double metres = store::scaleMetres(std::clamp(code, 0, store::kLimitCodes - 1));
    // A hair above the code's distance, so that rounding cannot give the code below.
    m_metresPerPixel = metres * 1.0001 / kScalePixels;
}

ScreenPoint MapView::toScreen(MapPoint p) const {
    return {m_width / 2.0 + (p.x - m_centre.x) * m_unitMetresX / m_metresPerPixel,
            m_height / 2.0 - (p.y - m_centre.y) * m_unitMetresY / m_metresPerPixel};
}

MapPoint MapView::toMap(ScreenPoint s) const {
    return {m_centre.x + (s.x - m_width / 2.0) * m_metresPerPixel / m_unitMetresX,
            m_centre.y - (s.y - m_height / 2.0) * m_metresPerPixel / m_unitMetresY};
}

Bounds MapView::visibleBox() const {
    Bounds box;
    box.add(toMap({0, 0}));
    box.add(toMap({static_cast<double>(m_width), static_cast<double>(m_height)}));
    return box;
}

int MapView::scaleCode() const {
    const double distance = m_metresPerPixel * kScalePixels;
    int code = 0;
    for (int c = 1; c < store::kLimitCodes; ++c) {
        if (store::scaleMetres(c) <= distance) code = c;
    }
    return code;
}

bool withinLimits(int lowerLimit, int upperLimit, int code) {
    return lowerLimit <= code && code < upperLimit;
}

}  // namespace tavrolin::preview
