#include "PriceText.h"

#include "ColumnNames.h"

#include <QLocale>
#include <QRegularExpression>
#include <QStringList>

#include <cmath>

namespace lumetra::catalogue {

bool looksLikePriceColumn(const QString& name) {
    static const QStringList PriceWords = {QStringLiteral("prezzo"), QStringLiteral("prezzi"),
                                           QStringLiteral("price"), QStringLiteral("importo"),
                                           QStringLiteral("listino")};
    return nameHasWord(name, PriceWords);
}

std::optional<double> priceValue(const QString& cell) {
    QString text = cell;
    text.remove(QChar(0x20AC)).remove(QStringLiteral("EUR"), Qt::CaseInsensitive);
    text.remove(QRegularExpression(QStringLiteral("[\\s\\x{00A0}\\x{202F}']")));
    static const QRegularExpression Amount(QStringLiteral("^[-+]?[0-9][0-9.,]*$"));
    if (!Amount.match(text).hasMatch()) {
        return std::nullopt;
    }
    const qsizetype comma = text.lastIndexOf(QLatin1Char(','));
    const qsizetype point = text.lastIndexOf(QLatin1Char('.'));
    // Only thousands marks: several points or several commas alone, or a lone point before
    // exactly three digits.
    const bool onlyPoints = comma < 0 && point >= 0 &&
                            (text.count(QLatin1Char('.')) > 1 || text.size() - point - 1 == 3);
    const bool onlyCommas = point < 0 && comma >= 0 && text.count(QLatin1Char(',')) > 1;
    const qsizetype decimal = onlyPoints || onlyCommas ? -1 : std::max(comma, point);
    QString plain;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (i == decimal) {
            plain += QLatin1Char('.');
        } else if (c != QLatin1Char('.') && c != QLatin1Char(',')) {
            plain += c;
        }
    }
    bool ok = false;
    const double value = plain.toDouble(&ok);
    return ok && std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

QString italianPrice(const QString& cell) {
    const std::optional<double> value = priceValue(cell);
    if (!value) {
        return cell.trimmed();
    }
    static const QLocale Italian(QLocale::Italian, QLocale::Italy);
    return QStringLiteral("\u20AC ") + Italian.toString(*value, 'f', 2);
}

} // namespace lumetra::catalogue
