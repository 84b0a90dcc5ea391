#include "Length.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>

namespace lumetra::runtime {

namespace {

const QString number = QStringLiteral("([-+]?(?:\\d+(?:[.,]\\d*)?|[.,]\\d+))");

std::optional<double> toDouble(QString digits) {
    digits.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = QLocale::c().toDouble(digits, &ok);
    if (!ok || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<double> parseDecimal(QStringView text) {
    static const QRegularExpression pattern(QStringLiteral("^\\s*") + number +
                                            QStringLiteral("\\s*$"));
    const auto match = pattern.match(text);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    return toDouble(match.captured(1));
}

std::optional<Length> parseLength(QStringView text, Unit bare) {
    static const QRegularExpression pattern(QStringLiteral("^\\s*") + number +
                                                QStringLiteral("\\s*(cm|mm|in|pt|\"|)\\s*$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const auto match = pattern.match(text);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    const std::optional<double> amount = toDouble(match.captured(1));
    if (!amount) {
        return std::nullopt;
    }
    const QString unit = match.captured(2).toLower();
    Unit read = bare;
    if (unit == QLatin1String("cm")) {
        read = Unit::Centimetre;
    } else if (unit == QLatin1String("mm")) {
        read = Unit::Millimetre;
    } else if (unit == QLatin1String("in") || unit == QLatin1String("\"")) {
        read = Unit::Inch;
    } else if (unit == QLatin1String("pt")) {
        read = Unit::Point;
    }
    return Length::in(*amount, read);
}

QString formatDecimal(double value) {
    QString text = QString::number(std::round(value * 100) / 100, 'f', 2);
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

} // namespace lumetra::runtime
