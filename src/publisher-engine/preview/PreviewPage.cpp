#include "PreviewPage.h"

#include "Length.h"

#include "ComposedPagePainter.h"
#include "EngineDocument.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

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

void PreviewPage::setMarks(std::vector<NoteMark> marks) {
    marks_ = std::move(marks);
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
    paintMarks(painter);
}

void PreviewPage::paintMarks(QPainter& painter) const {
    const QSizeF points = document_->pageSize();
    if (marks_.empty() || points.isEmpty()) {
        return;
    }
    const double sx = width() / points.width();
    const double sy = height() / points.height();
    painter.save();
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(12);
    painter.setFont(font);
    const QFontMetrics metrics(font);
    for (const NoteMark& mark : marks_) {
        const QRectF box(mark.box.left() * sx, mark.box.top() * sy, mark.box.width() * sx,
                         mark.box.height() * sy);
        painter.setPen(QPen(MarkColour, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(box);
        // The number at the box's top left corner, kept on the page for boxes reaching out of it.
        const QString number = QString::number(mark.number);
        QRectF label(box.topLeft(),
                     QSizeF(metrics.horizontalAdvance(number) + 8, metrics.height() + 2));
        label.moveLeft(std::clamp(label.left(), 0.0, std::max(0.0, width() - label.width())));
        label.moveTop(std::clamp(label.top(), 0.0, std::max(0.0, height() - label.height())));
        painter.fillRect(label, MarkColour);
        painter.setPen(Qt::white);
        painter.drawText(label, Qt::AlignCenter, number);
    }
    painter.restore();
}

} // namespace lumetra::preview
