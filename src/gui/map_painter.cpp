#include "gui/map_painter.h"

#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>

#include "store/display_limits.h"

namespace tavrolin {

namespace {

using preview::MapObject;
using preview::MapPoint;
using preview::Shape;
using store::ObjectKind;

const QColor kBackground(0xFF, 0xFF, 0xFF);
// Geometry whose colour is "none" stays visible as a thin grey outline.
const QColor kNoColour(0xA0, 0xA0, 0xA0);
const QColor kLabelText(0x20, 0x20, 0x20);
constexpr int kBandsKept = 4;
constexpr int kPointRadius = 3;
// A point's dot is stamped from pictures of it drawn once, its centre at every quarter pixel
// (kDotSteps across and down) from the corner of the middle pixel of kDotSize.
constexpr int kDotSteps = 4;
constexpr int kDotSize = 12;
constexpr int kLabelCell = 8;  // pixels per cell of the grid that keeps labels apart

QColor toQColor(std::uint32_t screenColour) {
    return QColor(static_cast<int>(screenColour & 0xFF),
                  static_cast<int>((screenColour >> 8) & 0xFF),
                  static_cast<int>((screenColour >> 16) & 0xFF));
}

QPen cosmeticPen(const QColor& colour, int width, const std::vector<int>& dashes) {
    QPen pen(colour);
    pen.setCosmetic(true);
    pen.setWidthF(std::max(1, width));
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::RoundJoin);
    if (!dashes.empty()) {
        QList<qreal> pattern;
        // Pattern units of 3 pixels, in the pen's width (Qt's unit).
        const double unit = 3.0 / std::max(1, width);
        for (int run : dashes) pattern.append(std::max(run * unit, 0.01));
        pen.setDashPattern(pattern);
    }
    return pen;
}

// Where an object's label goes (a point's is set off to its right when drawn).
MapPoint labelAnchor(const Shape& shape) {
    if (shape.kind == ObjectKind::Line) {
        // The middle vertex of the longest part.
        std::size_t best = 0;
        for (std::size_t part = 1; part < shape.partCount(); ++part) {
            if (shape.partEnd(part) - shape.partBegin(part) >
                shape.partEnd(best) - shape.partBegin(best)) {
                best = part;
            }
        }
        return shape.points[(shape.partBegin(best) + shape.partEnd(best)) / 2];
    }
    if (shape.kind == ObjectKind::Point) return shape.points.front();
    return preview::labelPoint(shape);
}

// A grid over the picture marking the cells labels already cover.
class LabelGrid {
   public:
    LabelGrid(int width, int height)
        : m_columns(width / kLabelCell + 1),
          m_rows(height / kLabelCell + 1),
          m_taken(static_cast<std::size_t>(m_columns * m_rows), false) {}

    // Takes the cells of a rectangle; false (and nothing taken) when one is taken already or
    // the rectangle leaves the picture.
    bool take(const QRectF& rect) {
        const int left = static_cast<int>(std::floor(rect.left() / kLabelCell));
        const int top = static_cast<int>(std::floor(rect.top() / kLabelCell));
        const int right = static_cast<int>(std::floor(rect.right() / kLabelCell));
        const int bottom = static_cast<int>(std::floor(rect.bottom() / kLabelCell));
        if (left < 0 || top < 0 || right >= m_columns || bottom >= m_rows) return false;
        for (int y = top; y <= bottom; ++y) {
            for (int x = left; x <= right; ++x) {
                if (m_taken[static_cast<std::size_t>(y * m_columns + x)]) return false;
            }
        }
        for (int y = top; y <= bottom; ++y) {
            for (int x = left; x <= right; ++x)
                m_taken[static_cast<std::size_t>(y * m_columns + x)] = true;
        }
        return true;
    }

   private:
    int m_columns;
    int m_rows;
    std::vector<bool> m_taken;
};

}  // namespace

