#pragma once
// The catalogue settings of a job: the price list and its key column, the two captions' text
// models and the barcode. Their defaults leave a job as it always was: captions of the article
// code alone, no list, no barcode.

#include <QString>

namespace lumetra::composition {

enum class TipoBarre { Nessuno, Code128, Ean13 };

struct ImpostazioniBarre {
    TipoBarre tipo = TipoBarre::Nessuno;
    QString colonna;                         // EAN-13: the price list column of the digits
    int posizione = 2;                       // 1 above the picture, 2 below (as the captions)
    QString altezza = QStringLiteral("1,5"); // centimetres, as typed
};

// "code128", "ean13:COLONNA"; nothing set for an empty text. False for anything else.
bool LeggiTipoBarre(const QString& testo, ImpostazioniBarre& barre);
// The same back: "" for none.
QString TestoTipoBarre(const ImpostazioniBarre& barre);

} // namespace lumetra::composition
