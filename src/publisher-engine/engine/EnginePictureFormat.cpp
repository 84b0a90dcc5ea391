#include "EnginePictureFormat.h"

#include "EngineShape.h"

#include "Length.h"

namespace lumetra::engine {

namespace {

const PictureFile& pictureOf(const EngineShape& shape) {
    shape.checkAlive();
    return *shape.heldPicture(); // a picture format is only made for a shape holding one
}

// Pixels per inch of `pixels` over `points`; 0 for a drawing or where nothing is drawn.
double resolution(const PictureFile& picture, int pixels, double points) {
    if (picture.info().vector || !(points > 0)) {
        return 0;
    }
    return pixels / (points / runtime::PointsPerInch);
}

} // namespace

int EnginePictureFormat::Fit() const {
    shape_->checkAlive();
    return shape_->pictureFit();
}

void EnginePictureFormat::SetFit(int fit) {
    shape_->setPictureFit(fit);
}

double EnginePictureFormat::OriginalWidth() const {
    return pictureOf(*shape_).info().size.width();
}

double EnginePictureFormat::OriginalHeight() const {
    return pictureOf(*shape_).info().size.height();
}

double EnginePictureFormat::HorizontalResolution() const {
    const PictureFile& picture = pictureOf(*shape_);
    return resolution(picture, picture.info().size.width(), shape_->pictureRect().width());
}

double EnginePictureFormat::VerticalResolution() const {
    const PictureFile& picture = pictureOf(*shape_);
    return resolution(picture, picture.info().size.height(), shape_->pictureRect().height());
}

QString EnginePictureFormat::Damage() {
    const PictureFile& picture = pictureOf(*shape_);
    // An eighth of its own size, read through to the end: a JPEG is decoded at that scale,
    // for far less than one decoding at the size it prints.
    const QSize own = picture.info().size;
    const QSize reduced = QSize(own.width() / 8, own.height() / 8).expandedTo(QSize(1, 1));
    QString error;
    if (!picture.decode(reduced, &error)) {
        return error.isEmpty() ? QStringLiteral("immagine non decodificabile") : error;
    }
    return picture.damage();
}

} // namespace lumetra::engine