MapPainter::MapPainter(const preview::StyledMap& map)
    : m_map(map), m_order(preview::drawOrder(map)), m_lookOfObject(map.objects.size(), -1) {}

int MapPainter::lookOf(std::uint32_t objectIndex) {
    int& known = m_lookOfObject[objectIndex];
    if (known >= 0) return known;
    const MapObject& object = m_map.objects[objectIndex];
    const preview::DisplayStyle& style = object.style;
    const ObjectKind kind = m_map.shapeOf(object).kind;
    // What the look depends on, as text.
    std::string key = std::to_string(static_cast<int>(kind));
    auto add = [&key](const auto& value) { key += '|' + std::to_string(value); };
    add(style.color.value_or(0x1000000));
    add(style.width);
    add(style.borderColor.value_or(0x1000000));
    add(style.borderWidth);
    add(style.lineBorderColor.value_or(0x1000000));
    add(style.lineBorderWidth);
    for (int run : style.borderPattern) add(run);
    key += '|';
    for (int run : style.linePattern) add(run);
    key += '|' + (kind == ObjectKind::Polygon ? style.icon : std::string());
    auto found = m_lookByKey.find(key);
    if (found != m_lookByKey.end()) return known = found->second;

    Look look;
    look.kind = kind;
    look.colour = style.color ? toQColor(*style.color) : kNoColour;
    if (kind == ObjectKind::Polygon) {
        look.brush = QBrush(Qt::NoBrush);
        if (const QImage* picture = icon(style.icon)) {
            look.brush = QBrush(*picture);
            look.picture = true;
        } else if (style.color) {
            look.brush = QBrush(look.colour);
        }
        if (style.borderColor && style.borderWidth > 0) {
            look.pen =
                cosmeticPen(toQColor(*style.borderColor), style.borderWidth, style.borderPattern);
        } else if (!style.color && look.brush.style() == Qt::NoBrush) {
            look.pen = cosmeticPen(kNoColour, 1, {});
        } else {
            look.pen = QPen(Qt::NoPen);
        }
    } else if (kind == ObjectKind::Line) {
        look.brush = QBrush(Qt::NoBrush);
        look.lineBorder = style.lineBorderColor && style.lineBorderWidth > 0;
        if (look.lineBorder) {
            look.borderPen = cosmeticPen(toQColor(*style.lineBorderColor),
                                         std::max(1, style.width) + 2 * style.lineBorderWidth, {});
        }
        look.pen = cosmeticPen(look.colour, style.width, style.linePattern);
    } else {
        look.brush = QBrush(look.colour);
        look.pen = QPen(Qt::black, 1);
    }
    const double penWidth = std::max(look.pen.style() == Qt::NoPen ? 0.0 : look.pen.widthF(),
                                     look.lineBorder ? look.borderPen.widthF() : 0.0);
    look.reach = static_cast<float>(penWidth / 2 + 2);
    m_looks.push_back(std::move(look));
    known = static_cast<int>(m_looks.size()) - 1;
    m_lookByKey.emplace(std::move(key), known);
    return known;
}

const MapPainter::Label& MapPainter::labelOf(std::uint32_t objectIndex, const QFont& base) {
    auto found = m_labels.find(objectIndex);
    if (found != m_labels.end()) return found->second;
    const MapObject& object = m_map.objects[objectIndex];
    Label label;
    label.text = QString::fromStdString(object.label);
    label.font = base;
    label.font.setPointSizeF(object.style.fontSize);
    label.font.setBold(object.style.bold);
    label.font.setItalic(object.style.outlined);
    const QFontMetricsF metrics(label.font);
    label.size = QSizeF(metrics.horizontalAdvance(label.text), metrics.height());
    label.ascent = metrics.ascent();
    label.laidOut.setText(label.text);
    label.laidOut.setTextFormat(Qt::PlainText);
    label.laidOut.setPerformanceHint(QStaticText::AggressiveCaching);
    return m_labels.emplace(objectIndex, std::move(label)).first->second;
}

