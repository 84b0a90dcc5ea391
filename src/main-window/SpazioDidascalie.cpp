#include "SpazioDidascalie.h"

#include "CaptionTemplate.h"
#include "Layout.h"
#include "Length.h"

#include <algorithm>
#include <limits>

namespace lumetra::mainwindow {
namespace {

constexpr double PuntiPerCm = runtime::Length::centimetres(1).points();
// Edges this close count as touching (layouts store rounded positions).
constexpr double Tolleranza = 0.01;

struct Spazio {
    double punti = 0;
    bool traRettangoli = false; // false: up to the page's edge
};

// The least room above a rectangle: up to the nearest rectangle above it that shares some of
// its width, or to the top of the page. Rectangles that overlap it are no neighbours.
Spazio SpazioSopra(const std::vector<QRectF>& rettangoli) {
    Spazio minimo{std::numeric_limits<double>::max(), false};
    for (const QRectF& r : rettangoli) {
        Spazio spazio{std::max(0.0, r.top()), false};
        for (const QRectF& altro : rettangoli) {
            const bool affiancati =
                altro.left() < r.right() - Tolleranza && altro.right() > r.left() + Tolleranza;
            const bool sopra = altro.bottom() <= r.top() + Tolleranza;
            if (&altro != &r && affiancati && sopra && r.top() - altro.bottom() < spazio.punti) {
                spazio = {std::max(0.0, r.top() - altro.bottom()), true};
            }
        }
        if (spazio.punti < minimo.punti) {
            minimo = spazio;
        }
    }
    return minimo;
}

// The page turned upside down: the room below becomes the room above.
std::vector<QRectF> Capovolti(const PaginaLayout& pagina) {
    std::vector<QRectF> capovolti;
    capovolti.reserve(pagina.rettangoli.size());
    for (const QRectF& r : pagina.rettangoli) {
        capovolti.emplace_back(r.left(), pagina.altezza - r.bottom(), r.width(), r.height());
    }
    return capovolti;
}

// Centimetres the Italian way, with no more decimals than needed: "1,4", "0,75", "2".
QString Cm(double punti) {
    return runtime::formatDecimal(punti / PuntiPerCm);
}

} // namespace

std::optional<PaginaLayout> LeggiPaginaLayout(const QString& file) {
    if (file.isEmpty()) {
        return std::nullopt;
    }
    try {
        const pub::Layout layout = pub::Layout::readFile(file);
        const pub::Page& prima = layout.pages().at(layout.firstPageIndex());
        PaginaLayout pagina;
        pagina.altezza = layout.pageHeight();
        for (const int posizione : layout.pictureSlots()) {
            const pub::Shape& forma = prima.shapes.at(posizione - 1);
            pagina.rettangoli.emplace_back(forma.left, forma.top, forma.width, forma.height);
        }
        return pagina;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

Ingombro IngombroDi(int posizioneEsterna, const QString& altezza, const QString& modello,
                    const composition::ImpostazioniBarre& barre) {
    Ingombro ingombro;
    const std::optional<double> riga = runtime::parseDecimal(altezza);
    if (riga && *riga > 0) {
        const double didascalia = *riga * catalogue::captionLineCount(modello);
        if (posizioneEsterna == 1) {
            ingombro.didascaliaSopra = didascalia;
        } else if (posizioneEsterna == 2) {
            ingombro.didascaliaSotto = didascalia;
        }
    }
    const std::optional<double> simbolo = runtime::parseDecimal(barre.altezza);
    if (barre.tipo != composition::TipoBarre::Nessuno && simbolo && *simbolo > 0) {
        (barre.posizione == 1 ? ingombro.barreSopra : ingombro.barreSotto) = *simbolo;
    }
    return ingombro;
}

QString AvvisoSpazio(const PaginaLayout& pagina, const Ingombro& ingombro) {
    if (pagina.rettangoli.empty()) {
        return {};
    }
    struct Lato {
        double didascalia;
        double barre;
        Spazio spazio;
    };
    const Lato lati[] = {
        {ingombro.didascaliaSopra, ingombro.barreSopra, SpazioSopra(pagina.rettangoli)},
        {ingombro.didascaliaSotto, ingombro.barreSotto, SpazioSopra(Capovolti(pagina))}};
    const Lato* stretto = nullptr;
    double eccesso = Tolleranza;
    for (const Lato& lato : lati) {
        const double oltre = (lato.didascalia + lato.barre) * PuntiPerCm - lato.spazio.punti;
        if (oltre > eccesso) {
            eccesso = oltre;
            stretto = &lato;
        }
    }
    if (stretto == nullptr) {
        return {};
    }
    const QString alto = Cm((stretto->didascalia + stretto->barre) * PuntiPerCm);
    QString cosa = QStringLiteral("il codice a barre (%1 cm) è più alto").arg(alto);
    if (stretto->didascalia > 0) {
        cosa = stretto->barre > 0
                   ? QStringLiteral("le didascalie e il codice a barre (%1 cm) sono più alti")
                         .arg(alto)
                   : QStringLiteral("le didascalie (%1 cm) sono più alte").arg(alto);
    }
    return QStringLiteral("Attenzione: %1 dello spazio %2 (%3 cm)")
        .arg(cosa,
             stretto->spazio.traRettangoli ? QStringLiteral("tra i rettangoli")
                                           : QStringLiteral("fino al bordo della pagina"),
             Cm(stretto->spazio.punti));
}

} // namespace lumetra::mainwindow
