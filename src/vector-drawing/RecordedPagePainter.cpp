#include "RecordedPagePainter.h"

#include "Length.h"

#include "EmbeddedPicture.h"
#include "TextPainter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <cmath>
#include <numbers>
#include <optional>

namespace lumetra::drawing {

namespace {

QSize devicePixels(const QPainter& painter, const QRectF& box) {
    const QRectF r = painter.deviceTransform().mapRect(box);
    return QSize(std::max(1, int(std::ceil(r.width()))), std::max(1, int(std::ceil(r.height()))));
}

QImage withColours(QImage image, const PictureColours& colours) {
    if (!colours.changes()) {
        return image;
    }
    image = image.convertToFormat(QImage::Format_ARGB32);
    const int shift = int((colours.brightness - 0.5) * 2.0 * 255.0);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = line[x];
            int r = qRed(p), g = qGreen(p), b = qBlue(p);
            if (colours.recolour) {
                // Dark parts take the colour, light parts stay light.
                const int grey = qGray(p);
                const QColor& c = *colours.recolour;
                r = c.red() + (255 - c.red()) * grey / 255;
                g = c.green() + (255 - c.green()) * grey / 255;
                b = c.blue() + (255 - c.blue()) * grey / 255;
            }
            line[x] = qRgba(std::clamp(r + shift, 0, 255), std::clamp(g + shift, 0, 255),
                            std::clamp(b + shift, 0, 255), qAlpha(p));
        }
    }
    return image;
}

void drawPictureInto(QPainter& painter, const EmbeddedPicture& picture, const QRectF& box,
                     const PictureColours& colours, QSize pixels = QSize()) {
    if (box.width() <= 0 || box.height() <= 0) {
        return;
    }
    // A drawing stays vectors unless its colours are changed, which is done on pixels.
    if (!colours.changes() && picture.draw(painter, box)) {
        return;
    }
    if (pixels.isEmpty()) {
        pixels = devicePixels(painter, box);
    }
    QImage image = picture.imageFor(pixels);
    if (image.isNull()) {
        return;
    }
    painter.drawImage(box, withColours(std::move(image), colours));
}

// The four corners of a path that is one quadrilateral of straight edges (a rectangle, maybe
// turned or flipped, as libmspub draws picture frames): top-left, top-right, bottom-right,
// bottom-left of the shape before its turn.
std::optional<QPolygonF> quadrilateral(const QPainterPath& path) {
    for (int i = 0; i < path.elementCount(); ++i) {
        if (path.elementAt(i).isCurveTo()) {
            return std::nullopt;
        }
    }
    const QList<QPolygonF> parts = path.toSubpathPolygons();
    if (parts.size() != 1) {
        return std::nullopt;
    }
    QPolygonF q = parts.front();
    while (q.size() > 1 && QLineF(q.front(), q.back()).length() < 1e-9) {
        q.removeLast();
    }
    if (q.size() != 4) {
        return std::nullopt;
    }
    // Opposite corners share their middle in a parallelogram.
    const QPointF d = (q[0] + q[2]) - (q[1] + q[3]);
    const double size = QLineF(q[0], q[2]).length();
    if (size <= 0 || std::hypot(d.x(), d.y()) > size * 1e-3) {
        return std::nullopt;
    }
    return q;
}

void drawPictureOnto(QPainter& painter, const EmbeddedPicture& picture,
                     const PictureColours& colours, const QPainterPath& path) {
    painter.save();
    if (const auto q = quadrilateral(path)) {
        QTransform toQuad;
        const QPolygonF unit{QPointF(0, 0), QPointF(1, 0), QPointF(1, 1), QPointF(0, 1)};
        if (QTransform::quadToQuad(unit, *q, toQuad)) {
            const QTransform device = painter.deviceTransform();
            const QSize pixels(
                std::max(1,
                         int(std::ceil(QLineF(device.map((*q)[0]), device.map((*q)[1])).length()))),
                std::max(
                    1, int(std::ceil(QLineF(device.map((*q)[0]), device.map((*q)[3])).length()))));
            painter.setTransform(toQuad, true);
            drawPictureInto(painter, picture, QRectF(0, 0, 1, 1), colours, pixels);
            painter.restore();
            return;
        }
    }
    painter.setClipPath(path, Qt::IntersectClip);
    drawPictureInto(painter, picture, path.boundingRect(), colours);
    painter.restore();
}

