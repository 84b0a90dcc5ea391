#include "PictureData.h"

#include "PictureError.h"

#include <QFileInfo>

namespace lumetra::pictures {

PictureData PictureData::map(const QString& path) {
    PictureData data;
    data.fileName_ = QFileInfo(path).fileName();
    data.file_ = std::make_shared<QFile>(path);
    if (!data.file_->open(QIODevice::ReadOnly)) {
        refuse(QStringLiteral("impossibile leggere il file: %1").arg(data.file_->errorString()));
    }
    const qint64 size = data.file_->size();
    if (size <= 0) {
        refuse(QStringLiteral("il file è vuoto"));
    }
    const uchar* mapped = data.file_->map(0, size);
    if (!mapped) {
        refuse(QStringLiteral("impossibile leggere il file: %1").arg(data.file_->errorString()));
    }
    data.view_ = QByteArrayView(reinterpret_cast<const char*>(mapped), size);
    return data;
}

PictureData PictureData::fromBytes(QByteArray bytes, QString fileName) {
    PictureData data;
    data.owned_ = std::move(bytes);
    data.view_ = QByteArrayView(data.owned_);
    data.fileName_ = std::move(fileName);
    return data;
}

QString PictureData::extension() const {
    const int dot = fileName_.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : fileName_.mid(dot + 1).toLower();
}

} // namespace lumetra::pictures
