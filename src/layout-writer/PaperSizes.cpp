#include "PaperSizes.h"

#include "Measures.h"

#include <QRegularExpression>

namespace lumetra::layoutwriter {

const std::vector<PaperSize>& paperSizes() {
    static const std::vector<PaperSize> sizes = {
        {QStringLiteral("A4"), QSizeF(210, 297)},
        {QStringLiteral("A3"), QSizeF(297, 420)},
        {QStringLiteral("A5"), QSizeF(148, 210)},
        {QStringLiteral("Letter"), QSizeF(215.9, 279.4)},
    };
    return sizes;
}

std::optional<QSizeF> parsePaperSize(const QString& text) {
    const QString trimmed = text.trimmed();
    for (const PaperSize& size : paperSizes()) {
        if (trimmed.compare(size.name, Qt::CaseInsensitive) == 0) {
            return size.millimetres;
        }
    }
    static const QRegularExpression pair(
        QStringLiteral("^\\s*([^x×*\\s]+)\\s*(mm)?\\s*[x×*]\\s*([^x×*\\s]+)\\s*(mm)?\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pair.match(trimmed);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    const std::optional<double> width = parseDecimal(match.captured(1));
    const std::optional<double> height = parseDecimal(match.captured(3));
    if (!width || !height || *width <= 0 || *height <= 0) {
        return std::nullopt;
    }
    return QSizeF(*width, *height);
}

} // namespace lumetra::layoutwriter
