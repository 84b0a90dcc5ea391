#include "DocumentPainter.h"

#include "EngineDocument.h"
#include "PictureFile.h"

#include <QFileInfo>
#include <QPainter>

#include <cmath>

namespace lumetra::engine {

namespace {

void paintPicture(QPainter& painter, const EngineShape& shape, double maxDevicePerPoint,
                  QStringList* unreadable) {
    const QRectF box = shape.box();
    if (box.width() <= 0 || box.height() <= 0) {
        return;
    }
    const QTransform transform = painter.transform();
    const QRectF device = transform.mapRect(box);
    // On an unrotated target the picture is decoded at its device size and copied pixel for
    // pixel (no second resampling); pictures above the resolution cap are scaled when drawn.
    const QRect aligned(QPoint(qRound(device.left()), qRound(device.top())),
                        QPoint(qRound(device.right()) - 1, qRound(device.bottom()) - 1));
    const bool pixelAligned =
        transform.type() <= QTransform::TxScale && transform.m11() > 0 && transform.m22() > 0 &&
        device.width() <= box.width() * maxDevicePerPoint + 0.5 &&
        device.height() <= box.height() * maxDevicePerPoint + 0.5 && !aligned.isEmpty();
    const double scaleX = std::min(device.width(), box.width() * maxDevicePerPoint);
    const double scaleY = std::min(device.height(), box.height() * maxDevicePerPoint);
    const QSize wanted = pixelAligned ? aligned.size()
                                      : QSize(std::max(1, static_cast<int>(std::ceil(scaleX))),
                                              std::max(1, static_cast<int>(std::ceil(scaleY))));
    QString error;
    const QImage image = decodePicture(shape.pictureFile(), wanted, &error);
    if (image.isNull()) {
        // An empty box where the picture should be; the caller reports the file.
        painter.save();
        painter.setPen(QPen(QColor(160, 160, 160), 0));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(box);
        painter.restore();
        if (unreadable && !unreadable->contains(shape.pictureFile())) {
            unreadable->append(shape.pictureFile());
        }
        return;
    }
    if (pixelAligned && image.size() == aligned.size()) {
        painter.save();
        painter.resetTransform();
        painter.drawImage(aligned.topLeft(), image);
        painter.restore();
        return;
    }
    painter.drawImage(box, image); // stretched into its box
}

void paintText(QPainter& painter, const EngineShape& shape) {
    const QRectF box = shape.box();
    if (const auto fill = shape.fill()) {
        painter.fillRect(box, QColor(*fill));
    }
    const TextBox& text = shape.text();
    const MeasuredText& measured = text.measured();
    if (measured.isEmpty() || box.width() <= 0 || box.height() <= 0) {
        return;
    }
    const double size = text.fontSize();
    const QRectF inner = box.adjusted(TextMargin, TextMargin, -TextMargin, -TextMargin);
    const double scale = size / MeasuredText::ReferenceSize;
    painter.save();
    painter.setClipRect(box, Qt::IntersectClip);
    painter.setPen(Qt::black);
    painter.setFont(measured.referenceFont());
    double baseline = inner.top() + measured.ascent(size);
    for (const auto& line : measured.lines(size, inner.width())) {
        double x = inner.left();
        if (text.alignment() == 1) {
            x += (inner.width() - line.width) / 2;
        } else if (text.alignment() == 2) {
            x += inner.width() - line.width;
        }
        painter.save();
        painter.translate(x, baseline);
        painter.scale(scale, scale);
        painter.drawText(QPointF(0, 0), line.text);
        painter.restore();
        baseline += measured.lineSpacing(size);
    }
    painter.restore();
}

} // namespace

void paintPage(QPainter& painter, const EngineDocument& document, int pageIndex,
               const QRectF& target, QStringList* unreadable, const PaintOptions& options) {
    if (pageIndex < 0 || pageIndex >= document.pageCount() || target.isEmpty()) {
        return;
    }
    const QSizeF pageSize = document.pageSize();
    if (pageSize.isEmpty()) {
        return;
    }
    const EnginePage& page = document.page(pageIndex);
    const LayoutSource& layout = document.layout();

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(target, Qt::white);
    const int layoutPage = page.layoutPage();
    if (layoutPage >= 0 && layoutPage < layout.pageCount()) {
        const int shapeCount = static_cast<int>(layout.shapes(layoutPage).size());
        layout.draw(painter, layoutPage, page.hiddenLayoutShapes(shapeCount), target);
    }

    painter.translate(target.topLeft());
    painter.scale(target.width() / pageSize.width(), target.height() / pageSize.height());
    const double maxDevicePerPoint = options.maxPictureDpi / 72.0;
    for (const auto& shape : page.shapes()) {
        switch (shape->kind()) {
        case ShapeKind::Picture:
            paintPicture(painter, *shape, maxDevicePerPoint, unreadable);
            break;
        case ShapeKind::TextBox:
            paintText(painter, *shape);
            break;
        case ShapeKind::Layout:
            break; // drawn with the layout content
        }
    }
    painter.restore();
}

} // namespace lumetra::engine
