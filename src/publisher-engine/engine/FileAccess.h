#pragma once
// Read access to an input file (layout or picture), checked the way the system reports it, so
// a refused access is told apart from a missing file. Files are only ever opened for reading.

#include <QString>

namespace lumetra::engine {

// Throws Publisher::Error when `path` cannot be opened for reading: 53 missing, 70 access
// refused, 75 a folder or no regular file. `what` names the file in the message
// ("Il file immagine", "Il file di layout").
void checkReadableFile(const QString& path, const QString& what);

} // namespace lumetra::engine
