#include "FontMatcher.h"

#include <QHash>

#include <fontconfig/fontconfig.h>

#include <mutex>

namespace lumetra::drawing {

namespace {

QString lookUp(const QString& family) {
    const QByteArray name = family.toUtf8();
    FcPattern* pattern = FcPatternCreate();
    if (!pattern) {
        return family;
    }
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(name.constData()));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    QString found = family;
    if (match) {
        FcChar8* value = nullptr;
        if (FcPatternGetString(match, FC_FAMILY, 0, &value) == FcResultMatch && value) {
            found = QString::fromUtf8(reinterpret_cast<const char*>(value));
        }
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return found;
}

} // namespace

QString matchFontFamily(const QString& family) {
    static std::mutex mutex;
    static QHash<QString, QString> cache;
    const QString key =
        family.trimmed().isEmpty() ? QStringLiteral("Times New Roman") : family.trimmed();
    std::lock_guard lock(mutex);
    auto it = cache.constFind(key);
    if (it != cache.constEnd()) {
        return it.value();
    }
    QString found = lookUp(key);
    cache.insert(key, found);
    return found;
}

} // namespace lumetra::drawing
