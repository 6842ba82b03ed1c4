#include "gui/map_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "app/map_model.h"
#include "store/display_limits.h"

namespace tavrolin {

namespace {

constexpr double kWheelStep = 1.25;  // zoom per wheel notch

QString qs(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

MapCanvas::MapCanvas(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(320, 240);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void MapCanvas::setMap(std::shared_ptr<const preview::StyledMap> map, bool keepView) {
    const preview::MapView previous = m_view;
    const bool sameBox = m_map && map && m_map->geometry.bounds.minX == map->geometry.bounds.minX &&
                         m_map->geometry.bounds.maxX == map->geometry.bounds.maxX &&
                         m_map->geometry.bounds.minY == map->geometry.bounds.minY &&
                         m_map->geometry.bounds.maxY == map->geometry.bounds.maxY;
    m_painter.reset();
    m_map = std::move(map);
    if (m_map) {
        m_painter = std::make_unique<MapPainter>(*m_map);
        if (keepView && sameBox) {
            m_view = previous;
        } else {
            m_view = preview::MapView(m_map->geometry.bounds, m_map->geographic);
            m_view.resize(width(), height());
            m_view.fit();
        }
    }
    reportScale();
    redraw();
}

void MapCanvas::setShowAll(bool showAll) {
    m_showAll = showAll;
    redraw();
}

void MapCanvas::fit() {
    m_view.fit();
    reportScale();
    redraw();
}

void MapCanvas::zoomBy(double factor) {
    m_view.zoomAt({width() / 2.0, height() / 2.0}, factor);
    reportScale();
    redraw();
}

void MapCanvas::redraw() {
    m_frameStale = true;
    update();
}

void MapCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!m_painter) {
        painter.fillRect(rect(), palette().window());
        return;
    }
    // The map is drawn into a frame kept until the view or the map changes: a repaint that
    // changes neither (a window moved over it) only copies it, and a drag moves it.
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if (m_frameStale || m_frame.size() != pixels) {
        m_frame = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
        m_frame.setDevicePixelRatio(ratio);
        QPainter framePainter(&m_frame);
        m_painter->paint(framePainter, m_view, m_showAll);
        m_frameStale = false;
        m_dragOffset = QPointF();
    }
    if (!m_dragOffset.isNull()) painter.fillRect(rect(), Qt::white);  // the map's background
    painter.drawImage(m_dragOffset, m_frame);
    MapPainter::paintScaleBar(painter, m_view);
}

void MapCanvas::resizeEvent(QResizeEvent*) {
    const bool first = m_view.width() <= 1;
    m_view.resize(width(), height());
    if (first) m_view.fit();
    m_frameStale = true;
    reportScale();
}

void MapCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) m_dragFrom = event->position();
}

void MapCanvas::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragFrom) {
        const QPointF delta = event->position() - *m_dragFrom;
        m_dragFrom = event->position();
        m_view.panBy(delta.x(), delta.y());
        // The frame follows the pointer; the map is drawn anew when the button is let go.
        m_dragOffset += delta;
        update();
        return;
    }
    describe(event->position());
}

void MapCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_dragFrom) return;
    m_dragFrom.reset();
    if (!m_dragOffset.isNull()) redraw();
}

void MapCanvas::wheelEvent(QWheelEvent* event) {
    const double notches = event->angleDelta().y() / 120.0;
    if (notches == 0) return;
    m_view.zoomAt({event->position().x(), event->position().y()}, std::pow(kWheelStep, notches));
    reportScale();
    redraw();
}

void MapCanvas::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            zoomBy(2);
            break;
        case Qt::Key_Minus:
            zoomBy(0.5);
            break;
        case Qt::Key_Home:
            fit();
            break;
        default:
            QWidget::keyPressEvent(event);
    }
}

void MapCanvas::describe(QPointF position) {
    if (!onStatus) return;
    QString text;
    if (m_map && m_painter) {
        const std::optional<std::uint32_t> found = preview::objectAt(
            *m_map, m_painter->order(), m_view, {position.x(), position.y()}, m_showAll);
        if (found) {
            const preview::MapObject& object = m_map->objects[*found];
            const std::string& name = russian ? object.nameRussian : object.nameEnglish;
            const std::string& other = russian ? object.nameEnglish : object.nameRussian;
            text = qs(object.typeCode);
            if (!name.empty()) text += "  " + qs(name);
            if (!other.empty() && other != name) text += " / " + qs(other);
            if (!object.knownType)
                text += russian ? "  (нет в шаблоне)" : "  (not in the template)";
            if (!object.label.empty()) text += "  «" + qs(object.label) + "»";
            text += QString("  #%1").arg(object.record + 1);
        }
    }
    const int code = m_view.scaleCode();
    onStatus(text, QString("%1 (%2)").arg(QString::fromUtf8(store::scaleName(code))).arg(code));
}