const QImage* MapPainter::icon(const std::string& name) {
    if (name.empty() || m_map.iconFolder.empty()) return nullptr;
    auto found = m_icons.find(name);
    if (found == m_icons.end()) {
        QImage image;
        // The icon folder's GIF of that name, in any letter case.
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(m_map.iconFolder, error)) {
            const std::string file = entry.path().filename().string();
            if (file.size() == name.size() + 4 &&
                QString::fromStdString(file).compare(QString::fromStdString(name + ".gif"),
                                                     Qt::CaseInsensitive) == 0) {
                image.load(QString::fromStdString(entry.path().string()));
                break;
            }
        }
        found = m_icons.emplace(name, std::move(image)).first;
    }
    return found->second.isNull() ? nullptr : &found->second;
}

void MapPainter::prepare() {
    m_prepared = true;
    for (std::uint32_t index : m_order) {
        const MapObject& object = m_map.objects[index];
        const Shape& shape = m_map.shapeOf(object);
        if (object.style.showsLabel() && !object.label.empty()) {
            m_labelled.push_back({index, labelAnchor(shape)});
        }
        if (shape.kind == ObjectKind::Point) {
            m_points.push_back(index);
        } else {
            const int look = lookOf(index);
            m_drawables.push_back({index, look, m_looks[static_cast<std::size_t>(look)].reach});
        }
    }
}

MapBand& MapPainter::bandFor(const preview::MapView& view) {
    const int band = MapBand::bandOf(view);
    auto found = std::find_if(m_bands.begin(), m_bands.end(),
                              [band](const auto& kept) { return kept->band() == band; });
    if (found != m_bands.end()) return **found;
    if (static_cast<int>(m_bands.size()) >= kBandsKept) {
        // Drop the band farthest from this one.
        m_bands.erase(
            std::max_element(m_bands.begin(), m_bands.end(), [band](const auto& a, const auto& b) {
                return std::abs(a->band() - band) < std::abs(b->band() - band);
            }));
    }
    m_bands.push_back(std::make_unique<MapBand>(m_map, view, m_drawables));
    return *m_bands.back();
}

const QImage& MapPainter::dot(Look& look, int step) {
    if (look.dots.empty()) {
        look.dots.resize(kDotSteps * kDotSteps);
        for (int step = 0; step < kDotSteps * kDotSteps; ++step) {
            QImage& image = look.dots[static_cast<std::size_t>(step)];
            image = QImage(kDotSize, kDotSize, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing, true);
            painter.setPen(look.pen);
            painter.setBrush(look.brush);
            const QPointF centre(kDotSize / 2 + double(step % kDotSteps) / kDotSteps,
                                 kDotSize / 2 + double(step / kDotSteps) / kDotSteps);
            painter.drawEllipse(centre, kPointRadius, kPointRadius);
        }
    }
    return look.dots[static_cast<std::size_t>(step)];
}

