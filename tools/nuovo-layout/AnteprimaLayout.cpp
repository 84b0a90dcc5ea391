#include "AnteprimaLayout.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace lumetra::nuovolayout {

AnteprimaLayout::AnteprimaLayout(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("picAnteprima"));
    setMinimumSize(240, 240);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void AnteprimaLayout::MostraPiano(const layoutwriter::LayoutPlan& piano) {
    piano_ = piano;
    errore_.clear();
    update();
}

void AnteprimaLayout::MostraErrore(const QString& testo) {
    piano_.reset();
    errore_ = testo;
    update();
}

void AnteprimaLayout::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Mid));
    const QRectF spazio = QRectF(rect()).adjusted(16, 16, -16, -16);
    if (!piano_ || piano_->pageWidth <= 0 || piano_->pageHeight <= 0) {
        p.setPen(palette().color(QPalette::BrightText));
        p.drawText(spazio, Qt::AlignCenter | Qt::TextWordWrap, errore_);
        return;
    }
    p.setRenderHint(QPainter::Antialiasing);
    const double scala =
        std::min(spazio.width() / piano_->pageWidth, spazio.height() / piano_->pageHeight);
    const QSizeF pagina(piano_->pageWidth * scala, piano_->pageHeight * scala);
    const QPointF origine(spazio.center().x() - pagina.width() / 2,
                          spazio.center().y() - pagina.height() / 2);
    const auto suPagina = [&](const QRectF& r) {
        return QRectF(origine + r.topLeft() * scala, r.size() * scala);
    };
    p.fillRect(QRectF(origine + QPointF(3, 3), pagina), QColor(0, 0, 0, 70));
    p.fillRect(QRectF(origine, pagina), Qt::white);

    // Numbers as large as the smallest rectangle allows, the same for all.
    double lato = 1e9;
    for (const QRectF& r : piano_->rectangles) {
        lato = std::min({lato, r.width() * scala, r.height() * scala});
    }
    QFont numeri = font();
    numeri.setPixelSize(std::clamp(static_cast<int>(lato * 0.4), 6, 28));
    p.setFont(numeri);
    // The caption's room: a pale band, dashed, where Lumetra will set the article code.
    p.setPen(QPen(QColor(190, 150, 60), 1, Qt::DashLine));
    p.setBrush(QColor(255, 244, 214));
    for (const QRectF& r : piano_->captionBands) {
        p.drawRect(suPagina(r));
    }
    int numero = 0;
    for (const QRectF& r : piano_->rectangles) {
        const QRectF box = suPagina(r);
        p.setPen(QPen(QColor(70, 110, 170), 1));
        p.setBrush(QColor(225, 235, 250));
        p.drawRect(box);
        p.setPen(QColor(40, 60, 100));
        p.drawText(box, Qt::AlignCenter, QString::number(++numero));
    }
    if (!piano_->title.isEmpty()) {
        const QRectF box = suPagina(piano_->titleBox);
        QFont titolo = font();
        // The size the layout's readers give a text box without its own: about 11 points.
        titolo.setPixelSize(std::max(4, static_cast<int>(11 * scala)));
        p.setFont(titolo);
        p.setPen(Qt::black);
        p.drawText(box, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, piano_->title);
    }
}

} // namespace lumetra::nuovolayout
