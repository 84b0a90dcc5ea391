#include "modBrowseForFolder.h"

#include "DialogHost.h"

#include <QDir>

namespace lumetra::geometry {

QString SfogliaCartella(platform::DialogHost& host, const QString& start, const QString& title) {
    const QString from = start.isEmpty() ? QDir::rootPath() : start;
    QString result = host.browseForFolder(from, title);
    if (result.isEmpty()) {
        return QString();
    }
    result = QDir::toNativeSeparators(result);
    const QChar separator = QDir::separator();
    if (result.endsWith(separator) && result.size() > 1) {
        result.chop(1);
    }
    return result;
}

} // namespace lumetra::geometry