void MapPainter::paint(QPainter& painter, const preview::MapView& view, bool showAll) {
    if (!m_prepared) prepare();
    painter.save();
    painter.resetTransform();
    painter.fillRect(QRectF(0, 0, view.width(), view.height()), kBackground);
    painter.setRenderHint(QPainter::Antialiasing, true);

    const int code = view.scaleCode();
    MapBand& band = bandFor(view);
    const QTransform toView = band.toView(view);
    const double scale = toView.m11();
    const double pixel = 1 / scale;
    const QRectF visible = toView.inverted().mapRect(QRectF(0, 0, view.width(), view.height()));
    m_drawn = 0;
    int current = -1;  // the look the painter holds
    painter.setTransform(toView);
    for (const MapBand::Item& item : band.items()) {
        if (!showAll && !preview::withinLimits(item.lowerLimit, item.upperLimit, code)) continue;
        if (item.right + item.reach < visible.left() || item.left - item.reach > visible.right() ||
            item.bottom + item.reach < visible.top() || item.top - item.reach > visible.bottom()) {
            continue;
        }
        ++m_drawn;
        const Look& look = m_looks[static_cast<std::size_t>(item.look)];
        // Smaller than a pixel: one pixel of its colour.
        if (item.right - item.left < pixel && item.bottom - item.top < pixel) {
            painter.fillRect(QRectF(item.left, item.top, pixel, pixel), look.colour);
            continue;
        }
        const MapBand::Outline outline = band.outline(item.object);
        auto draw = [&] {
            if (outline.path != nullptr) {
                painter.drawPath(*outline.path);
            } else if (look.kind == ObjectKind::Polygon) {
                painter.drawPolygon(outline.points, outline.count, Qt::OddEvenFill);
            } else {
                painter.drawPolyline(outline.points, outline.count);
            }
        };
        if (look.lineBorder) {
            painter.setBrush(Qt::NoBrush);
            painter.setPen(look.borderPen);
            draw();
            current = -1;
        }
        if (item.look != current) {
            current = item.look;
            if (look.picture) {
                // The picture pixel for pixel, fixed to the map.
                QBrush brush = look.brush;
                brush.setTransform(QTransform::fromScale(pixel, pixel));
                painter.setBrush(brush);
            } else {
                painter.setBrush(look.brush);
            }
            painter.setPen(look.pen);
        }
        draw();
    }
    painter.resetTransform();
    paintPoints(painter, view, showAll);
    paintLabels(painter, view, showAll);
    painter.restore();
}

void MapPainter::paintPoints(QPainter& painter, const preview::MapView& view, bool showAll) {
    const int code = view.scaleCode();
    const preview::Bounds visible = view.visibleBox();
    for (std::uint32_t index : m_points) {
        const MapObject& object = m_map.objects[index];
        if (!preview::shownAt(object, code, showAll)) continue;
        const Shape& shape = m_map.shapeOf(object);
        if (!shape.bounds.intersects(visible)) continue;
        ++m_drawn;
        const QImage* picture = icon(preview::iconAt(object, code));
        Look& look = m_looks[static_cast<std::size_t>(lookOf(index))];
        for (const MapPoint& p : shape.points) {
            const preview::ScreenPoint s = view.toScreen(p);
            if (picture != nullptr) {
                painter.drawImage(
                    QPointF(s.x - picture->width() / 2.0, s.y - picture->height() / 2.0), *picture);
                continue;
            }
            if (s.x < -kDotSize || s.y < -kDotSize || s.x > view.width() + kDotSize ||
                s.y > view.height() + kDotSize) {
                continue;  // another point of the shape is in view
            }
            // The dot whose centre is nearest, in quarter pixels.
            const double x = std::floor(s.x * kDotSteps + 0.5);
            const double y = std::floor(s.y * kDotSteps + 0.5);
            const double left = std::floor(x / kDotSteps);
            const double top = std::floor(y / kDotSteps);
            const int step =
                static_cast<int>((y - top * kDotSteps) * kDotSteps + x - left * kDotSteps);
            painter.drawImage(
                QPoint(static_cast<int>(left) - kDotSize / 2, static_cast<int>(top) - kDotSize / 2),
                dot(look, step));
        }
    }
}

