#pragma once
// libzint behind one call: the symbol of a checked text as bars and text items in modules, its
// quiet zones included. The library writes no file and prints nothing; its failures come back
// as Italian messages.

#include "BarcodeKind.h"

#include <QList>
#include <QRectF>
#include <QString>

#include <optional>

namespace lumetra::barcodes {

// One line of human-readable text, in modules: `baseline` is the point its alignment refers to.
struct SymbolText {
    QString text;
    QPointF baseline;
    double fontSize = 0;
    double width = 0; // the width it should fill, 0 when free
    Qt::Alignment alignment = Qt::AlignHCenter;
};

struct SymbolVectors {
    QList<QRectF> bars;
    QList<SymbolText> texts;
    QSizeF size;           // the whole symbol, quiet zones and text included
    double barsHeight = 0; // the height of the ordinary bars, from the top
};

// `text` has passed encodableText() for `kind`.
std::optional<SymbolVectors> encodeSymbol(BarcodeKind kind, const QString& text, QString* error);

} // namespace lumetra::barcodes
