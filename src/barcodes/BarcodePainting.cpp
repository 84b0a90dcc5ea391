// Barcode::draw: the symbol in modules mapped into a box. Horizontally one uniform scale;
// vertically the bars take whatever the box leaves once the text under them (and the guard bars
// reaching into it) is laid out at that same scale.

#include "Barcode.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace lumetra::barcodes {

namespace {

// Shorter bars than this many modules are hard to scan: the symbol shrinks rather than go lower.
constexpr double kMinimumBarModules = 15;
// Text is shaped at this pixel size and scaled down, so that fractions of a module survive.
constexpr int kShapingPixels = 100;

struct Mapping {
    QPointF origin;
    double scale = 1;      // device units per module, both ways below the bars
    double barsHeight = 0; // device height of the ordinary bars
    double barsInModules = 1;

    double y(double modules) const {
        if (modules <= barsInModules) {
            return origin.y() + modules * barsHeight / barsInModules;
        }
        return origin.y() + barsHeight + (modules - barsInModules) * scale;
    }
    double x(double modules) const { return origin.x() + modules * scale; }
};

Mapping mappingInto(const SymbolVectors& symbol, const QRectF& box) {
    Mapping m;
    m.barsInModules = std::max(symbol.barsHeight, 1.0);
    const double below = std::max(symbol.size.height() - symbol.barsHeight, 0.0);
    m.scale = box.width() / symbol.size.width();
    if ((below + kMinimumBarModules) * m.scale > box.height()) {
        m.scale = box.height() / (below + kMinimumBarModules);
    }
    m.barsHeight = box.height() - below * m.scale;
    const double width = symbol.size.width() * m.scale;
    m.origin = QPointF(box.left() + (box.width() - width) / 2, box.top());
    return m;
}

QFont textFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(kShapingPixels);
    return font;
}

void drawText(QPainter& painter, const SymbolText& text, const Mapping& m, const QFont& font) {
    const QFontMetricsF metrics(font);
    const double size = text.fontSize * m.scale / kShapingPixels;
    const double advance = metrics.horizontalAdvance(text.text) * size;
    double squeeze = 1;
    if (text.width > 0 && advance > text.width * m.scale) {
        squeeze = text.width * m.scale / advance;
    }
    const double drawn = advance * squeeze;
    double left = m.x(text.baseline.x());
    if (text.alignment & Qt::AlignHCenter) {
        left -= drawn / 2;
    } else if (text.alignment & Qt::AlignRight) {
        left -= drawn;
    }
    painter.save();
    painter.translate(left, m.y(text.baseline.y()));
    painter.scale(size * squeeze, size);
    painter.drawText(QPointF(0, 0), text.text);
    painter.restore();
}

} // namespace

void Barcode::draw(QPainter& painter, const QRectF& box) const {
    if (box.width() <= 0 || box.height() <= 0 || symbol_.size.isEmpty()) {
        return;
    }
    const Mapping m = mappingInto(symbol_, box);
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.fillRect(QRectF(m.origin, QSizeF(symbol_.size.width() * m.scale, box.height())),
                     Qt::white);
    for (const QRectF& bar : symbol_.bars) {
        const double top = m.y(bar.top());
        painter.fillRect(
            QRectF(m.x(bar.left()), top, bar.width() * m.scale, m.y(bar.bottom()) - top),
            Qt::black);
    }
    const QFont font = textFont();
    painter.setFont(font);
    painter.setPen(Qt::black);
    for (const SymbolText& text : symbol_.texts) {
        drawText(painter, text, m, font);
    }
    painter.restore();
}

} // namespace lumetra::barcodes
