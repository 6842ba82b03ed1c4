#include "gui/map_band.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tavrolin {

namespace {

constexpr double kKeptApart = 0.5;  // band pixels between kept vertices, across or down
// The grid that finds the earlier objects a box touches: cells of at least 4 band pixels, at
// most 256 across the map. A box over more cells than kCellsOfOneBox (a quarter of the map
// across) is drawn after everything before it instead.
constexpr double kSmallestCell = 4;
constexpr int kCellsAcross = 256;
constexpr int kCellsOfOneBox = 64 * 64;
constexpr int kMixed = -2;  // a cell whose highest level holds several looks

std::int16_t toLimit(int limit) {
    return static_cast<std::int16_t>(std::clamp<int>(
        limit, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}

}  // namespace

int MapBand::bandOf(const preview::MapView& view) {
    return static_cast<int>(std::floor(std::log2(view.metresPerPixel())));
}

MapBand::MapBand(const preview::StyledMap& map, const preview::MapView& view,
                 const std::vector<Drawable>& drawables)
    : m_map(map), m_band(bandOf(view)), m_outlineOf(map.objects.size(), -1) {
    const preview::Bounds& box = map.geometry.bounds;
    if (!box.empty()) m_origin = {box.minX, box.maxY};
    const double bandMetres = std::ldexp(1.0, m_band);
    m_scaleX = view.scaleX() * view.metresPerPixel() / bandMetres;
    m_scaleY = -view.scaleY() * view.metresPerPixel() / bandMetres;
    order(drawables);
}

QTransform MapBand::toView(const preview::MapView& view) const {
    const double factor = std::ldexp(1.0, m_band) / view.metresPerPixel();
    const preview::ScreenPoint origin = view.toScreen(m_origin);
    return {factor, 0, 0, factor, origin.x, origin.y};
}

void MapBand::order(const std::vector<Drawable>& drawables) {
    std::vector<Item> items;
    items.reserve(drawables.size());
    for (const Drawable& drawable : drawables) {
        const preview::MapObject& object = m_map.objects[drawable.object];
        const preview::Bounds& box = m_map.shapeOf(object).bounds;
        const QPointF topLeft = toBand({box.minX, box.maxY});
        const QPointF bottomRight = toBand({box.maxX, box.minY});
        Item item;
        item.object = drawable.object;
        item.look = drawable.look;
        item.lowerLimit = toLimit(object.style.lowerLimit);
        item.upperLimit = toLimit(object.style.upperLimit);
        // A view shows a band pixel as 1/2 to 1 of its own, so its pixels count twice.
        item.reach = 2 * drawable.reach + 1;
        item.left = topLeft.x();
        item.top = topLeft.y();
        item.right = bottomRight.x();
        item.bottom = bottomRight.y();
        items.push_back(item);
    }

    // Levels: an object lies a level above every earlier object of another look whose cells
    // it shares, and no lower than those of its own look. Drawing level by level, a look at a
    // time, keeps every pair that can share a pixel in its order.
    const preview::Bounds& box = m_map.geometry.bounds;
    const double width = box.empty() ? 1 : box.width() * m_scaleX;
    const double height = box.empty() ? 1 : box.height() * m_scaleY;
    const double cell = std::max(kSmallestCell, std::max(width, height) / kCellsAcross);
    const int columns = static_cast<int>(width / cell) + 1;
    const int rows = static_cast<int>(height / cell) + 1;
    struct Cell {
        int level = -1;
        int look = -1;
    };
    std::vector<Cell> cells(static_cast<std::size_t>(columns) * rows);
    Cell everywhere;  // the last box too big for the grid: every later object lies above it
    int highest = -1;
    auto levelOver = [](const Cell& c, int look) {
        return c.level < 0 ? 0 : c.look == look ? c.level : c.level + 1;
    };
    auto cellOf = [cell](double at, int count) {
        return static_cast<int>(std::clamp(std::floor(at / cell), 0.0, count - 1.0));
    };
    std::vector<int> levels(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        const Item& item = items[i];
        const int left = cellOf(item.left - item.reach, columns);
        const int right = cellOf(item.right + item.reach, columns);
        const int top = cellOf(item.top - item.reach, rows);
        const int bottom = cellOf(item.bottom + item.reach, rows);
        int level = levelOver(everywhere, item.look);
        if ((right - left + 1) * (bottom - top + 1) > kCellsOfOneBox) {
            level = highest + 1;
            everywhere = {level, item.look};
        } else {
            for (int y = top; y <= bottom; ++y) {
                for (int x = left; x <= right; ++x) {
                    level =
                        std::max(level, levelOver(cells[std::size_t(y) * columns + x], item.look));
                }
            }
            for (int y = top; y <= bottom; ++y) {
                for (int x = left; x <= right; ++x) {
                    Cell& c = cells[std::size_t(y) * columns + x];
                    if (c.level < level) {
                        c = {level, item.look};
                    } else if (c.look != item.look) {
                        c.look = kMixed;
                    }
                }
            }
        }
        levels[i] = level;
        highest = std::max(highest, level);
    }
    std::vector<std::uint32_t> sequence(items.size());
    for (std::uint32_t i = 0; i < sequence.size(); ++i) sequence[i] = i;
    std::sort(sequence.begin(), sequence.end(), [&](std::uint32_t a, std::uint32_t b) {
        if (levels[a] != levels[b]) return levels[a] < levels[b];
        if (items[a].look != items[b].look) return items[a].look < items[b].look;
        return a < b;
    });
    m_items.reserve(items.size());
    for (std::uint32_t i : sequence) m_items.push_back(items[i]);
}

MapBand::Outline MapBand::outline(std::uint32_t object) {
    int& index = m_outlineOf[object];
    if (index < 0) {
        const preview::Shape& shape = m_map.shapeOf(m_map.objects[object]);
        Stored stored;
        stored.first = static_cast<std::uint32_t>(m_points.size());
        std::vector<std::size_t> partEnds;
        for (std::size_t part = 0; part < shape.partCount(); ++part) {
            const std::size_t begin = shape.partBegin(part);
            const std::size_t end = shape.partEnd(part);
            QPointF kept = toBand(shape.points[begin]);
            m_points.push_back(kept);
            for (std::size_t i = begin + 1; i < end; ++i) {
                const QPointF p = toBand(shape.points[i]);
                if (i + 1 < end && std::abs(p.x() - kept.x()) < kKeptApart &&
                    std::abs(p.y() - kept.y()) < kKeptApart) {
                    continue;
                }
                m_points.push_back(p);
                kept = p;
            }
            partEnds.push_back(m_points.size());
        }
        if (partEnds.size() > 1) {
            // Several rings (holes, by the even-odd rule) or line parts: one path.
            QPainterPath path;
            path.setFillRule(Qt::OddEvenFill);
            std::size_t begin = stored.first;
            for (std::size_t end : partEnds) {
                path.moveTo(m_points[begin]);
                for (std::size_t i = begin + 1; i < end; ++i) path.lineTo(m_points[i]);
                if (shape.kind == store::ObjectKind::Polygon) path.closeSubpath();
                begin = end;
            }
            m_points.resize(stored.first);
            stored.path = static_cast<int>(m_paths.size());
            m_paths.push_back(std::move(path));
        } else {
            stored.count = static_cast<std::uint32_t>(m_points.size() - stored.first);
        }
        index = static_cast<int>(m_outlines.size());
        m_outlines.push_back(stored);
    }
    const Stored& stored = m_outlines[static_cast<std::size_t>(index)];
    if (stored.path >= 0) return {nullptr, 0, &m_paths[static_cast<std::size_t>(stored.path)]};
    return {m_points.data() + stored.first, static_cast<int>(stored.count), nullptr};
}

}  // namespace tavrolin
