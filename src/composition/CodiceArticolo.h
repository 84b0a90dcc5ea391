#pragma once
// Article-code captions: the external code above or below a picture, the internal code in its
// top-left or top-right corner.

#include "CatalogoLavoro.h"
#include "ContestoComposizione.h"
#include "PublisherApi.h"

#include <QRectF>
#include <QString>

#include <vector>

namespace lumetra::composition {

// The file name without its last extension: "A.B.jpg" gives "A.B", ".jpg" gives "", a name
// without a dot stays whole.
QString CodiceArticolo(const QString& nomeFile);

// A caption as it was left: its box in points and the size its text was set in (0 when the
// engine cannot tell).
struct DidascaliaAggiunta {
    QRectF riquadro;
    double corpo = 0;
};

// The article code a queue entry is captioned with: CodiceArticolo of its name, shown as the
// characters its bytes most likely are when the name is not UTF-8.
QString CodiceDaDidascalia(const QString& nomeFile);

// Adds the captions of a picture just placed on a page, with the texts given: the external one
// first, then the internal one, where the caption settings of contesto say (read afresh), and
// gives them. Publisher::Error from the object model passes through.
std::vector<DidascaliaAggiunta> AggiungiCodiciArticolo(Publisher::Shapes& forme,
                                                       Publisher::Shape& immagine,
                                                       const TestiImmagine& testi,
                                                       const ContestoComposizione& contesto);

} // namespace lumetra::composition
