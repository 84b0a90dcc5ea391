#include "ColumnNames.h"

#include <QRegularExpression>
#include <QStringList>

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

bool looksLikeCodeColumn(const QString& name) {
    static const QRegularExpression NonLetters(QStringLiteral("[^\\p{L}\\p{N}]+"));
    static const QStringList CodeWords = {QStringLiteral("codice"),   QStringLiteral("cod"),
                                          QStringLiteral("articolo"), QStringLiteral("art"),
                                          QStringLiteral("code"),     QStringLiteral("sku")};
    const QStringList words = foldedName(name).split(NonLetters, Qt::SkipEmptyParts);
    for (const QString& word : words) {
        if (CodeWords.contains(word)) {
            return true;
        }
    }
    return false;
}

} // namespace lumetra::catalogue
