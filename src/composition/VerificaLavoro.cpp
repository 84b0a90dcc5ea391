#include "VerificaLavoro.h"

#include "CodiceArticolo.h"

#include <QHash>
#include <QLocale>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <thread>

namespace lumetra::composition {
namespace {

// Pictures read at once: as many as the cores, at most this many (each reading takes its own
// memory).
constexpr unsigned MassimoLetture = 4;

// Boxes that only touch, or are a rounding apart, neither overlap nor leave the page.
constexpr double Tolleranza = 0.5; // points

QString Numero(double valore, int decimali = 1) {
    return QLocale(QLocale::Italian, QLocale::Italy).toString(valore, 'f', decimali);
}

QString Centimetri(double punti) {
    return Numero(punti * 2.54 / 72.0);
}

bool Sovrapposti(const QRectF& a, const QRectF& b) {
    const QRectF comune = a.intersected(b);
    return comune.width() > Tolleranza && comune.height() > Tolleranza;
}

bool FuoriPagina(const QRectF& riquadro, const QSizeF& pagina) {
    return riquadro.left() < -Tolleranza || riquadro.top() < -Tolleranza ||
           riquadro.right() > pagina.width() + Tolleranza ||
           riquadro.bottom() > pagina.height() + Tolleranza;
}

// How much a picture is stretched in its box: 1 when its proportions are kept.
double Deformazione(double larghezza, double altezza, const QRectF& riquadro) {
    if (larghezza <= 0 || altezza <= 0 || riquadro.width() <= 0 || riquadro.height() <= 0) {
        return 1;
    }
    const double fattore = (riquadro.width() / riquadro.height()) / (larghezza / altezza);
    return std::max(fattore, 1 / fattore);
}

} // namespace

void VerificaLavoro::Slot(int indice, int pagina, const QRectF& riquadro) {
    slot_.try_emplace(indice, Posta{QString(), pagina, riquadro});
}

void VerificaLavoro::Immagine(const QString& nome, int pagina, const QRectF& riquadro,
                              std::shared_ptr<Publisher::PictureFormat> formato) {
    immagini_.push_back({nome, pagina, riquadro, std::move(formato)});
}

void VerificaLavoro::Didascalia(const QString& nome, int pagina, const QRectF& riquadro,
                                double corpo) {
    didascalie_.push_back({nome, pagina, riquadro, nullptr, corpo});
}

bool VerificaLavoro::HaImmaginiDaLeggere() const {
    return std::any_of(immagini_.begin(), immagini_.end(),
                       [](const Posta& immagine) { return immagine.formato != nullptr; });
}

// What is wrong with each picture read to its end, on a few threads: reading is most of what
// the check costs.
std::vector<QString> VerificaLavoro::LeggiImmagini() const {
    std::vector<QString> danni(immagini_.size());
    std::atomic<std::size_t> prossima{0};
    const auto leggi = [&] {
        for (std::size_t i = prossima++; i < immagini_.size(); i = prossima++) {
            if (!immagini_[i].formato) {
                continue;
            }
            try {
                danni[i] = immagini_[i].formato->Damage();
            } catch (const Publisher::Error& e) {
                danni[i] = e.Description().isEmpty() ? QStringLiteral("il file non si può leggere")
                                                     : e.Description();
            } catch (...) {
                danni[i] = QStringLiteral("il file non si può leggere");
            }
        }
    };
    const unsigned fili = std::clamp(std::thread::hardware_concurrency(), 1u, MassimoLetture) - 1;
    std::vector<std::jthread> aiutanti;
    for (unsigned f = 0; f < fili && f + 1 < immagini_.size(); ++f) {
        aiutanti.emplace_back(leggi);
    }
    leggi();
    return danni;
}

std::vector<QString> VerificaLavoro::DanniNoti(const LimitiControllo& limiti) const {
    std::vector<QString> danni;
    for (const Posta& immagine : immagini_) {
        danni.push_back(limiti.danni.value(immagine.nome));
    }
    return danni;
}

std::vector<Rilievo> VerificaLavoro::Verifica(const LimitiControllo& limiti) const {
    std::vector<Rilievo> rilievi;
    const std::vector<QString> danni = limiti.leggiImmagini ? LeggiImmagini() : DanniNoti(limiti);
    for (std::size_t i = 0; i < immagini_.size(); ++i) {
        VerificaImmagine(immagini_[i], danni[i], limiti, rilievi);
    }
    VerificaDuplicati(rilievi);
    VerificaDidascalie(limiti, rilievi);
    VerificaSlot(limiti, rilievi);
    rilievi.insert(rilievi.end(), catalogo_.begin(), catalogo_.end());
    std::stable_sort(rilievi.begin(), rilievi.end(),
                     [](const Rilievo& a, const Rilievo& b) { return a.tipo < b.tipo; });
    return rilievi;
}

void VerificaLavoro::VerificaImmagine(const Posta& immagine, const QString& danno,
                                      const LimitiControllo& limiti,
                                      std::vector<Rilievo>& rilievi) const {
    if (!immagine.formato) {
        return;
    }
    Publisher::PictureFormat& formato = *immagine.formato;
    const auto rileva = [&](TipoRilievo tipo, const QString& testo) {
        rilievi.push_back({tipo, immagine.nome, testo, immagine.pagina, immagine.riquadro});
    };
    if (!danno.isEmpty()) {
        rileva(TipoRilievo::Danneggiata, danno);
    }
    const double orizzontale = formato.HorizontalResolution();
    const double verticale = formato.VerticalResolution();
    if (orizzontale > 0 && verticale > 0 &&
        std::min(orizzontale, verticale) < limiti.ppiMinimo - 0.5) {
        rileva(TipoRilievo::Risoluzione,
               QStringLiteral("nel suo spazio stampa a %1 x %2 ppi: ne servono almeno %3")
                   .arg(std::lround(orizzontale))
                   .arg(std::lround(verticale))
                   .arg(limiti.ppiMinimo));
    }
    if (limiti.adattamento == Publisher::lmPictureFitStretch) {
        const double deformazione =
            Deformazione(formato.OriginalWidth(), formato.OriginalHeight(), immagine.riquadro);
        if (deformazione > DeformazioneMassima) {
            rileva(TipoRilievo::Deformata,
                   QStringLiteral("le sue proporzioni sono alterate di %1 volte nel suo spazio: "
                                  "scegliere \"Adatta\" o \"Riempi\"")
                       .arg(Numero(deformazione)));
        }
    }
}

// The same article code twice (another extension, other capitals): one finding for each file
// after the first, naming the first.
void VerificaLavoro::VerificaDuplicati(std::vector<Rilievo>& rilievi) const {
    QHash<QString, QString> primi;
    for (const Posta& immagine : immagini_) {
        const QString codice = CodiceArticolo(immagine.nome).toCaseFolded();
        const auto primo = primi.constFind(codice);
        if (primo == primi.constEnd()) {
            primi.insert(codice, immagine.nome);
            continue;
        }
        rilievi.push_back({TipoRilievo::Duplicato, immagine.nome,
                           QStringLiteral("ha lo stesso codice articolo di '%1'").arg(*primo),
                           immagine.pagina, immagine.riquadro});
    }
}

void VerificaLavoro::VerificaDidascalie(const LimitiControllo& limiti,
                                        std::vector<Rilievo>& rilievi) const {
    for (const Posta& didascalia : didascalie_) {
        const auto rileva = [&](const QString& testo) {
            rilievi.push_back({TipoRilievo::Didascalia, didascalia.nome, testo, didascalia.pagina,
                               didascalia.riquadro});
        };
        if (!limiti.pagina.isEmpty() && FuoriPagina(didascalia.riquadro, limiti.pagina)) {
            rileva(QStringLiteral("la didascalia esce dalla pagina"));
        }
        const auto coperta = std::find_if(immagini_.begin(), immagini_.end(), [&](const Posta& i) {
            return i.pagina == didascalia.pagina && i.nome != didascalia.nome &&
                   Sovrapposti(i.riquadro, didascalia.riquadro);
        });
        if (coperta != immagini_.end()) {
            rileva(
                QStringLiteral("la didascalia si sovrappone all'immagine '%1'").arg(coperta->nome));
        }
        if (didascalia.corpo > 0 && didascalia.corpo < CorpoMinimoDidascalia) {
            rileva(QStringLiteral("il testo della didascalia è ridotto a %1 pt per entrare nel "
                                  "suo spazio (almeno %2 pt per leggerlo)")
                       .arg(Numero(didascalia.corpo))
                       .arg(Numero(CorpoMinimoDidascalia, 0)));
        }
    }
}

void VerificaLavoro::VerificaSlot(const LimitiControllo& limiti,
                                  std::vector<Rilievo>& rilievi) const {
    if (limiti.pagina.isEmpty()) {
        return;
    }
    for (const auto& entry : slot_) {
        const Posta& slot = entry.second;
        if (FuoriPagina(slot.riquadro, limiti.pagina)) {
            rilievi.push_back(
                {TipoRilievo::Pagina, limiti.layout,
                 QStringLiteral("il rettangolo a %1 cm da sinistra e %2 cm dall'alto (%3 x %4 "
                                "cm) esce in parte dalla pagina")
                     .arg(Centimetri(slot.riquadro.left()), Centimetri(slot.riquadro.top()),
                          Centimetri(slot.riquadro.width()), Centimetri(slot.riquadro.height())),
                 slot.pagina, slot.riquadro});
        }
    }
}

} // namespace lumetra::composition