void MapCanvas::reportScale() {
    if (!onStatus) return;
    describe(mapFromGlobal(QCursor::pos()));
}

MapWindow::MapWindow(Main& main, QWidget* parent) : QWidget(parent, Qt::Window), m_main(main) {
    m_canvas = new MapCanvas(this);
    m_showAll = new QCheckBox(this);
    m_fit = new QPushButton(this);
    m_basis = new QComboBox(this);
    m_basis->addItems({QString(), QString()});
    m_status = new QLabel(this);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* bar = new QHBoxLayout;
    bar->addWidget(m_fit);
    bar->addWidget(m_basis);
    bar->addWidget(m_showAll);
    bar->addWidget(m_status, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_canvas, 1);
    layout->addLayout(bar);

    connect(m_fit, &QPushButton::clicked, this, [this] { m_canvas->fit(); });
    connect(m_basis, &QComboBox::activated, this, [this](int) { rebuild(); });
    connect(m_showAll, &QCheckBox::toggled, this, [this](bool on) { m_canvas->setShowAll(on); });
    m_canvas->onStatus = [this](const QString& hover, const QString& scale) {
        m_status->setText(scale + (hover.isEmpty() ? QString() : "   " + hover));
    };
    applyCaptions();
    resize(1000, 700);
    m_main.form.addObserver(this);
}

MapWindow::~MapWindow() { m_main.form.removeObserver(this); }

void MapWindow::applyCaptions() {
    const bool russian = m_main.russian;
    m_canvas->russian = russian;
    m_fit->setText(russian ? "Вся карта" : "Fit");
    m_showAll->setText(russian ? "показать всё" : "show all");
    m_basis->setItemText(0, russian ? "по типам" : "by types");
    m_basis->setItemText(1, russian ? "по глубинам" : "by depth");
    m_showAll->setToolTip(russian ? "Показывать объекты при любом масштабе"
                                  : "Show objects at every scale, whatever their display limits");
    setWindowTitle(qs(m_main.tr("Карта", "Map")) +
                   (m_source.empty() ? QString() : " — " + qs(m_source)));
}

void MapWindow::rebuild() {
    m_rebuildPending = false;
    m_revision = m_main.templateRevision;
    m_kind = m_main.kind;
    m_source = m_main.sourceFileName;
    m_records = m_main.sourceRecords.size();
    m_builtBasis =
        m_basis->currentIndex() == 1 ? preview::StyleBasis::Depth : preview::StyleBasis::Types;
    Result<preview::StyledMap> map = buildStyledMap(m_main, m_builtBasis);
    applyCaptions();
    if (!map) {
        reportMapError(m_main, map.status());
        m_canvas->setMap(nullptr, false);
        return;
    }
    // A redraw of the same map (a saved type) keeps the place the user looks at.
    m_canvas->setMap(std::make_shared<const preview::StyledMap>(std::move(*map)), true);
}

void MapWindow::scheduleRebuild() {
    if (m_rebuildPending) return;
    m_rebuildPending = true;
    // After the handler that changed the window has finished with the template.
    QTimer::singleShot(0, this, [this] {
        if (m_rebuildPending && isVisible()) rebuild();
    });
}

void MapWindow::controlChanged(const Control& control) {
    if (!isVisible()) return;
    if (control.name == "btnLang") applyCaptions();
    // By depth the swatches paint the map: a new scheme or an edited swatch redraws it.
    const bool swatch = m_builtBasis == preview::StyleBasis::Depth &&
                        (control.name == "POLY" || control.name == "POLYS");
    const bool stale = swatch || m_main.templateRevision != m_revision || m_main.kind != m_kind ||
                       m_main.sourceFileName != m_source ||
                       m_main.sourceRecords.size() != m_records;
    if (stale && m_main.sourceRead && m_main.kind != store::ObjectKind::None) scheduleRebuild();
}

}  // namespace tavrolin
