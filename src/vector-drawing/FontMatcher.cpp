#include "FontMatcher.h"

#include <QFontDatabase>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <fontconfig/fontconfig.h>

#include <mutex>

namespace lumetra::drawing {

namespace {

// The substitution table. A layout's text must take the room its author saw, or words fall out
// of their frames: each row names the Windows families it stands for (`*` matches any text,
// case is ignored) and the families that replace them, best first; the first installed one is
// used. Metric-compatible families come first (same widths: Liberation for Times New Roman,
// Arial, Courier New and Arial Narrow, Carlito for Calibri, Caladea for Cambria, the URW fonts
// for the PostScript families); condensed and narrow faces go to narrow families, humanist and
// old-style faces to the closest widths installed. Rows are tried in order, so the generic
// condensed rows come last. `bold` draws the stand-in bold for faces heavier than their name
// says (Arial Black, Franklin Gothic Demi).
struct Substitution {
    const char* names;
    const char* families;
    bool bold = false;
};

// Names and families are separated by '|'.
const Substitution Table[] = {
    {"Times New Roman|Times New Roman PS|Times|Tms Rmn", "Liberation Serif|Nimbus Roman"},
    {"Arial|Arial MT|Helvetica|Helv|Swiss", "Liberation Sans|Nimbus Sans"},
    {"Courier New|Courier", "Liberation Mono|Nimbus Mono PS"},
    {"Arial Narrow|Helvetica Narrow|Helvetica Condensed",
     "Liberation Sans Narrow|Nimbus Sans Narrow"},
    {"Calibri|Calibri Light|Gill Sans MT|Gill Sans|Tw Cen MT|Candara",
     "Carlito|DejaVu Sans Condensed"},
    {"Cambria|Georgia|Constantia", "Gelasio|Caladea|Liberation Serif"},
    {"Garamond|Adobe Garamond*|Goudy Old Style|Bell MT|Perpetua|Californian FB|Baskerville*",
     "EB Garamond|Liberation Serif"},
    {"Book Antiqua|Palatino Linotype|Palatino", "P052|TeX Gyre Pagella"},
    {"Bookman Old Style|Bookman", "URW Bookman|TeX Gyre Bonum"},
    {"Century Schoolbook|New Century Schoolbook|Century", "C059|TeX Gyre Schola"},
    {"Century Gothic|Avant Garde*|ITC Avant Garde*", "URW Gothic|TeX Gyre Adventor"},
    {"Rockwell Condensed", "DejaVu Serif Condensed|Liberation Sans Narrow"},
    {"Rockwell|Rockwell Light", "DejaVu Serif"},
    {"Rockwell Extra Bold", "DejaVu Serif", true},
    {"Franklin Gothic Demi Cond|Franklin Gothic Heavy Cond*|Impact|Haettenschweiler",
     "Liberation Sans Narrow|Nimbus Sans Narrow|DejaVu Sans Condensed", true},
    {"Franklin Gothic Demi|Franklin Gothic Heavy|Gill Sans Ultra Bold|Gill Sans MT Ext*",
     "Liberation Sans|Nimbus Sans", true},
    {"Arial Black", "DejaVu Sans", true},
    {"Franklin Gothic Book|Franklin Gothic Medium|Trebuchet MS|Segoe UI",
     "Liberation Sans|Nimbus Sans"},
    {"Verdana|Lucida Sans|Lucida Sans Unicode|Lucida Grande", "DejaVu Sans"},
    {"Tahoma|Microsoft Sans Serif", "DejaVu Sans Condensed|Liberation Sans"},
    {"Lucida Handwriting|Monotype Corsiva|*Script*|*Chancery*", "Z003|TeX Gyre Chorus"},
    {"*Serif*Cond*|*Serif*Narrow*", "DejaVu Serif Condensed|Liberation Sans Narrow"},
    {"*Cond|*Condensed*|*Narrow*|*Compressed*|* Cond *",
     "Liberation Sans Narrow|Nimbus Sans Narrow|DejaVu Sans Condensed"},
};

// Families Qt can draw, in lower case, without the foundry ("Nimbus Sans [urw]").
const QSet<QString>& installedFamilies() {
    static const QSet<QString> families = [] {
        QSet<QString> out;
        static const QRegularExpression foundry(QStringLiteral("\\s*\\[[^\\]]*\\]$"));
        for (QString family : QFontDatabase::families()) {
            out.insert(family.remove(foundry).toLower());
        }
        return out;
    }();
    return families;
}

bool namesMatch(const QString& patterns, const QString& family) {
    for (const QString& pattern : patterns.split(QLatin1Char('|'))) {
        const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(pattern),
                                    QRegularExpression::CaseInsensitiveOption);
        if (re.match(family).hasMatch()) {
            return true;
        }
    }
    return false;
}

// fontconfig's own best match, for families the table does not know.
QString fontconfigMatch(const QString& family) {
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

FontChoice lookUp(const QString& family) {
    const QSet<QString>& installed = installedFamilies();
    if (installed.contains(family.toLower())) {
        return {family, false, false};
    }
    for (const Substitution& row : Table) {
        if (!namesMatch(QLatin1String(row.names), family)) {
            continue;
        }
        for (const QString& candidate : QString::fromLatin1(row.families).split(QLatin1Char('|'))) {
            if (installed.contains(candidate.toLower())) {
                return {candidate, true, row.bold};
            }
        }
    }
    return {fontconfigMatch(family), true, false};
}

} // namespace

FontChoice chooseFont(const QString& family) {
    static std::mutex mutex;
    static QHash<QString, FontChoice> cache;
    const QString key =
        family.trimmed().isEmpty() ? QStringLiteral("Times New Roman") : family.trimmed();
    std::lock_guard lock(mutex);
    auto it = cache.constFind(key);
    if (it != cache.constEnd()) {
        return it.value();
    }
    FontChoice found = lookUp(key);
    cache.insert(key, found);
    return found;
}

} // namespace lumetra::drawing
