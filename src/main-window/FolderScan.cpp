#include "FolderScan.h"

namespace lumetra::mainwindow {

bool IsImageName(const QString& name) {
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString ext = name.mid(dot + 1).toLower();
    return EstensioniImmagini.contains(ext) || EstensioniFotoWeb.contains(ext);
}

} // namespace lumetra::mainwindow
