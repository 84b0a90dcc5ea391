#pragma once
// The symbologies a picture's barcode can be drawn in.

namespace lumetra::barcodes {

enum class BarcodeKind {
    Code128, // any printable Latin-1 text, such as an article code
    Ean13,   // 12 digits (check digit computed) or 13 (check digit verified)
};

} // namespace lumetra::barcodes
