#include "LabelCatalogue.h"

#include "LabelTemplateReader.h"
#include "Measures.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <algorithm>
#include <map>
#include <set>

namespace lumetra::layoutwriter {
namespace {

const QString DatabaseFolder = QStringLiteral("libglabels-3.0/templates");

QString key(const QString& name) {
    QString k = name.toCaseFolded();
    k.remove(QLatin1Char(' '));
    k.remove(QLatin1Char('\t'));
    return k;
}

QString key(const QString& brand, const QString& part) {
    return key(brand + part);
}

// Names with numbers in numeric order: "L7160" < "L7163" < "L71630", "5160" < "15160".
bool naturalLess(const QString& a, const QString& b) {
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            qsizetype ei = i, ej = j;
            while (ei < a.size() && a[ei].isDigit()) {
                ++ei;
            }
            while (ej < b.size() && b[ej].isDigit()) {
                ++ej;
            }
            QStringView na = QStringView(a).mid(i, ei - i), nb = QStringView(b).mid(j, ej - j);
            while (na.size() > 1 && na.front() == QLatin1Char('0')) {
                na = na.mid(1);
            }
            while (nb.size() > 1 && nb.front() == QLatin1Char('0')) {
                nb = nb.mid(1);
            }
            if (na.size() != nb.size()) {
                return na.size() < nb.size();
            }
            if (const int c = na.compare(nb); c != 0) {
                return c < 0;
            }
            i = ei;
            j = ej;
            continue;
        }
        const QChar ca = a[i].toCaseFolded(), cb = b[j].toCaseFolded();
        if (ca != cb) {
            return ca < cb;
        }
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
}

std::map<QString, QSizeF> paperSizesIn(const QDir& folder) {
    QFile file(folder.filePath(QStringLiteral("paper-sizes.xml")));
    std::map<QString, QSizeF> sizes;
    if (file.open(QIODevice::ReadOnly)) {
        sizes = readPaperSizes(file);
    }
    // The two papers nearly every template uses, should the file be missing.
    sizes.try_emplace(QStringLiteral("A4"), QSizeF(mmToPoints(210), mmToPoints(297)));
    sizes.try_emplace(QStringLiteral("US-Letter"), QSizeF(8.5 * PointsPerInch, 11 * PointsPerInch));
    return sizes;
}

} // namespace

QStringList LabelCatalogue::searchFolders() {
    const QString chosen = qEnvironmentVariable("LUMETRA_ETICHETTE");
    if (!chosen.isEmpty()) {
        return {chosen};
    }
    QStringList folders;
    for (const QString& data :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        folders.append(QDir(data).filePath(DatabaseFolder));
    }
    const QString system = QStringLiteral("/usr/share/") + DatabaseFolder;
    if (!folders.contains(system)) {
        folders.append(system);
    }
    return folders;
}

LabelCatalogue LabelCatalogue::load() {
    const QStringList folders = searchFolders();
    for (const QString& folder : folders) {
        LabelCatalogue catalogue = loadFolder(folder);
        if (!catalogue.isEmpty()) {
            return catalogue;
        }
    }
    LabelCatalogue none;
    none.problem_ =
        QStringLiteral("Nessun modello di fogli di etichette trovato (cercato in: %1). I modelli "
                       "vengono dal pacchetto glabels-data: installarlo (apt install glabels-data) "
                       "oppure indicare la cartella dei modelli nella variabile LUMETRA_ETICHETTE. "
                       "Le griglie si possono creare comunque.")
            .arg(folders.join(QStringLiteral(", ")));
    return none;
}

LabelCatalogue LabelCatalogue::loadFolder(const QString& path) {
    LabelCatalogue catalogue;
    const QDir folder(path);
    const QStringList files = folder.entryList({QStringLiteral("*-templates.xml")},
                                               QDir::Files | QDir::Readable, QDir::Name);
    if (files.isEmpty()) {
        catalogue.problem_ =
            QStringLiteral("La cartella '%1' non contiene modelli di fogli di etichette.")
                .arg(QDir::toNativeSeparators(path));
        return catalogue;
    }
    const std::map<QString, QSizeF> papers = paperSizesIn(folder);

    std::vector<LabelTemplate> templates;
    for (const QString& name : files) {
        QFile file(folder.filePath(name));
        if (!file.open(QIODevice::ReadOnly)) {
            continue;
        }
        TemplateFile read = readLabelTemplates(file);
        catalogue.skipped_ += read.skipped;
        for (LabelTemplate& t : read.templates) {
            templates.push_back(std::move(t));
        }
    }

    // Templates with their own labels first, then the equivalents that copy them (possibly
    // through other equivalents).
    std::map<QString, LabelSheet> byName;
    std::vector<const LabelTemplate*> copies;
    for (const LabelTemplate& t : templates) {
        if (!t.equivalentOf.isEmpty()) {
            copies.push_back(&t);
            continue;
        }
        LabelSheet sheet = t.sheet;
        if (!sheet.paper.isEmpty()) {
            const auto paper = papers.find(sheet.paper);
            if (paper == papers.end()) {
                ++catalogue.skipped_;
                continue;
            }
            sheet.pageWidth = paper->second.width();
            sheet.pageHeight = paper->second.height();
        }
        byName.try_emplace(key(sheet.brand, sheet.part), std::move(sheet));
    }
    for (bool progress = true; progress && !copies.empty();) {
        progress = false;
        for (auto it = copies.begin(); it != copies.end();) {
            const LabelTemplate& t = **it;
            const auto original = byName.find(key(t.sheet.brand, t.equivalentOf));
            if (original == byName.end()) {
                ++it;
                continue;
            }
            LabelSheet sheet = original->second;
            sheet.part = t.sheet.part;
            if (!t.sheet.description.isEmpty()) {
                sheet.description = t.sheet.description;
            }
            byName.try_emplace(key(sheet.brand, sheet.part), std::move(sheet));
            it = copies.erase(it);
            progress = true;
        }
    }
    catalogue.skipped_ += static_cast<int>(copies.size());

    for (auto& [name, sheet] : byName) {
        catalogue.sheets_.push_back(std::move(sheet));
    }
    std::sort(catalogue.sheets_.begin(), catalogue.sheets_.end(),
              [](const LabelSheet& a, const LabelSheet& b) {
                  const int brand = a.brand.compare(b.brand, Qt::CaseInsensitive);
                  return brand != 0 ? brand < 0 : naturalLess(a.part, b.part);
              });
    catalogue.folder_ = folder.absolutePath();
    if (catalogue.sheets_.empty()) {
        catalogue.problem_ =
            QStringLiteral("I modelli di fogli di etichette in '%1' non sono leggibili.")
                .arg(QDir::toNativeSeparators(path));
    }
    return catalogue;
}

const LabelSheet* LabelCatalogue::find(const QString& name) const {
    const QString wanted = key(name);
    for (const LabelSheet& sheet : sheets_) {
        if (key(sheet.name()) == wanted) {
            return &sheet;
        }
    }
    return nullptr;
}

std::vector<const LabelSheet*> LabelCatalogue::matching(const QString& filter) const {
    const QStringList words = filter.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    std::vector<const LabelSheet*> found;
    for (const LabelSheet& sheet : sheets_) {
        const QString text =
            sheet.name() + QLatin1Char(' ') + sheet.description + QLatin1Char(' ') + sheet.paper;
        const bool all = std::all_of(words.begin(), words.end(), [&](const QString& word) {
            return text.contains(word, Qt::CaseInsensitive);
        });
        if (all) {
            found.push_back(&sheet);
        }
    }
    return found;
}

} // namespace lumetra::layoutwriter
