#pragma once
// Article-code captions: the external code above or below a picture, the internal code in its
// top-left or top-right corner.

#include "ContestoComposizione.h"
#include "PublisherApi.h"

#include <QString>

namespace lumetra::composition {

// The file name without its last extension: "A.B.jpg" gives "A.B", ".jpg" gives "", a name
// without a dot stays whole.
QString CodiceArticolo(const QString& nomeFile);

// Adds the captions of a picture just placed on a page: the external code first, then the
// internal one, as the caption settings of contesto say (read afresh). Publisher::Error from the
// object model passes through.
void AggiungiCodiciArticolo(Publisher::Shapes& forme, Publisher::Shape& immagine,
                            const QString& nomeFile, const ContestoComposizione& contesto);

} // namespace lumetra::composition
