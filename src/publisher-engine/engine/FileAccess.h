#pragma once
// Read access to a picture file, in the engine's errors (the layout reader checks layouts the
// same way, through runtime::checkInputFile). Files are only ever opened for reading.

#include <QString>

namespace lumetra::engine {

// Throws Publisher::Error when `path` cannot be opened for reading: 53 missing, 70 access
// refused, 75 a folder or no regular file. `what` names the file in the message
// ("Il file immagine").
void checkReadableFile(const QString& path, const QString& what);

} // namespace lumetra::engine
