#include "Measures.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>

namespace lumetra::layoutwriter {

std::optional<double> parseDecimal(const QString& text) {
    static const QRegularExpression number(QStringLiteral("^-?(\\d+([.,]\\d*)?|[.,]\\d+)$"));
    const QString trimmed = text.trimmed();
    if (!number.match(trimmed).hasMatch()) {
        return std::nullopt;
    }
    QString c = trimmed;
    c.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = QLocale::c().toDouble(c, &ok);
    if (!ok || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

QString formatMm(double mm) {
    QString text = QString::number(std::round(mm * 100) / 100, 'f', 2);
    while (text.endsWith(QLatin1Char('0'))) {
        text.chop(1);
    }
    if (text.endsWith(QLatin1Char('.'))) {
        text.chop(1);
    }
    if (text == QLatin1String("-0")) {
        text = QStringLiteral("0");
    }
    return text.replace(QLatin1Char('.'), QLatin1Char(','));
}

} // namespace lumetra::layoutwriter
