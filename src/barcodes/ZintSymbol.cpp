#include "ZintSymbol.h"

#include <zint.h>

#include <algorithm>
#include <memory>

namespace lumetra::barcodes {

namespace {

struct SymbolDeleter {
    void operator()(zint_symbol* symbol) const { ZBarcode_Delete(symbol); }
};
using SymbolPointer = std::unique_ptr<zint_symbol, SymbolDeleter>;

QString failureText(int result) {
    switch (result) {
    case ZINT_ERROR_TOO_LONG:
        return QStringLiteral("troppo lungo per un codice a barre");
    case ZINT_ERROR_INVALID_DATA:
    case ZINT_ERROR_INVALID_CHECK:
        return QStringLiteral("contiene caratteri che il codice a barre non può rappresentare");
    case ZINT_ERROR_MEMORY:
        return QStringLiteral("memoria insufficiente per il codice a barre");
    default:
        return QStringLiteral("il codice a barre non può essere generato (errore %1)").arg(result);
    }
}

Qt::Alignment alignmentOf(int halign) {
    switch (halign) {
    case 1:
        return Qt::AlignLeft;
    case 2:
        return Qt::AlignRight;
    default:
        return Qt::AlignHCenter;
    }
}

SymbolVectors vectorsOf(const zint_vector& vector) {
    SymbolVectors result;
    result.size = QSizeF(vector.width, vector.height);
    for (const zint_vector_rect* r = vector.rectangles; r; r = r->next) {
        result.bars.append(QRectF(r->x, r->y, r->width, r->height));
        result.barsHeight = result.barsHeight == 0
                                ? r->y + r->height
                                : std::min<double>(result.barsHeight, r->y + r->height);
    }
    for (const zint_vector_string* s = vector.strings; s; s = s->next) {
        SymbolText text;
        text.text = QString::fromUtf8(reinterpret_cast<const char*>(s->text), s->length);
        text.baseline = QPointF(s->x, s->y);
        text.fontSize = s->fsize;
        text.width = s->width;
        text.alignment = alignmentOf(s->halign);
        result.texts.append(text);
    }
    return result;
}

// libzint's vector units depend on its scale; the narrowest bar of both symbologies is one module.
SymbolVectors inModules(SymbolVectors symbol) {
    double module = 0;
    for (const QRectF& bar : symbol.bars) {
        module = module == 0 ? bar.width() : std::min(module, bar.width());
    }
    if (module <= 0) {
        return symbol;
    }
    const double factor = 1.0 / module;
    for (QRectF& bar : symbol.bars) {
        bar = QRectF(bar.topLeft() * factor, bar.size() * factor);
    }
    for (SymbolText& text : symbol.texts) {
        text.baseline *= factor;
        text.fontSize *= factor;
        text.width *= factor;
    }
    symbol.size *= factor;
    symbol.barsHeight *= factor;
    return symbol;
}

} // namespace

std::optional<SymbolVectors> encodeSymbol(BarcodeKind kind, const QString& text, QString* error) {
    const SymbolPointer symbol(ZBarcode_Create());
    if (!symbol) {
        *error = failureText(ZINT_ERROR_MEMORY);
        return std::nullopt;
    }
    symbol->symbology = kind == BarcodeKind::Ean13 ? BARCODE_EANX : BARCODE_CODE128;
    symbol->input_mode = UNICODE_MODE;
    symbol->output_options = BARCODE_QUIET_ZONES;
    symbol->show_hrt = 1;
    symbol->debug = 0;
    const QByteArray data = text.toUtf8();
    const int result = ZBarcode_Encode_and_Buffer_Vector(
        symbol.get(), reinterpret_cast<const unsigned char*>(data.constData()),
        static_cast<int>(data.size()), 0);
    if (result >= ZINT_ERROR || !symbol->vector) {
        *error = QStringLiteral("codice '%1': %2").arg(text, failureText(result));
        return std::nullopt;
    }
    return inModules(vectorsOf(*symbol->vector));
}

} // namespace lumetra::barcodes
