#include "PictureFile.h"

#include "EngineErrors.h"
#include "FileAccess.h"

#include <QFileInfo>

namespace lumetra::engine {

PictureInfo probePicture(const QString& path) {
    const QFileInfo info(path);
    const QString name = info.fileName().isEmpty() ? path : info.fileName();
    checkReadableFile(path, QStringLiteral("Il file immagine"));
    try {
        return pictures::probePicture(path);
    } catch (const pictures::PictureError& e) {
        fail(runtime::ErrImmagineNonValida,
             QStringLiteral("Il file immagine '%1' non si può inserire: %2")
                 .arg(name, e.Description()));
    }
}

std::shared_ptr<const pictures::ImportedPicture> decodePicture(const QString& path, QSize target,
                                                               QString* error) {
    try {
        return pictures::loadPicture(path, target);
    } catch (const pictures::PictureError& e) {
        if (error) {
            *error = e.Description();
        }
    } catch (const std::exception&) {
        if (error) {
            *error = QStringLiteral("immagine non decodificabile");
        }
    }
    return nullptr;
}

} // namespace lumetra::engine
