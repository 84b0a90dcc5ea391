#include "EnginePage.h"

#include "EngineDocument.h"
#include "EngineErrors.h"
#include "Measurement.h"

#include <algorithm>

namespace lumetra::engine {

namespace {

QRectF checkedBox(const Publisher::Variant& left, const Publisher::Variant& top,
                  const Publisher::Variant& width, const Publisher::Variant& height) {
    const QRectF box(toPoints(left), toPoints(top), toPoints(width), toPoints(height));
    if (box.width() < 0 || box.height() < 0) {
        fail(runtime::ErrArgomentoNonValido, QStringLiteral("Dimensioni non valide: %1 x %2 punti")
                                                 .arg(box.width())
                                                 .arg(box.height()));
    }
    return box;
}

} // namespace

EnginePage::EnginePage(std::weak_ptr<EngineDocument> document, int layoutPage)
    : document_(std::move(document)), layoutPage_(layoutPage) {}

std::shared_ptr<EngineDocument> EnginePage::checkedDocument() const {
    auto document = document_.lock();
    if (!document || document->isClosed()) {
        fail(runtime::ErrOggettoNonValido,
             QStringLiteral("La pagina non appartiene più al documento"));
    }
    return document;
}

std::shared_ptr<Publisher::Shapes> EnginePage::Shapes() {
    checkedDocument();
    return std::make_shared<EngineShapes>(shared_from_this());
}

void EnginePage::Delete() {
    checkedDocument()->removePage(this);
}

void EnginePage::detach() {
    document_.reset();
    for (const auto& shape : shapes_) {
        shape->detach();
    }
}

std::vector<int> EnginePage::hiddenLayoutShapes(int layoutShapeCount) const {
    std::vector<bool> present(static_cast<std::size_t>(std::max(0, layoutShapeCount)), false);
    for (const auto& shape : shapes_) {
        const int index = shape->layoutIndex();
        if (shape->kind() == ShapeKind::Layout && index >= 0 && index < layoutShapeCount) {
            present[static_cast<std::size_t>(index)] = true;
        }
    }
    std::vector<int> hidden;
    for (int i = 0; i < layoutShapeCount; ++i) {
        if (!present[static_cast<std::size_t>(i)]) {
            hidden.push_back(i);
        }
    }
    return hidden;
}

void EnginePage::append(const std::shared_ptr<EngineShape>& shape) {
    shape->attach(shared_from_this());
    shapes_.push_back(shape);
}

void EnginePage::remove(const EngineShape* shape) {
    const auto it = std::find_if(shapes_.begin(), shapes_.end(),
                                 [shape](const auto& s) { return s.get() == shape; });
    if (it != shapes_.end()) {
        (*it)->detach();
        shapes_.erase(it);
    }
}

std::shared_ptr<EnginePage> EnginePage::copy(std::weak_ptr<EngineDocument> document) const {
    auto page = std::make_shared<EnginePage>(std::move(document), layoutPage_);
    page->shapes_.reserve(shapes_.size());
    for (const auto& shape : shapes_) {
        page->append(shape->copy());
    }
    return page;
}

int EngineShapes::Count() const {
    page_->checkedDocument();
    return static_cast<int>(page_->shapes().size());
}

std::shared_ptr<Publisher::Shape> EngineShapes::Item(int index) {
    page_->checkedDocument();
    const auto& shapes = page_->shapes();
    if (index < 1 || index > static_cast<int>(shapes.size())) {
        fail(runtime::ErrIndiceNonValido,
             QStringLiteral("La forma %1 non esiste: la pagina ne ha %2")
                 .arg(index)
                 .arg(shapes.size()));
    }
    return shapes[static_cast<std::size_t>(index - 1)];
}

std::shared_ptr<Publisher::Shape>
EngineShapes::AddPicture(const QString& fileName, int /*linkToFile*/, int /*saveWithDocument*/,
                         const Publisher::Variant& left, const Publisher::Variant& top,
                         const Publisher::Variant& width, const Publisher::Variant& height) {
    page_->checkedDocument();
    const QRectF box = checkedBox(left, top, width, height);
    auto shape = EngineShape::picture(PictureFile::open(fileName), box);
    page_->append(shape);
    return shape;
}

std::shared_ptr<Publisher::Shape> EngineShapes::AddTextbox(int orientation,
                                                           const Publisher::Variant& left,
                                                           const Publisher::Variant& top,
                                                           const Publisher::Variant& width,
                                                           const Publisher::Variant& height) {
    page_->checkedDocument();
    if (orientation != Publisher::pbTextOrientationHorizontal) {
        fail(runtime::ErrArgomentoNonValido,
             QStringLiteral("Orientamento del testo non gestito: %1").arg(orientation));
    }
    auto shape = EngineShape::textBox(checkedBox(left, top, width, height));
    page_->append(shape);
    return shape;
}

} // namespace lumetra::engine
