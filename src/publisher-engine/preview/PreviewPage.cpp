#include "PreviewPage.h"

#include "Length.h"

#include "ComposedPagePainter.h"
#include "EngineDocument.h"

#include <QPaintEvent>
#include <QPainter>

namespace lumetra::preview {

using engine::EngineDocument;
using engine::paintPage;

PreviewPage::PreviewPage(std::shared_ptr<const EngineDocument> document, int pageIndex,
                         QWidget* parent)
    : QWidget(parent), document_(std::move(document)), pageIndex_(pageIndex) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setZoom(1.0);
}

void PreviewPage::setZoom(double zoom) {
    zoom_ = zoom;
    const QSizeF points = document_->pageSize();
    const double pixelsPerPoint = logicalDpiX() / runtime::PointsPerInch * zoom_;
    setFixedSize(std::max(1, qRound(points.width() * pixelsPerPoint)),
                 std::max(1, qRound(points.height() * pixelsPerPoint)));
    dropDrawing();
    update();
}

void PreviewPage::dropDrawing() {
    drawing_ = QImage();
}

void PreviewPage::paintEvent(QPaintEvent* event) {
    const qreal ratio = devicePixelRatioF();
    if (drawing_.isNull() || drawing_.size() != size() * ratio) {
        drawing_ = QImage(size() * ratio, QImage::Format_RGB32);
        drawing_.setDevicePixelRatio(ratio);
        drawing_.fill(Qt::white);
        QPainter painter(&drawing_);
        QStringList unreadable;
        paintPage(painter, *document_, pageIndex_, QRectF(QPointF(0, 0), QSizeF(size())),
                  &unreadable);
        painter.end();
        if (!unreadable.isEmpty()) {
            emit unreadablePictures(unreadable);
        }
        emit drawn(pageIndex_);
    }
    QPainter painter(this);
    painter.drawImage(
        event->rect(), drawing_,
        QRectF(QPointF(event->rect().topLeft()) * ratio, QSizeF(event->rect().size()) * ratio));
    painter.setPen(QColor(90, 90, 90));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace lumetra::preview