void MapPainter::paintLabels(QPainter& painter, const preview::MapView& view, bool showAll) {
    LabelGrid grid(view.width(), view.height());
    const QFont base = painter.font();
    const QRectF picture(0, 0, view.width(), view.height());
    const int code = view.scaleCode();
    const preview::Bounds visible = view.visibleBox();
    // Top layers first, so that they keep their labels where labels would collide.
    for (auto it = m_labelled.rbegin(); it != m_labelled.rend(); ++it) {
        const MapObject& object = m_map.objects[it->object];
        if (!preview::shownAt(object, code, showAll)) continue;
        const Shape& shape = m_map.shapeOf(object);
        if (!shape.bounds.intersects(visible)) continue;
        const preview::DisplayStyle& style = object.style;
        const preview::ScreenPoint at = view.toScreen(it->anchor);
        QPointF anchor(at.x, at.y);
        if (shape.kind == ObjectKind::Point) anchor.rx() += kPointRadius + 3;
        if (!picture.contains(anchor)) continue;
        const Label& label = labelOf(it->object, base);
        QRectF box(QPointF(0, 0), label.size);
        if (shape.kind == ObjectKind::Point) {
            box.moveTopLeft(QPointF(anchor.x(), anchor.y() - box.height() / 2));
        } else {
            box.moveCenter(anchor);
        }
        if (!grid.take(box.adjusted(-1, -1, 1, 1))) continue;
        if (painter.font() != label.font) painter.setFont(label.font);
        const QPointF topLeft = box.topLeft();
        if (style.haloColor) {
            painter.setPen(toQColor(*style.haloColor));
            for (const QPointF offset :
                 {QPointF(-1, 0), QPointF(1, 0), QPointF(0, -1), QPointF(0, 1)}) {
                painter.drawStaticText(topLeft + offset, label.laidOut);
            }
        }
        const bool textInColour = shape.kind != ObjectKind::Polygon && style.color;
        painter.setPen(textInColour ? toQColor(*style.color) : kLabelText);
        painter.drawStaticText(topLeft, label.laidOut);
    }
}

void MapPainter::paintScaleBar(QPainter& painter, const preview::MapView& view) {
    const int code = view.scaleCode();
    const double metres = store::metresOfScaleName(store::scaleName(code));
    const double length = metres / view.metresPerPixel();
    const QString caption = QString::fromUtf8(store::scaleName(code));
    painter.save();
    painter.resetTransform();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const double left = 12;
    const double bottom = view.height() - 12;
    const QFontMetricsF metrics(painter.font());
    QRectF back(left - 4, bottom - metrics.height() - 12,
                std::max(length, metrics.horizontalAdvance(caption)) + 8, metrics.height() + 16);
    painter.fillRect(back, QColor(255, 255, 255, 200));
    painter.setPen(QPen(Qt::black, 2));
    painter.drawLine(QPointF(left, bottom), QPointF(left + length, bottom));
    painter.drawLine(QPointF(left, bottom - 5), QPointF(left, bottom));
    painter.drawLine(QPointF(left + length, bottom - 5), QPointF(left + length, bottom));
    painter.drawText(QPointF(left, bottom - 8), caption);
    painter.restore();
}

Status writeMapPng(const preview::StyledMap& map, const MapPngRequest& request) {
    // Painting text needs a GUI application; a headless run gets one on Qt's offscreen platform.
    std::unique_ptr<QGuiApplication> application;
    if (QCoreApplication::instance() == nullptr) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "tavrolin";
        static char* argv[] = {name, nullptr};
        application = std::make_unique<QGuiApplication>(argc, argv);
    }
    if (request.width <= 0 || request.height <= 0 || request.width > 20000 ||
        request.height > 20000) {
        return Status::error(err::kInvalidArgument,
                             "a picture of " + std::to_string(request.width) + "x" +
                                 std::to_string(request.height) + " pixels cannot be drawn");
    }
    QImage image(request.width, request.height, QImage::Format_ARGB32_Premultiplied);
    preview::MapView view(map.geometry.bounds, map.geographic);
    view.resize(request.width, request.height);
    view.fit();
    if (request.scaleCode >= 0) view.zoomToCode(request.scaleCode);
    {
        QPainter painter(&image);
        MapPainter mapPainter(map);
        mapPainter.paint(painter, view, request.showAll);
        MapPainter::paintScaleBar(painter, view);
    }
    if (!image.save(QString::fromStdString(request.path), "PNG")) {
        return Status::error(err::kPermissionDenied, "cannot write " + request.path);
    }
    return {};
}

}  // namespace tavrolin
