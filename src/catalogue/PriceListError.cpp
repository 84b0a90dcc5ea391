#include "PriceListError.h"

#include "ErrorNumbers.h"
#include "FileNames.h"

#include <QFileInfo>

namespace lumetra::catalogue {

runtime::Error priceListError(const QString& path, int row, const QString& problem) {
    QString text =
        QStringLiteral("Listino '%1'").arg(runtime::shownName(QFileInfo(path).fileName()));
    if (row > 0) {
        text += QStringLiteral(", riga %1").arg(row);
    }
    return runtime::Error(runtime::ErrListinoNonValido, text + QStringLiteral(": ") + problem);
}

} // namespace lumetra::catalogue
