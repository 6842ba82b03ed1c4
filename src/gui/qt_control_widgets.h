// The widgets that draw the window model's decorations (shapes and lines) and the widgets that
// report clicks Qt does not signal by itself (labels, double-clicks on text boxes). Each
// decoration paints straight from its Control, so it always shows the model's current looks.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QWidget>
#include <functional>

#include "window/control.h"

namespace tavrolin {

// A rectangle shape: background (when opaque), solid fill, border in colour, style and width.
// Clicks pass through to what lies under it, unless it reports double-clicks.
class ShapeView : public QWidget {
   public:
    ShapeView(const Control& control, QWidget* parent);
    // Makes the shape take the mouse and call this on a left double-click.
    void reportDoubleClicks(std::function<void()> onDoubleClick);

   protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

   private:
    const Control& m_control;
    std::function<void()> m_onDoubleClick;
};

// A horizontal line across the middle of its rectangle, in the control's colour, width and style.
class LineView : public QWidget {
   public:
    LineView(const Control& control, QWidget* parent);

   protected:
    void paintEvent(QPaintEvent* event) override;

   private:
    const Control& m_control;
};

// A label that reports clicks and double-clicks.
class ClickLabel : public QLabel {
   public:
    explicit ClickLabel(QWidget* parent) : QLabel(parent) {}
    std::function<void()> onClick;
    std::function<void()> onDoubleClick;

   protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

// A line edit that reports double-clicks (the colour boxes open the colour picker on one).
class ClickLineEdit : public QLineEdit {
   public:
    explicit ClickLineEdit(QWidget* parent) : QLineEdit(parent) {}
    std::function<void()> onDoubleClick;

   protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

// The Qt pen style of a model border style.
Qt::PenStyle penStyle(BorderStyle style);

}  // namespace tavrolin
