#pragma once
// A picture's barcode on the page: above or below it, as wide as it, past the external caption
// when that lies on the same side. The symbol goes in as a drawing, so it stays vectors.

#include "Barcode.h"
#include "ImpostazioniCatalogo.h"
#include "PublisherApi.h"

#include <QRectF>
#include <QString>

#include <optional>

namespace lumetra::composition {

// Where the barcode of the picture in `immagine` goes; `didascalia` is the external caption's
// box when it lies on the barcode's side. Nothing when the typed height is no positive number.
std::optional<QRectF> PostoCodiceBarre(const QRectF& immagine, const ImpostazioniBarre& barre,
                                       const std::optional<QRectF>& didascalia);

// Writes the symbol as an SVG drawing of the box's size into `file` (a file of the job's own
// folder) and places it there. Throws Publisher::Error when either fails.
void AggiungiCodiceBarre(Publisher::Shapes& forme, const barcodes::Barcode& codice,
                         const QRectF& posto, const QString& file);

} // namespace lumetra::composition
