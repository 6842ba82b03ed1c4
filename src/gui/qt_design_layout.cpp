#include "gui/qt_design_layout.h"

#include <QWidget>
#include <QWidgetItem>
#include <cmath>

namespace tavrolin {

DesignLayout::DesignLayout(QWidget* frame, QSize designSize, double minimumScale)
    : QLayout(frame), m_designSize(designSize), m_minimumScale(minimumScale) {
    setContentsMargins(0, 0, 0, 0);
    setSpacing(0);
}

DesignLayout::~DesignLayout() {
    for (Entry& entry : m_items) delete entry.item;
}

void DesignLayout::addDesigned(QWidget* widget, std::function<QRect()> design) {
    addChildWidget(widget);
    m_items.push_back({new QWidgetItem(widget), std::move(design)});
    invalidate();
}

void DesignLayout::addItem(QLayoutItem* item) {
    // Items added by Qt itself keep the place they were given.
    m_items.push_back({item, [item] { return item->geometry(); }});
}

QLayoutItem* DesignLayout::itemAt(int index) const {
    if (index < 0 || index >= count()) return nullptr;
    return m_items[static_cast<std::size_t>(index)].item;
}

QLayoutItem* DesignLayout::takeAt(int index) {
    if (index < 0 || index >= count()) return nullptr;
    QLayoutItem* item = m_items[static_cast<std::size_t>(index)].item;
    m_items.erase(m_items.begin() + index);
    return item;
}

QSize DesignLayout::withoutFrameMargins(QSize size) const {
    const QWidget* frame = parentWidget();
    if (frame == nullptr) return size;
    const QMargins margins = frame->contentsMargins();
    return {std::max(0, size.width() - margins.left() - margins.right()),
            std::max(0, size.height() - margins.top() - margins.bottom())};
}

QSize DesignLayout::sizeHint() const { return withoutFrameMargins(m_designSize); }

QSize DesignLayout::minimumSize() const {
    const int width = static_cast<int>(std::ceil(m_designSize.width() * m_minimumScale));
    return withoutFrameMargins({width, m_designSize.height()});
}

QRect DesignLayout::place(const QRect& design, QSize designSize, QSize frameSize) {
    // Horizontally the arrangement stretches; vertically the rows move apart, each control
    // keeping its designed height.
    const double sx = designSize.width() > 0 ? double(frameSize.width()) / designSize.width() : 1;
    const double sy =
        designSize.height() > 0 ? double(frameSize.height()) / designSize.height() : 1;
    const int left = static_cast<int>(std::lround(design.left() * sx));
    const int right = static_cast<int>(std::lround((design.left() + design.width()) * sx));
    const int top = static_cast<int>(std::lround(design.top() * sy));
    return {left, top, std::max(0, right - left), design.height()};
}

void DesignLayout::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    // Design rectangles count from the frame's corner, not from its contents.
    const QWidget* frame = parentWidget();
    const QSize frameSize = frame != nullptr ? frame->size() : rect.size();
    for (Entry& entry : m_items) {
        const QRect placed = place(entry.design(), m_designSize, frameSize);
        // The widget takes exactly its place: the designed arrangement, not the widget's own
        // minimum size hint, decides (as a widget placed by hand).
        if (QWidget* widget = entry.item->widget()) {
            widget->setGeometry(placed);
        } else {
            entry.item->setGeometry(placed);
        }
    }
}

}  // namespace tavrolin
