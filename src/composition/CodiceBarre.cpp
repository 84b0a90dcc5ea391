#include "CodiceBarre.h"

#include "Length.h"

#include <QPainter>
#include <QSvgGenerator>

namespace lumetra::composition {

std::optional<QRectF> PostoCodiceBarre(const QRectF& immagine, const ImpostazioniBarre& barre,
                                       const std::optional<QRectF>& didascalia) {
    const std::optional<double> cm = runtime::parseDecimal(barre.altezza);
    if (!cm || *cm <= 0 || *cm > 100) {
        return std::nullopt;
    }
    const double altezza = runtime::Length::centimetres(*cm).points();
    const bool sopra = barre.posizione == 1;
    double alto = sopra ? immagine.top() - altezza : immagine.bottom();
    if (didascalia) {
        alto = sopra ? didascalia->top() - altezza : didascalia->bottom();
    }
    return QRectF(immagine.left(), alto, immagine.width(), altezza);
}

void AggiungiCodiceBarre(Publisher::Shapes& forme, const barcodes::Barcode& codice,
                         const QRectF& posto, const QString& file) {
    {
        QSvgGenerator svg;
        svg.setFileName(file);
        svg.setResolution(72);
        svg.setSize(QSize(qCeil(posto.width()), qCeil(posto.height())));
        svg.setViewBox(QRectF(QPointF(0, 0), posto.size()));
        QPainter pittore;
        if (!pittore.begin(&svg)) {
            throw Publisher::Error(runtime::ErrPermessoNegato,
                                   QStringLiteral("Impossibile scrivere il codice a barre"));
        }
        codice.draw(pittore, QRectF(QPointF(0, 0), posto.size()));
    }
    constexpr int Incorporata = 0;
    constexpr int SalvataNelDocumento = -1;
    const auto forma =
        forme.AddPicture(file, Incorporata, SalvataNelDocumento, Publisher::Variant(posto.left()),
                         Publisher::Variant(posto.top()), Publisher::Variant(posto.width()),
                         Publisher::Variant(posto.height()));
    if (!forma) {
        throw Publisher::Error(0, QStringLiteral("Impossibile inserire il codice a barre"));
    }
}

} // namespace lumetra::composition
