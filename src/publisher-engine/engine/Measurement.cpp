#include "Measurement.h"

#include "EngineErrors.h"

#include <QRegularExpression>

#include <cmath>

namespace lumetra::engine {

std::optional<double> parseMeasurement(const Publisher::Variant& value) {
    if (value.IsNumber()) {
        const double n = value.Number();
        return std::isfinite(n) ? std::optional<double>(n) : std::nullopt;
    }
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*([-+]?(?:\\d+(?:[.,]\\d*)?|[.,]\\d+))\\s*(cm|mm|in|pt|\"|)\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    const auto match = pattern.match(value.Text());
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    QString number = match.captured(1);
    number.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double amount = number.toDouble(&ok);
    if (!ok || !std::isfinite(amount)) {
        return std::nullopt;
    }
    const QString unit = match.captured(2).toLower();
    if (unit == QLatin1String("cm")) {
        return amount * 72.0 / 2.54;
    }
    if (unit == QLatin1String("mm")) {
        return amount * 72.0 / 25.4;
    }
    if (unit == QLatin1String("in") || unit == QLatin1String("\"")) {
        return amount * 72.0;
    }
    return amount;
}

double toPoints(const Publisher::Variant& value) {
    if (const auto points = parseMeasurement(value)) {
        return *points;
    }
    fail(ErrTipoNonValido, QStringLiteral("Misura non valida: '%1'").arg(value.Text()));
}

} // namespace lumetra::engine
