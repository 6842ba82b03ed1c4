#include "gui/qt_color_swatch.h"

#include <QPainter>
#include <QPixmap>
#include <charconv>

#include "gui/qt_colors.h"
#include "templates/palette.h"

namespace tavrolin {

namespace {
constexpr int kSwatchWidth = 20;
constexpr int kSwatchHeight = 14;
const QColor kNoColorStroke(200, 0, 0);
}  // namespace

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
