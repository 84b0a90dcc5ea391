#include "EngineShape.h"

#include "EngineErrors.h"
#include "EnginePage.h"
#include "EnginePictureFormat.h"
#include "EngineText.h"
#include "Measurement.h"
#include "PictureFit.h"

namespace lumetra::engine {

namespace {

double checkedSize(const Publisher::Variant& value) {
    const double points = toPoints(value);
    if (points < 0) {
        fail(runtime::ErrArgomentoNonValido,
             QStringLiteral("Dimensione non valida: %1 punti").arg(points));
    }
    return points;
}

} // namespace

std::shared_ptr<EngineShape> EngineShape::layoutShape(int layoutIndex, const LayoutShape& shape) {
    std::shared_ptr<EngineShape> s(new EngineShape);
    s->kind_ = ShapeKind::Layout;
    s->type_ = shape.type;
    s->autoShapeType_ = shape.autoShapeType;
    s->layoutIndex_ = layoutIndex;
    s->box_ = shape.box;
    return s;
}

std::shared_ptr<EngineShape> EngineShape::picture(std::shared_ptr<const PictureFile> file,
                                                  const QRectF& box) {
    std::shared_ptr<EngineShape> s(new EngineShape);
    s->kind_ = ShapeKind::Picture;
    s->type_ = Publisher::msoPicture;
    s->autoShapeType_ = -2; // no auto shape
    s->box_ = box;
    s->pictureFile_ = file->path();
    s->picture_ = std::move(file);
    return s;
}

std::shared_ptr<EngineShape> EngineShape::textBox(const QRectF& box) {
    std::shared_ptr<EngineShape> s(new EngineShape);
    s->kind_ = ShapeKind::TextBox;
    s->type_ = Publisher::msoTextBox;
    s->autoShapeType_ = Publisher::msoShapeRectangle;
    s->box_ = box;
    s->text_ = TextBox(box.size());
    return s;
}

std::shared_ptr<EngineShape> EngineShape::copy() const {
    std::shared_ptr<EngineShape> s(new EngineShape(*this));
    s->page_.reset();
    return s;
}

void EngineShape::checkAlive() const {
    if (page_.expired()) {
        fail(runtime::ErrOggettoNonValido,
             QStringLiteral("La forma è stata eliminata dalla pagina"));
    }
}

int EngineShape::Type() const {
    checkAlive();
    return type_;
}

int EngineShape::AutoShapeType() const {
    checkAlive();
    return autoShapeType_;
}

Publisher::Variant EngineShape::Left() const {
    checkAlive();
    return box_.left();
}

Publisher::Variant EngineShape::Top() const {
    checkAlive();
    return box_.top();
}

Publisher::Variant EngineShape::Width() const {
    checkAlive();
    return box_.width();
}

Publisher::Variant EngineShape::Height() const {
    checkAlive();
    return box_.height();
}

void EngineShape::SetLeft(const Publisher::Variant& value) {
    checkAlive();
    const double left = toPoints(value);
    setBox(QRectF(left, box_.top(), box_.width(), box_.height()));
}

void EngineShape::SetTop(const Publisher::Variant& value) {
    checkAlive();
    const double top = toPoints(value);
    setBox(QRectF(box_.left(), top, box_.width(), box_.height()));
}

void EngineShape::SetWidth(const Publisher::Variant& value) {
    checkAlive();
    const double width = checkedSize(value);
    setBox(QRectF(box_.left(), box_.top(), width, box_.height()));
}

void EngineShape::SetHeight(const Publisher::Variant& value) {
    checkAlive();
    const double height = checkedSize(value);
    setBox(QRectF(box_.left(), box_.top(), box_.width(), height));
}

void EngineShape::setBox(const QRectF& box) {
    box_ = box;
    if (kind_ == ShapeKind::TextBox) {
        text_.setBoxSize(box.size());
    }
}

void EngineShape::Delete() {
    checkAlive();
    if (const auto page = page_.lock()) {
        page->remove(this);
    }
    page_.reset();
}

std::shared_ptr<Publisher::FillFormat> EngineShape::Fill() {
    checkAlive();
    return std::make_shared<EngineFill>(shared_from_this());
}

std::shared_ptr<Publisher::TextFrame> EngineShape::TextFrame() {
    editableText();
    return std::make_shared<EngineTextFrame>(shared_from_this());
}

std::shared_ptr<Publisher::PictureFormat> EngineShape::PictureFormat() {
    checkAlive();
    if (kind_ != ShapeKind::Picture || !picture_) {
        return nullptr;
    }
    return std::make_shared<EnginePictureFormat>(shared_from_this());
}

void EngineShape::setPictureFit(int fit) {
    checkAlive();
    if (kind_ != ShapeKind::Picture) {
        fail(runtime::ErrArgomentoNonValido, QStringLiteral("La forma non contiene un'immagine"));
    }
    if (fit < Publisher::lmPictureFitStretch || fit > Publisher::lmPictureFitCover) {
        fail(runtime::ErrArgomentoNonValido,
             QStringLiteral("Adattamento immagine non valido: %1").arg(fit));
    }
    fit_ = fit;
}

QRectF EngineShape::pictureRect() const {
    if (!picture_) {
        return box_;
    }
    return fittedRect(box_, QSizeF(picture_->info().size), fit_);
}

TextBox& EngineShape::editableText() {
    checkAlive();
    if (kind_ != ShapeKind::TextBox) {
        fail(runtime::ErrArgomentoNonValido, QStringLiteral("La forma non contiene testo"));
    }
    return text_;
}

void EngineShape::setFillRgb(std::int32_t rgb) {
    checkAlive();
    const auto value = static_cast<std::uint32_t>(rgb);
    if (value > 0xFFFFFFu) {
        fail(runtime::ErrArgomentoNonValido, QStringLiteral("Colore non valido: %1").arg(rgb));
    }
    fill_ = qRgb(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

std::int32_t EngineShape::fillRgb() const {
    checkAlive();
    if (!fill_) {
        return 0xFFFFFF; // no fill shows the white page
    }
    return std::int32_t(qRed(*fill_) | (qGreen(*fill_) << 8) | (qBlue(*fill_) << 16));
}

} // namespace lumetra::engine
