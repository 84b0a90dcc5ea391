#pragma once
// The checks a text passes before it is encoded: what each symbology can carry, with the Italian
// reason when it cannot.

#include "BarcodeKind.h"

#include <QString>

#include <optional>

namespace lumetra::barcodes {

// The EAN-13 check digit of 12 digits.
int ean13CheckDigit(const QString& twelveDigits);

// The text to give the encoder for `text` (an EAN-13 without its check digit), or nothing with
// `error` set to the Italian reason it cannot be a barcode of `kind`.
std::optional<QString> encodableText(BarcodeKind kind, const QString& text, QString* error);

} // namespace lumetra::barcodes
