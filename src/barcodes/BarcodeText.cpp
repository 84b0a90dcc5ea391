#include "BarcodeText.h"

namespace lumetra::barcodes {

namespace {

bool allDigits(const QString& text) {
    for (QChar c : text) {
        if (c < u'0' || c > u'9') {
            return false;
        }
    }
    return true;
}

std::optional<QString> ean13Text(const QString& text, QString* error) {
    if ((text.size() != 12 && text.size() != 13) || !allDigits(text)) {
        *error = QStringLiteral("codice EAN-13 '%1' non valido: servono 12 o 13 cifre").arg(text);
        return std::nullopt;
    }
    const QString twelve = text.left(12);
    const int expected = ean13CheckDigit(twelve);
    if (text.size() == 13 && text.at(12).digitValue() != expected) {
        *error = QStringLiteral("codice EAN-13 '%1' con cifra di controllo errata: attesa %2")
                     .arg(text)
                     .arg(expected);
        return std::nullopt;
    }
    return twelve;
}

// Code 128 carries the Latin-1 characters (those above 127 through its FNC4 shift); control
// characters would be bars with no visible text, so they are refused like the rest.
std::optional<QString> code128Text(const QString& text, QString* error) {
    if (text.isEmpty()) {
        *error = QStringLiteral("codice vuoto: nessun codice a barre da disegnare");
        return std::nullopt;
    }
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7F && u < 0xA0) || u > 0xFF) {
            *error = QStringLiteral("il codice '%1' contiene il carattere '%2', che il Code 128 "
                                    "non può rappresentare")
                         .arg(text, QString(c));
            return std::nullopt;
        }
    }
    return text;
}

} // namespace

int ean13CheckDigit(const QString& twelveDigits) {
    int sum = 0;
    for (qsizetype i = 0; i < twelveDigits.size(); ++i) {
        sum += twelveDigits.at(i).digitValue() * (i % 2 == 0 ? 1 : 3);
    }
    return (10 - sum % 10) % 10;
}

std::optional<QString> encodableText(BarcodeKind kind, const QString& text, QString* error) {
    return kind == BarcodeKind::Ean13 ? ean13Text(text, error) : code128Text(text, error);
}

} // namespace lumetra::barcodes
