#pragma once
// The failure of a picture to be read: an Italian description, without the file's name (the
// caller names the file).

#include <QString>

#include <stdexcept>

namespace lumetra::pictures {

class PictureError : public std::runtime_error {
public:
    explicit PictureError(const QString& description)
        : std::runtime_error(description.toStdString()), description_(description) {}
    const QString& description() const { return description_; }

private:
    QString description_;
};

[[noreturn]] inline void refuse(const QString& description) {
    throw PictureError(description);
}

// A picture of more pixels than the engine decodes.
[[noreturn]] inline void refuseTooLarge(qint64 width, qint64 height) {
    refuse(QStringLiteral("l'immagine è troppo grande (%1 x %2 pixel)").arg(width).arg(height));
}

} // namespace lumetra::pictures