QBrush gradientBrush(const FillStyle& fill, const QRectF& bounds) {
    if (fill.radial) {
        QRadialGradient g(bounds.center(), std::hypot(bounds.width(), bounds.height()) / 2);
        g.setStops(fill.stops);
        return QBrush(g);
    }
    // The gradient runs along the direction `angle` (counter-clockwise from the x axis)
    // across the whole box.
    const double a = fill.angle * std::numbers::pi / 180.0;
    const QPointF dir(std::cos(a), -std::sin(a));
    const double half =
        (std::fabs(dir.x()) * bounds.width() + std::fabs(dir.y()) * bounds.height()) / 2;
    const QPointF c = bounds.center();
    QLinearGradient g(c - dir * half, c + dir * half);
    g.setStops(fill.stops);
    return QBrush(g);
}

QPen strokePen(const StrokeStyle& stroke) {
    QPen pen(stroke.color);
    pen.setCapStyle(stroke.cap);
    pen.setJoinStyle(stroke.join);
    if (stroke.width > 0) {
        pen.setWidthF(stroke.width);
    } else {
        pen.setWidthF(0); // one device pixel
        pen.setCosmetic(true);
    }
    if (!stroke.dashes.isEmpty()) {
        const double unit = stroke.width > 0 ? stroke.width : 1.0 / runtime::PointsPerInch;
        QList<qreal> pattern;
        for (double d : stroke.dashes) {
            pattern << std::max(0.05, d / unit);
        }
        if (pattern.size() % 2) {
            pattern << pattern.back();
        }
        pen.setDashPattern(pattern);
    }
    return pen;
}

void paintShape(QPainter& painter, const ShapeItem& shape) {
    const bool fills = shape.fill.kind != FillStyle::Kind::None;
    if (shape.shadow.visible) {
        const QPainterPath shadow = shape.path.translated(shape.shadow.offset);
        if (fills) {
            painter.fillPath(shadow, shape.shadow.color);
        } else if (shape.stroke.visible) {
            QPen pen = strokePen(shape.stroke);
            pen.setColor(shape.shadow.color);
            painter.strokePath(shadow, pen);
        }
    }
    switch (shape.fill.kind) {
    case FillStyle::Kind::Solid: {
        QColor c = shape.fill.color;
        c.setAlphaF(float(c.alphaF() * shape.opacity));
        painter.fillPath(shape.path, c);
        break;
    }
    case FillStyle::Kind::Gradient:
        painter.save();
        painter.setOpacity(painter.opacity() * shape.opacity);
        painter.fillPath(shape.path, gradientBrush(shape.fill, shape.path.boundingRect()));
        painter.restore();
        break;
    case FillStyle::Kind::Bitmap:
        if (shape.fill.picture) {
            drawPictureOnto(painter, *shape.fill.picture, shape.fill.pictureColours, shape.path);
        }
        break;
    case FillStyle::Kind::None:
        break;
    }
    if (shape.stroke.visible) {
        painter.strokePath(shape.path, strokePen(shape.stroke));
    }
}

} // namespace

void paintRecordedPage(QPainter& painter, const RecordedPage& page, const QRectF& target) {
    if (page.size.isEmpty() || target.isEmpty()) {
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setClipRect(target, Qt::IntersectClip);
    painter.translate(target.topLeft());
    painter.scale(target.width() / page.size.width(), target.height() / page.size.height());
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::NoBrush);

    int depth = 0;
    for (const DisplayItem& item : page.items) {
        if (const auto* shape = std::get_if<ShapeItem>(&item)) {
            paintShape(painter, *shape);
        } else if (const auto* picture = std::get_if<PictureItem>(&item)) {
            if (picture->picture) {
                drawPictureInto(painter, *picture->picture, picture->box, picture->colours);
            }
        } else if (const auto* text = std::get_if<TextItem>(&item)) {
            paintText(painter, *text);
        } else if (const auto* table = std::get_if<TableItem>(&item)) {
            paintTable(painter, *table);
        } else if (const auto* layer = std::get_if<LayerBegin>(&item)) {
            painter.save();
            ++depth;
            if (!layer->clip.isEmpty()) {
                painter.setClipPath(layer->clip, Qt::IntersectClip);
            }
        } else if (std::holds_alternative<LayerEnd>(item) && depth > 0) {
            painter.restore();
            --depth;
        }
    }
    for (; depth > 0; --depth) {
        painter.restore();
    }
    painter.restore();
}

} // namespace lumetra::drawing
