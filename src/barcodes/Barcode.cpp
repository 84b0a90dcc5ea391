#include "Barcode.h"

#include "BarcodeText.h"

namespace lumetra::barcodes {

std::optional<Barcode> Barcode::make(BarcodeKind kind, const QString& text, QString* error) {
    const std::optional<QString> encodable = encodableText(kind, text, error);
    if (!encodable) {
        return std::nullopt;
    }
    std::optional<SymbolVectors> symbol = encodeSymbol(kind, *encodable, error);
    if (!symbol) {
        return std::nullopt;
    }
    const QString full = kind == BarcodeKind::Ean13
                             ? *encodable + QString::number(ean13CheckDigit(*encodable))
                             : *encodable;
    return Barcode(kind, full, std::move(*symbol));
}

} // namespace lumetra::barcodes
