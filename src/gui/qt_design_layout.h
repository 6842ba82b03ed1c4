// A layout that keeps the arrangement a frame was designed with while the frame is resized:
// every widget has a design rectangle (pixels, relative to the frame's top-left corner, title
// included), and the layout stretches the arrangement horizontally with the frame's width and
// spreads the rows vertically with its height. Sizes do not shrink below a set share of the
// design, so that captions stay readable.
#pragma once

#include <QLayout>
#include <QRect>
#include <functional>
#include <vector>

namespace tavrolin {

class DesignLayout : public QLayout {
   public:
    // designSize: the frame's size as designed (pixels, title included). minimumScale: the share
    // of the design width below which the frame does not shrink (0 < minimumScale <= 1).
    DesignLayout(QWidget* frame, QSize designSize, double minimumScale);
    ~DesignLayout() override;

    // Adds a widget of the frame, placed by `design` (asked again at each layout, so that a model
    // that moves its controls is followed after invalidate()).
    void addDesigned(QWidget* widget, std::function<QRect()> design);

    // QLayout.
    void addItem(QLayoutItem* item) override;
    int count() const override { return static_cast<int>(m_items.size()); }
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;

    QSize designSize() const { return m_designSize; }

    // The rectangle a design rectangle takes in a frame of the given size.
    static QRect place(const QRect& design, QSize designSize, QSize frameSize);

   private:
    struct Entry {
        QLayoutItem* item;
        std::function<QRect()> design;
    };
    // The design size less the frame's own margins (title and border), which the layout system
    // adds back around a layout's sizes.
    QSize withoutFrameMargins(QSize size) const;

    QSize m_designSize;
    double m_minimumScale;
    std::vector<Entry> m_items;
};

}  // namespace tavrolin
