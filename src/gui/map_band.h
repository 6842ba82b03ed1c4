// One zoom band of the map painter. The views from 2^b to 2^(b+1) metres per pixel share the
// band's outlines, kept in the band's own pixels (2^b metres each, y down, from the top-left
// corner of the map's box), so that panning and zooming within the band reuse them and the
// painter only scales them by a factor between 1/2 and 1. A vertex closer than half a band pixel
// (across and down) to the last one kept is dropped: under half a pixel of any view of the band.
//
// The band also orders the drawing. Objects come in layer order; one may be drawn ahead of
// earlier ones only when the pixels each can touch (its box widened by its pen and the
// antialiasing) are apart, so the picture stays the same to the pixel while the objects of a look
// are drawn together and the painter changes its pen and brush a few times a frame.
#pragma once

#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QTransform>
#include <cstdint>
#include <vector>

#include "preview/map_view.h"
#include "preview/styled_map.h"

namespace tavrolin {

class MapBand {
   public:
    // An object to draw, in layer order.
    struct Drawable {
        std::uint32_t object = 0;
        int look = 0;
        float reach = 0;  // view pixels its pen and the antialiasing reach beyond its box
    };
    // An object in the order the band draws it.
    struct Item {
        std::uint32_t object = 0;
        int look = 0;
        std::int16_t lowerLimit = 0;
        std::int16_t upperLimit = 0;
        float reach = 0;  // band pixels, enough for every view of the band
        double left = 0;  // the shape's box in band pixels
        double top = 0;
        double right = 0;
        double bottom = 0;
    };
    // The outline of a shape of one part (points), or of several (path). The points stay valid
    // until the next call of outline().
    struct Outline {
        const QPointF* points = nullptr;
        int count = 0;
        const QPainterPath* path = nullptr;
    };

    // The band of a view's zoom.
    static int bandOf(const preview::MapView& view);

    // The map must outlive the band.
    MapBand(const preview::StyledMap& map, const preview::MapView& view,
            const std::vector<Drawable>& drawables);

    int band() const { return m_band; }
    const std::vector<Item>& items() const { return m_items; }
    // From band pixels to the view's pixels.
    QTransform toView(const preview::MapView& view) const;
    // The object's outline, simplified for the band; built at the first call.
    Outline outline(std::uint32_t object);

   private:
    struct Stored {
        std::uint32_t first = 0;
        std::uint32_t count = 0;
        int path = -1;
    };
    QPointF toBand(preview::MapPoint p) const {
        return {(p.x - m_origin.x) * m_scaleX, (m_origin.y - p.y) * m_scaleY};
    }
    void order(const std::vector<Drawable>& drawables);

    const preview::StyledMap& m_map;
    int m_band = 0;
    preview::MapPoint m_origin;  // the map box's top-left corner
    double m_scaleX = 1;         // band pixels per map unit
    double m_scaleY = 1;
    std::vector<Item> m_items;
    std::vector<int> m_outlineOf;  // per object, into m_outlines; -1 until built
    std::vector<Stored> m_outlines;
    std::vector<QPointF> m_points;
    std::vector<QPainterPath> m_paths;
};

}  // namespace tavrolin
