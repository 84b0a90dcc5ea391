#include "PercorsoFile.h"

#include <QDir>

namespace lumetra::composition {

QString PercorsoFile(const QString& cartella, const QString& nomeFile) {
    const QChar separatore = QDir::separator();
    if (cartella.endsWith(separatore) || cartella.endsWith(QLatin1Char('/'))) {
        return cartella + nomeFile;
    }
    return cartella + separatore + nomeFile;
}

} // namespace lumetra::composition
