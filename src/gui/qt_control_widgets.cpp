#include "gui/qt_control_widgets.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "gui/qt_colors.h"

namespace tavrolin {

Qt::PenStyle penStyle(BorderStyle style) {
    switch (style) {
        case BorderStyle::Transparent:
            return Qt::NoPen;
        case BorderStyle::Solid:
            return Qt::SolidLine;
        case BorderStyle::Dash:
            return Qt::DashLine;
        case BorderStyle::Dot:
            return Qt::DotLine;
    }
    return Qt::SolidLine;
}

ShapeView::ShapeView(const Control& control, QWidget* parent)
    : QWidget(parent), m_control(control) {
    setAttribute(Qt::WA_TransparentForMouseEvents);  // the lists inside an area stay clickable
}

void ShapeView::reportDoubleClicks(std::function<void()> onDoubleClick) {
    m_onDoubleClick = std::move(onDoubleClick);
    setAttribute(Qt::WA_TransparentForMouseEvents, !m_onDoubleClick);
}

void ShapeView::mouseDoubleClickEvent(QMouseEvent* event) {
    QWidget::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton && m_onDoubleClick) m_onDoubleClick();
}

void ShapeView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QRect area = rect();
    if (m_control.backStyle == 1) painter.fillRect(area, toQColor(m_control.backColor));
    if (m_control.fillStyle == 0) painter.fillRect(area, toQColor(m_control.fillColor));
    if (m_control.borderStyle == BorderStyle::Transparent || m_control.borderWidth <= 0) return;
    const int width = std::max(1, m_control.borderWidth);
    QPen pen(toQColor(m_control.borderColor), width, penStyle(m_control.borderStyle));
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    // Keep the whole pen inside the widget.
    const int inset = width / 2;
    painter.drawRect(area.adjusted(inset, inset, -inset - (width % 2 == 1 ? 1 : 0),
                                   -inset - (width % 2 == 1 ? 1 : 0)));
}

LineView::LineView(const Control& control, QWidget* parent) : QWidget(parent), m_control(control) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LineView::paintEvent(QPaintEvent* /*event*/) {
    if (m_control.borderStyle == BorderStyle::Transparent) return;
    QPainter painter(this);
    QPen pen(toQColor(m_control.borderColor), std::max(1, m_control.borderWidth),
             penStyle(m_control.borderStyle));
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    const int middle = height() / 2;
    painter.drawLine(0, middle, width(), middle);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
        onClick) {
        onClick();
    }
}

void ClickLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    QLabel::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton && onDoubleClick) onDoubleClick();
}

void ClickLineEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    QLineEdit::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton && onDoubleClick) onDoubleClick();
}

}  // namespace tavrolin
