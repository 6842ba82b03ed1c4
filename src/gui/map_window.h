// The map window: the source's shapes in the template's look, with pan (drag), zoom (wheel,
// keys + and -), fit (button, Home), a scale bar, the display limits of the current scale (or
// every object with "show all") and the object under the pointer described below the map. It
// follows the main window: a saved type, another kind or another source redraws it, and so does
// a change of the depth swatches while the map is drawn by depth.
#pragma once

#include <QImage>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>

#include "gui/map_painter.h"
#include "preview/styled_map.h"
#include "window/main_state.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QComboBox;

namespace tavrolin {

// The drawing surface.
class MapCanvas : public QWidget {
   public:
    explicit MapCanvas(QWidget* parent = nullptr);

    // Shows another map (nullptr: none). keepView keeps the centre and zoom when the box is the
    // same (a redraw after a save).
    void setMap(std::shared_ptr<const preview::StyledMap> map, bool keepView);
    void setShowAll(bool showAll);
    void fit();
    void zoomBy(double factor);
    const preview::MapView& view() const { return m_view; }
    // Called with a description of the object under the pointer (empty for none) and the scale.
    std::function<void(const QString& hover, const QString& scale)> onStatus;
    // Whether the interface is Russian (the hover names).
    bool russian = false;

   protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

   private:
    void describe(QPointF position);
    void reportScale();
    // Draws the map anew at the next paint.
    void redraw();

    std::shared_ptr<const preview::StyledMap> m_map;
    std::unique_ptr<MapPainter> m_painter;
    preview::MapView m_view;
    bool m_showAll = false;
    std::optional<QPointF> m_dragFrom;
    QImage m_frame;            // the map as last drawn
    bool m_frameStale = true;  // the view or the map changed since
    QPointF m_dragOffset;      // how far the frame was dragged since it was drawn
};

class MapWindow : public QWidget, public FormObserver {
   public:
    // Observes main.form until destroyed; main must outlive it.
    explicit MapWindow(Main& main, QWidget* parent = nullptr);
    ~MapWindow() override;
    MapWindow(const MapWindow&) = delete;
    MapWindow& operator=(const MapWindow&) = delete;

    // Builds the map of the window's source and kind again; a failure goes to Att and leaves
    // the window empty.
    void rebuild();
    void controlChanged(const Control& control) override;
    MapCanvas* canvas() const { return m_canvas; }

   private:
    void scheduleRebuild();
    void applyCaptions();

    Main& m_main;
    MapCanvas* m_canvas = nullptr;
    QCheckBox* m_showAll = nullptr;
    QComboBox* m_basis = nullptr;  // by types, by depth
    QPushButton* m_fit = nullptr;
    QLabel* m_status = nullptr;
    bool m_rebuildPending = false;
    // What the map shown was built from.
    int m_revision = -1;
    preview::StyleBasis m_builtBasis = preview::StyleBasis::Types;
    store::ObjectKind m_kind = store::ObjectKind::None;
    std::string m_source;
    std::size_t m_records = 0;
};

}  // namespace tavrolin
