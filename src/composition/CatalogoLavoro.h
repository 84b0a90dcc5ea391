#pragma once
// What a job takes from the shop's catalogue, read once when the job starts: the price list, the
// two captions' text models checked against its columns, and the barcode of each picture.

#include "Barcode.h"
#include "CaptionTemplate.h"
#include "ContestoComposizione.h"
#include "PriceList.h"

#include <QString>

#include <optional>

namespace lumetra::composition {

// The captions and barcode of one picture.
struct TestiImmagine {
    QString esterno;
    QString interno;
    int righeEsterno = 1; // 0: no caption
    int righeInterno = 1;
    bool nelListino = true; // false: a list is set and the code is not in it
    std::optional<barcodes::Barcode> barre;
    QString erroreBarre; // why a barcode asked for cannot be drawn (a wrong EAN-13)
};

class CatalogoLavoro {
public:
    // Nothing, with `errore` set to the Italian message naming the file or the model, when the
    // list cannot be read or a model names a column it does not have.
    static std::optional<CatalogoLavoro> Prepara(const ContestoComposizione& contesto,
                                                 QString* errore);

    // `codice`: the article code as captioned (the file name without its extension).
    TestiImmagine Per(const QString& codice) const;
    bool ConListino() const { return listino_.has_value(); }
    // The price list's file name, for the findings.
    const QString& NomeListino() const { return nomeListino_; }
    const ImpostazioniBarre& Barre() const { return barre_; }

private:
    CatalogoLavoro(catalogue::CaptionTemplate esterno, catalogue::CaptionTemplate interno)
        : esterno_(std::move(esterno)), interno_(std::move(interno)) {}

    std::optional<catalogue::PriceList> listino_;
    QString nomeListino_;
    catalogue::CaptionTemplate esterno_;
    catalogue::CaptionTemplate interno_;
    ImpostazioniBarre barre_;
    int colonnaBarre_ = -1;
};

} // namespace lumetra::composition
