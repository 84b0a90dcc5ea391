#include "Measures.h"

#include <cmath>

namespace lumetra::layoutwriter {

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

QString formatCm(double mm) {
    return formatMm(mm / 10);
}

} // namespace lumetra::layoutwriter
