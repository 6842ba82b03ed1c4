// Draws a styled map with QPainter in the template's look: polygon fills (palette or RGBA
// colour, or the fill picture ICON), borders with width and dash pattern, lines with their
// border, point icons, labels with font size, label mode and halo; layers bottom first; only
// objects in view and within their display limits (unless all are shown). Outlines are kept per
// zoom band (MapBand), so panning and zooming within a band reuse them; points are stamped from
// dots drawn once per look.
#pragma once

#include <QBrush>
#include <QFont>
#include <QImage>
#include <QPen>
#include <QStaticText>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "app/map_model.h"
#include "gui/map_band.h"
#include "preview/styled_map.h"
#include "store/status.h"

class QPainter;

namespace tavrolin {

class MapPainter {
   public:
    // The map must outlive the painter.
    explicit MapPainter(const preview::StyledMap& map);

    // Paints the view's part of the map over the whole painter device (background included).
    void paint(QPainter& painter, const preview::MapView& view, bool showAll);
    // The scale bar in the lower-left corner: the current code's name and its length.
    static void paintScaleBar(QPainter& painter, const preview::MapView& view);

    const std::vector<std::uint32_t>& order() const { return m_order; }
    // Objects drawn by the last paint.
    std::size_t drawnCount() const { return m_drawn; }

   private:
    // The pens and brush of a style, built once and shared by every object of that look, so a
    // frame changes the painter's state only where the look changes.
    struct Look {
        QBrush brush;
        QPen pen;
        QPen borderPen;  // a line's border, drawn under it
        bool lineBorder = false;
        QColor colour;
        bool picture = false;  // the brush is the fill picture (scaled per frame)
        store::ObjectKind kind = store::ObjectKind::None;
        float reach = 0;  // pixels the pens and the antialiasing reach beyond the shape's box
        // A point's dot, at quarter-pixel offsets of its centre (kDotSteps squared); built on
        // first use.
        std::vector<QImage> dots;
    };
    // A label measured once.
    struct Label {
        QString text;
        QStaticText laidOut;  // laid out when first drawn (most labels measured never are)
        QFont font;
        QSizeF size;
        double ascent = 0;
    };
    int lookOf(std::uint32_t objectIndex);
    const Label& labelOf(std::uint32_t objectIndex, const QFont& base);

    // Where a label goes, in map coordinates (a point's label is set off in pixels).
    struct Labelled {
        std::uint32_t object = 0;
        preview::MapPoint anchor;
    };
    // Sorts the map's objects for drawing, once.
    void prepare();
    MapBand& bandFor(const preview::MapView& view);
    const QImage* icon(const std::string& name);
    const QImage& dot(Look& look, int step);
    void paintPoints(QPainter& painter, const preview::MapView& view, bool showAll);
    void paintLabels(QPainter& painter, const preview::MapView& view, bool showAll);

    const preview::StyledMap& m_map;
    std::vector<std::uint32_t> m_order;
    bool m_prepared = false;
    std::vector<MapBand::Drawable> m_drawables;  // lines and polygons in drawing order
    std::vector<std::uint32_t> m_points;         // points in drawing order
    std::vector<Labelled> m_labelled;            // in drawing order
    std::vector<std::unique_ptr<MapBand>> m_bands;
    std::unordered_map<std::string, QImage> m_icons;  // null image: no such icon
    std::vector<int> m_lookOfObject;                  // -1 until built
    std::vector<Look> m_looks;
    std::map<std::string, int> m_lookByKey;
    std::unordered_map<std::uint32_t, Label> m_labels;
    std::size_t m_drawn = 0;
};

// Renders the map to a PNG file with Qt's offscreen painting (no window needed).
Status writeMapPng(const preview::StyledMap& map, const MapPngRequest& request);

}  // namespace tavrolin
