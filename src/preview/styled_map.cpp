#include "preview/styled_map.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <limits>

namespace tavrolin::preview {

namespace {

using store::ObjectKind;

// Even-odd rule over every ring of a polygon.
bool insidePolygon(const Shape& shape, MapPoint p) {
    bool inside = false;
    for (std::size_t part = 0; part < shape.partCount(); ++part) {
        const std::size_t begin = shape.partBegin(part);
        const std::size_t end = shape.partEnd(part);
        for (std::size_t i = begin, j = end - 1; i < end; j = i++) {
            const MapPoint a = shape.points[i];
            const MapPoint b = shape.points[j];
            if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) {
                inside = !inside;
            }
        }
    }
    return inside;
}

double distanceToSegment(ScreenPoint p, ScreenPoint a, ScreenPoint b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

bool nearLine(const Shape& shape, const MapView& view, ScreenPoint pixel, double tolerance) {
    for (std::size_t part = 0; part < shape.partCount(); ++part) {
        ScreenPoint previous = view.toScreen(shape.points[shape.partBegin(part)]);
        for (std::size_t i = shape.partBegin(part) + 1; i < shape.partEnd(part); ++i) {
            const ScreenPoint next = view.toScreen(shape.points[i]);
            if (distanceToSegment(pixel, previous, next) <= tolerance) return true;
            previous = next;
        }
    }
    return false;
}

bool nearPoint(const Shape& shape, const MapView& view, ScreenPoint pixel, double tolerance) {
    for (const MapPoint& p : shape.points) {
        const ScreenPoint s = view.toScreen(p);
        if (std::hypot(s.x - pixel.x, s.y - pixel.y) <= tolerance) return true;
    }
    return false;
}

}  // namespace

StyledMap pairShapes(ShapeSet geometry, std::vector<MapObject> objects) {
    assert(objects.size() == geometry.shapes.size());  // readShapes refused other counts
    StyledMap map;
    map.geographic = MapView::looksGeographic(geometry.bounds);
    for (std::size_t i = 0; i < objects.size(); ++i) {
        if (geometry.shapes[i].kind == ObjectKind::None) continue;
        objects[i].record = static_cast<std::uint32_t>(i);
        map.objects.push_back(std::move(objects[i]));
    }
    map.geometry = std::move(geometry);
    return map;
}

std::vector<std::uint32_t> drawOrder(const StyledMap& map) {
    std::vector<std::uint32_t> order(map.objects.size());
    for (std::uint32_t i = 0; i < order.size(); ++i) order[i] = i;
    auto depth = [&](std::uint32_t i) {
        const int layer = map.objects[i].style.layer;
        return layer <= 0 ? std::numeric_limits<int>::max() : layer;
    };
    std::stable_sort(order.begin(), order.end(),
                     [&](std::uint32_t a, std::uint32_t b) { return depth(a) > depth(b); });
    return order;
}

MapPoint labelPoint(const Shape& polygon) {
    const Bounds& box = polygon.bounds;
    MapPoint best{(box.minX + box.maxX) / 2, (box.minY + box.maxY) / 2};
    double bestWidth = -1;
    std::vector<double> crossings;
    for (double fraction : {0.5, 0.3, 0.7, 0.15, 0.85}) {
        const double y = box.minY + fraction * box.height();
        crossings.clear();
        for (std::size_t part = 0; part < polygon.partCount(); ++part) {
            const std::size_t begin = polygon.partBegin(part);
            const std::size_t end = polygon.partEnd(part);
            for (std::size_t i = begin, j = end - 1; i < end; j = i++) {
                const MapPoint a = polygon.points[i];
                const MapPoint b = polygon.points[j];
                if ((a.y > y) != (b.y > y)) {
                    crossings.push_back(a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y));
                }
            }
        }
        std::sort(crossings.begin(), crossings.end());
        // Between crossings 0-1, 2-3, ... the line is inside.
        for (std::size_t k = 0; k + 1 < crossings.size(); k += 2) {
            const double width = crossings[k + 1] - crossings[k];
            if (width > bestWidth) {
                bestWidth = width;
                best = {(crossings[k] + crossings[k + 1]) / 2, y};
            }
        }
    }
    return best;
}

bool shownAt(const MapObject& object, int code, bool showAll) {
    return showAll || withinLimits(object.style.lowerLimit, object.style.upperLimit, code);
}

const std::string& iconAt(const MapObject& object, int code) {
    const DisplayStyle& style = object.style;
    if (style.pointLimit && code >= *style.pointLimit && !style.pointIcon.empty()) {
        return style.pointIcon;
    }
    return style.icon;
}

std::optional<std::uint32_t> objectAt(const StyledMap& map, const std::vector<std::uint32_t>& order,
                                      const MapView& view, ScreenPoint pixel, bool showAll,
                                      double tolerancePixels) {
    const int code = view.scaleCode();
    const MapPoint at = view.toMap(pixel);
    // The map box within reach of the pixel: a cheap test before the exact one.
    const double reachPixels = tolerancePixels + 4;
    Bounds reach;
    reach.add(view.toMap({pixel.x - reachPixels, pixel.y - reachPixels}));
    reach.add(view.toMap({pixel.x + reachPixels, pixel.y + reachPixels}));
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        const MapObject& object = map.objects[*it];
        if (!shownAt(object, code, showAll)) continue;
        const Shape& shape = map.shapeOf(object);
        if (!reach.intersects(shape.bounds)) continue;
        bool hit = false;
        switch (shape.kind) {
            case ObjectKind::Polygon:
                hit = insidePolygon(shape, at) || nearLine(shape, view, pixel, tolerancePixels);
                break;
            case ObjectKind::Line:
                hit = nearLine(shape, view, pixel, tolerancePixels);
                break;
            case ObjectKind::Point:
                hit = nearPoint(shape, view, pixel, reachPixels);
                break;
            default:
                break;
        }
        if (hit) return *it;
    }
    return std::nullopt;
}

}  // namespace tavrolin::preview
