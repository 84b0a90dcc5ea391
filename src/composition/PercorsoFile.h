#pragma once
// Full path of a queued file: the folder and the bare file name joined by the platform's
// separator. A folder that already ends with a separator (a root folder) gets none added.

#include <QString>

namespace lumetra::composition {

QString PercorsoFile(const QString& cartella, const QString& nomeFile);

} // namespace lumetra::composition
