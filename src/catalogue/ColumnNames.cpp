#include "ColumnNames.h"

#include <QRegularExpression>

#include <algorithm>

namespace lumetra::catalogue {

QString foldedName(const QString& name) {
    const QString decomposed = name.trimmed().normalized(QString::NormalizationForm_D);
    QString folded;
    folded.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() != QChar::Mark_NonSpacing) {
            folded += c;
        }
    }
    return folded.toCaseFolded();
}

bool nameHasWord(const QString& name, const QStringList& words) {
    static const QRegularExpression NonLetters(QStringLiteral("[^\\p{L}\\p{N}]+"));
    const QStringList parts = foldedName(name).split(NonLetters, Qt::SkipEmptyParts);
    return std::any_of(parts.begin(), parts.end(),
                       [&words](const QString& part) { return words.contains(part); });
}

bool looksLikeCodeColumn(const QString& name) {
    static const QStringList CodeWords = {QStringLiteral("codice"),   QStringLiteral("cod"),
                                          QStringLiteral("articolo"), QStringLiteral("art"),
                                          QStringLiteral("code"),     QStringLiteral("sku")};
    return nameHasWord(name, CodeWords);
}

} // namespace lumetra::catalogue
