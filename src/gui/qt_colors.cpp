#include "gui/qt_colors.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <charconv>

#include "window/control.h"
#include "templates/palette.h"

namespace tavrolin {

namespace {
constexpr int kSwatchWidth = 20;
constexpr int kSwatchHeight = 14;
const QColor kNoColorStroke(200, 0, 0);
}  // namespace

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

bool isColorCodeList(const std::string& name) {
    return name == "COLOR" || name == "BDR_COLOR" || name == "BFR_COLOR" || name == "RTP_COLOR" ||
           name == "HAL_COLOR";
}

QIcon colorCodeSwatch(const std::string& codeText) {
    int code = 0;
    const char* end = codeText.data() + codeText.size();
    auto [rest, error] = std::from_chars(codeText.data(), end, code);
    if (error != std::errc() || rest != end || !paletteHas(code)) return {};
    QPixmap swatch(kSwatchWidth, kSwatchHeight);
    swatch.fill(code == kNoColorCode ? QColor(Qt::white) : toQColor(paletteColor(code)));
    QPainter painter(&swatch);
    if (code == kNoColorCode) {
        // "No colour": white, struck through.
        painter.setPen(QPen(kNoColorStroke, 2));
        painter.drawLine(1, kSwatchHeight - 2, kSwatchWidth - 2, 1);
    }
    painter.setPen(QColor(90, 90, 90));
    painter.drawRect(0, 0, swatch.width() - 1, swatch.height() - 1);
    return QIcon(swatch);
}

}  // namespace tavrolin
