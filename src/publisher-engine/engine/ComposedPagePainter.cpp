#include "ComposedPagePainter.h"

#include "Length.h"

#include "EngineDocument.h"
#include "PictureBatch.h"

#include <QFileInfo>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace lumetra::engine {

namespace {

// Where a picture goes on the device and the pixel size it is decoded at: on an unrotated target
// the picture is decoded at its device size and copied pixel for pixel (no second resampling);
// pictures above the resolution cap are decoded at the cap and scaled when drawn. `rect` is the
// rectangle the picture is drawn into (by its fit: the box, or a rectangle inside or around it).
struct PicturePlacement {
    QSize wanted;
    QRect aligned;
    bool pixelAligned = false;
};

// Device pixels a side no placement goes beyond: far off any page (a picture covering its box
// with extreme proportions can reach that far), well within what a QRect holds.
constexpr double MaxDeviceSide = 1 << 30;

PicturePlacement placePicture(const QRectF& rect, const QTransform& transform,
                              double maxDevicePerPoint) {
    PicturePlacement placement;
    const QRectF device = transform.mapRect(rect);
    const bool inRange =
        std::max({std::abs(device.left()), std::abs(device.right()), std::abs(device.top()),
                  std::abs(device.bottom())}) < MaxDeviceSide;
    if (inRange) {
        placement.aligned = QRect(QPoint(qRound(device.left()), qRound(device.top())),
                                  QPoint(qRound(device.right()) - 1, qRound(device.bottom()) - 1));
    }
    placement.pixelAligned =
        inRange && transform.type() <= QTransform::TxScale && transform.m11() > 0 &&
        transform.m22() > 0 && device.width() <= rect.width() * maxDevicePerPoint + 0.5 &&
        device.height() <= rect.height() * maxDevicePerPoint + 0.5 && !placement.aligned.isEmpty();
    double scaleX = std::min(device.width(), rect.width() * maxDevicePerPoint);
    double scaleY = std::min(device.height(), rect.height() * maxDevicePerPoint);
    if (const double longest = std::max(scaleX, scaleY); longest > MaxDeviceSide) {
        scaleX *= MaxDeviceSide / longest;
        scaleY *= MaxDeviceSide / longest;
    }
    placement.wanted = placement.pixelAligned
                           ? placement.aligned.size()
                           : QSize(std::max(1, static_cast<int>(std::ceil(scaleX))),
                                   std::max(1, static_cast<int>(std::ceil(scaleY))));
    return placement;
}

bool drawable(const EngineShape& shape) {
    return shape.kind() == ShapeKind::Picture && shape.box().width() > 0 &&
           shape.box().height() > 0;
}

void paintPicture(QPainter& painter, const EngineShape& shape, const PicturePlacement& placement,
                  const DecodedPicture& picture, QStringList* unreadable) {
    const QRectF box = shape.box();
    if (!picture.picture) {
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
    // A picture covering its box is cut to it; one fitted inside leaves the rest of the box as
    // it was.
    const bool clipped = shape.pictureFit() == Publisher::lmPictureFitCover;
    if (clipped) {
        painter.save();
        painter.setClipRect(box, Qt::IntersectClip);
    }
    const QImage image = picture.picture->image();
    if (placement.pixelAligned && image.size() == placement.aligned.size()) {
        painter.save();
        painter.resetTransform();
        painter.drawImage(placement.aligned.topLeft(), image);
        painter.restore();
    } else {
        picture.picture->draw(painter, shape.pictureRect()); // stretched into that rectangle
    }
    if (clipped) {
        painter.restore();
    }
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

// The pictures of pages, in the order they are painted, with where each one goes.
struct PicturePlan {
    std::vector<PictureRequest> requests;
    std::vector<PicturePlacement> placements;
};

QTransform pageTransform(const QPainter& painter, QSizeF pageSize, const QRectF& target) {
    return QTransform::fromScale(target.width() / pageSize.width(),
                                 target.height() / pageSize.height()) *
           QTransform::fromTranslate(target.left(), target.top()) * painter.transform();
}

void planPictures(const EnginePage& page, const QTransform& transform, double maxDevicePerPoint,
                  PicturePlan& plan) {
    for (const auto& shape : page.shapes()) {
        if (drawable(*shape)) {
            plan.placements.push_back(
                placePicture(shape->pictureRect(), transform, maxDevicePerPoint));
            plan.requests.push_back(PictureRequest{
                shape->pictureFile(), plan.placements.back().wanted, shape->heldPicture()});
        }
    }
}

// Paints one page whose pictures come from `pictures`, starting at `*next` (moved past them).
void paintPlannedPage(QPainter& painter, const EngineDocument& document, int pageIndex,
                      const QRectF& target, const QTransform& transform,
                      const std::vector<PicturePlacement>& placements, PictureBatch& pictures,
                      int* next, QStringList* unreadable) {
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

    painter.setTransform(transform);
    for (const auto& shape : page.shapes()) {
        switch (shape->kind()) {
        case ShapeKind::Picture:
            if (drawable(*shape)) {
                const int index = (*next)++;
                paintPicture(painter, *shape, placements[static_cast<std::size_t>(index)],
                             pictures.take(index), unreadable);
            }
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

bool paintable(const EngineDocument& document, int pageIndex, const QRectF& target) {
    return pageIndex >= 0 && pageIndex < document.pageCount() && !target.isEmpty() &&
           !document.pageSize().isEmpty();
}

} // namespace

void paintPage(QPainter& painter, const EngineDocument& document, int pageIndex,
               const QRectF& target, QStringList* unreadable, const PaintOptions& options) {
    paintPages(painter, document, pageIndex, pageIndex, target, {}, unreadable, options);
}

void paintPages(QPainter& painter, const EngineDocument& document, int first, int last,
                const QRectF& target, const std::function<void()>& nextPage,
                QStringList* unreadable, const PaintOptions& options) {
    // Every page starts from the painter's state of now: plan all the pictures, then let the
    // workers decode ahead of the painter while the layout content and the pictures are drawn.
    const bool drawing = !document.pageSize().isEmpty() && !target.isEmpty();
    const QTransform transform =
        drawing ? pageTransform(painter, document.pageSize(), target) : QTransform();
    const double maxDevicePerPoint = options.maxPictureDpi / runtime::PointsPerInch;
    PicturePlan plan;
    int window = 0;
    for (int page = first; page <= last; ++page) {
        if (paintable(document, page, target)) {
            const std::size_t before = plan.requests.size();
            planPictures(document.page(page), transform, maxDevicePerPoint, plan);
            window = std::max(window, static_cast<int>(plan.requests.size() - before));
        }
    }
    // A page's pictures ahead at most, and no more than the workers can decode at once: the
    // painter, which also compresses each picture into the PDF, is the slower side, and pictures
    // decoded further ahead would only wait in memory.
    window = std::min(window, MaxDecodingThreads);
    PictureBatch pictures(std::move(plan.requests), options.decodingThreads, std::max(1, window));
    int next = 0;
    for (int page = first; page <= last; ++page) {
        if (page > first && nextPage) {
            nextPage();
        }
        if (paintable(document, page, target)) {
            paintPlannedPage(painter, document, page, target, transform, plan.placements, pictures,
                             &next, unreadable);
        }
    }
}

} // namespace lumetra::engine
