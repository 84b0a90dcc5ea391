#include "AltezzaCodice.h"

#include <QLocale>
#include <QRegularExpression>

namespace lumetra::printjob {

std::optional<double> ConvertiAltezza(const QString& testo) {
    static const QRegularExpression number(QStringLiteral("^[+-]?(\\d+([.,]\\d*)?|[.,]\\d+)$"));
    const QString trimmed = testo.trimmed();
    if (!number.match(trimmed).hasMatch()) {
        return std::nullopt;
    }
    QString plain = trimmed;
    plain.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = QLocale::c().toDouble(plain, &ok);
    if (!ok) {
        return std::nullopt;
    }
    return value;
}

} // namespace lumetra::printjob
