#include "CatalogoLavoro.h"

#include "Error.h"

#include <QFileInfo>

namespace lumetra::composition {
namespace {

std::optional<catalogue::CaptionTemplate> Modello(const QString& testo, const QString& quale,
                                                  const catalogue::PriceList* listino,
                                                  QString* errore) {
    QString motivo;
    auto modello = catalogue::CaptionTemplate::compile(testo, listino, &motivo);
    if (!modello) {
        *errore = QStringLiteral("Testo %1 non valido: %2").arg(quale, motivo);
    }
    return modello;
}

} // namespace

std::optional<CatalogoLavoro> CatalogoLavoro::Prepara(const ContestoComposizione& contesto,
                                                      QString* errore) {
    std::optional<catalogue::PriceList> listino;
    const QString percorso = contesto.TestoListino();
    if (!percorso.isEmpty()) {
        try {
            listino = catalogue::PriceList::read(percorso, contesto.ColonnaChiave());
        } catch (const runtime::Error& e) {
            *errore = e.Description();
            return std::nullopt;
        }
    }
    const catalogue::PriceList* lista = listino ? &*listino : nullptr;
    auto esterno =
        Modello(contesto.ModelloTestoEsterno(), QStringLiteral("esterno"), lista, errore);
    auto interno =
        esterno ? Modello(contesto.ModelloTestoInterno(), QStringLiteral("interno"), lista, errore)
                : std::nullopt;
    if (!interno) {
        return std::nullopt;
    }
    CatalogoLavoro catalogo(std::move(*esterno), std::move(*interno));
    catalogo.barre_ = contesto.Barre();
    if (catalogo.barre_.tipo == TipoBarre::Ean13) {
        catalogo.colonnaBarre_ = lista ? lista->columnIndex(catalogo.barre_.colonna) : -1;
        if (catalogo.colonnaBarre_ < 0) {
            *errore = lista ? QStringLiteral("Codice a barre EAN-13: la colonna '%1' non è nel "
                                             "listino (colonne: %2)")
                                  .arg(catalogo.barre_.colonna,
                                       lista->columns().join(QStringLiteral(", ")))
                            : QStringLiteral("Codice a barre EAN-13: la colonna '%1' richiede un "
                                             "listino")
                                  .arg(catalogo.barre_.colonna);
            return std::nullopt;
        }
    }
    catalogo.listino_ = std::move(listino);
    catalogo.nomeListino_ = QFileInfo(percorso).fileName();
    return catalogo;
}

TestiImmagine CatalogoLavoro::Per(const QString& codice) const {
    const QStringList* riga = listino_ ? listino_->find(codice) : nullptr;
    TestiImmagine testi;
    testi.esterno = esterno_.text(codice, riga);
    testi.interno = interno_.text(codice, riga);
    // A caption the list leaves blank is not added: an empty box would cover the picture.
    const auto righe = [](const catalogue::CaptionTemplate& modello, const QString& testo) {
        return modello.usesPriceList() && testo.trimmed().isEmpty() ? 0 : modello.lineCount();
    };
    testi.righeEsterno = righe(esterno_, testi.esterno);
    testi.righeInterno = righe(interno_, testi.interno);
    testi.nelListino = !listino_ || riga != nullptr;
    if (barre_.tipo == TipoBarre::Code128) {
        testi.barre =
            barcodes::Barcode::make(barcodes::BarcodeKind::Code128, codice, &testi.erroreBarre);
    } else if (barre_.tipo == TipoBarre::Ean13 && riga != nullptr) {
        const QString cifre = riga->value(colonnaBarre_).trimmed();
        if (cifre.isEmpty()) {
            testi.erroreBarre = QStringLiteral("nessun codice EAN-13 nella colonna '%1'")
                                    .arg(listino_->columns().at(colonnaBarre_));
        } else {
            testi.barre =
                barcodes::Barcode::make(barcodes::BarcodeKind::Ean13, cifre, &testi.erroreBarre);
        }
    }
    return testi;
}

} // namespace lumetra::composition
