#include "gui/qt_colors.h"

#include <QApplication>
#include <QPalette>

#include "window/control.h"

namespace tavrolin {

QColor toQColor(std::uint32_t value) {
    if (color::isSystem(value)) {
        const QPalette palette = QApplication::palette();
        switch (value) {
            // Button face is the window's own background on the desktop the window was drawn
            // for; labels and areas in that colour blend with the window here too.
            case color::kButtonFace:
                return palette.color(QPalette::Window);
            case color::kWindowText:
                return palette.color(QPalette::WindowText);
            case color::kWindowBackground:
                return palette.color(QPalette::Base);
            case color::kHighlight:
                return palette.color(QPalette::Highlight);
            default:
                break;
        }
        value = color::resolve(value);
    }
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

std::uint32_t fromQColor(const QColor& color) {
    return static_cast<std::uint32_t>(color.red()) |
           (static_cast<std::uint32_t>(color.green()) << 8) |
           (static_cast<std::uint32_t>(color.blue()) << 16);
}

}  // namespace tavrolin
