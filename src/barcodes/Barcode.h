#pragma once
// A picture's barcode: the symbol of a code as vectors (bars, human-readable text, quiet zones),
// drawn into a box by QPainter at any resolution.

#include "BarcodeKind.h"
#include "ZintSymbol.h"

#include <QRectF>
#include <QString>

#include <optional>

class QPainter;

namespace lumetra::barcodes {

class Barcode {
public:
    // The barcode of `text`, or nothing with `error` set to the Italian reason it cannot be one
    // (an EAN-13 of a wrong check digit names the digit expected).
    static std::optional<Barcode> make(BarcodeKind kind, const QString& text, QString* error);

    BarcodeKind kind() const { return kind_; }
    // The text encoded: for EAN-13 all 13 digits.
    const QString& text() const { return text_; }
    // The whole symbol in modules (the narrowest bar's width), quiet zones and text included.
    QSizeF sizeInModules() const { return symbol_.size; }
    const SymbolVectors& vectors() const { return symbol_; }

    // Paints the symbol on white into `box`: the width fills the box at one uniform scale, quiet
    // zones kept; only the bars stretch to fill the height. A box too low for bars of a readable
    // height gets a smaller symbol, centred.
    void draw(QPainter& painter, const QRectF& box) const;

private:
    Barcode(BarcodeKind kind, QString text, SymbolVectors symbol)
        : kind_(kind), text_(std::move(text)), symbol_(std::move(symbol)) {}

    BarcodeKind kind_;
    QString text_;
    SymbolVectors symbol_;
};

} // namespace lumetra::barcodes
