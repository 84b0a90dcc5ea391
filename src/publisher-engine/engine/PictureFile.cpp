#include "PictureFile.h"

#include "EngineErrors.h"
#include "FileAccess.h"
#include "JpegDecoder.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QTransform>

#include <mutex>

namespace lumetra::engine {

namespace {

constexpr int AllocationLimitMb = 640;

void configure(QImageReader& reader) {
    // The allocation limit is one setting for the whole process, read by every reader: set once,
    // before any reader runs, since pictures are decoded on several threads.
    static std::once_flag limitSet;
    std::call_once(limitSet, [] { QImageReader::setAllocationLimit(AllocationLimitMb); });
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
}

QSize shownSize(const QImageReader& reader, QSize stored) {
    return (reader.transformation() & QImageIOHandler::TransformationRotate90) ? stored.transposed()
                                                                               : stored;
}

// Applies an EXIF orientation as Qt's reader does: mirror and flip first, then the quarter turn.
QImage oriented(QImage image, QImageIOHandler::Transformations transformation) {
    if (transformation == QImageIOHandler::TransformationNone) {
        return image;
    }
    if (transformation == QImageIOHandler::TransformationRotate270) {
        return image.transformed(QTransform().rotate(270));
    }
    image = image.mirrored(transformation & QImageIOHandler::TransformationMirror,
                           transformation & QImageIOHandler::TransformationFlip);
    if (transformation & QImageIOHandler::TransformationRotate90) {
        image = image.transformed(QTransform().rotate(90));
    }
    return image;
}

} // namespace

PictureInfo probePicture(const QString& path) {
    const QFileInfo info(path);
    const QString name = info.fileName().isEmpty() ? path : info.fileName();
    checkReadableFile(path, QStringLiteral("Il file immagine"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(ErrImmagineNonValida, QStringLiteral("Impossibile leggere il file immagine '%1': %2")
                                       .arg(name, file.errorString()));
    }
    if (file.size() == 0) {
        fail(ErrImmagineNonValida, QStringLiteral("Il file immagine '%1' è vuoto").arg(name));
    }
    QImageReader reader(&file);
    configure(reader);
    const QSize stored = reader.size();
    if (!reader.canRead() || !stored.isValid() || stored.isEmpty()) {
        fail(ErrImmagineNonValida,
             QStringLiteral("Il file '%1' non è un'immagine leggibile").arg(name));
    }
    if (qint64(stored.width()) * stored.height() > MaxPicturePixels) {
        fail(ErrImmagineNonValida, QStringLiteral("L'immagine '%1' è troppo grande (%2 x %3 pixel)")
                                       .arg(name)
                                       .arg(stored.width())
                                       .arg(stored.height()));
    }
    return PictureInfo{shownSize(reader, stored), reader.format()};
}

QImage decodePicture(const QString& path, QSize target, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error) {
            *error = file.errorString();
        }
        return {};
    }
    QImageReader reader(&file);
    configure(reader);
    const QSize stored = reader.size();
    if (!stored.isValid() || qint64(stored.width()) * stored.height() > MaxPicturePixels) {
        if (error) {
            *error = QStringLiteral("immagine non leggibile");
        }
        return {};
    }
    // The scaled size applies before the orientation is: turn the target back first.
    const bool turned = reader.transformation() & QImageIOHandler::TransformationRotate90;
    QSize wanted = turned ? target.transposed() : target;
    wanted = wanted.boundedTo(stored).expandedTo(QSize(1, 1));
    if (reader.format() == "jpeg") {
        const QImageIOHandler::Transformations transformation = reader.transformation();
        file.seek(0);
        QImage fast = decodeJpegScaled(file.readAll(), wanted);
        if (!fast.isNull()) {
            return oriented(std::move(fast), transformation);
        }
        file.seek(0);
        reader.setDevice(nullptr);
        reader.setDevice(&file);
    }
    if (wanted != stored) {
        reader.setScaledSize(wanted);
    }
    QImage image = reader.read();
    if (image.isNull() && error) {
        *error = reader.errorString();
    }
    return image;
}

} // namespace lumetra::engine
