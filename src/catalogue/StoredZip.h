#pragma once
// A zip archive of one part, stored as it is: how a part rewritten here (OdsContent.h) goes back
// to liborcus, which reads spreadsheets only from zip archives.

#include <QByteArray>
#include <QByteArrayView>

namespace lumetra::catalogue {

// data must be under 4 GB (no Zip64 here).
QByteArray storedZip(QByteArrayView name, QByteArrayView data);

} // namespace lumetra::catalogue
