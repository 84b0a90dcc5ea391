#pragma once
// The failure of a picture to be read: error 481 with an Italian description, without the file's
// name (the caller names the file).

#include "Error.h"
#include "ErrorNumbers.h"
#include "SystemErrors.h"

namespace lumetra::pictures {

class PictureError : public runtime::Error {
public:
    explicit PictureError(const QString& description)
        : runtime::Error(runtime::ErrImmagineNonValida, description) {}
};

[[noreturn]] inline void refuse(const QString& description) {
    throw PictureError(description);
}

// A file the system would not let us read (`error`: errno), with the system's reason in Italian.
[[noreturn]] inline void refuseUnreadable(int error) {
    refuse(QStringLiteral("impossibile leggere il file: %1").arg(runtime::systemErrorText(error)));
}

// A picture of more pixels than the engine decodes.
[[noreturn]] inline void refuseTooLarge(qint64 width, qint64 height) {
    refuse(QStringLiteral("l'immagine è troppo grande (%1 x %2 pixel)").arg(width).arg(height));
}

} // namespace lumetra::pictures
