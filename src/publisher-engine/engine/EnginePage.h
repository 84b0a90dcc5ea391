#pragma once
// A page of the composed document and its shape collection.
//
// A page shows the layout content of one layout page (its own, or page 1's for copies of page 1)
// minus the layout shapes deleted from it, then its pictures and text boxes in collection order.

#include "EngineShape.h"
#include "PublisherApi.h"

#include <memory>
#include <vector>

namespace lumetra::engine {

class EngineDocument;

class EnginePage final : public Publisher::Page, public std::enable_shared_from_this<EnginePage> {
public:
    // A page showing layout page `layoutPage` (0-based), holding no shapes yet.
    EnginePage(std::weak_ptr<EngineDocument> document, int layoutPage);

    std::shared_ptr<Publisher::Shapes> Shapes() override;
    void Delete() override;

    int layoutPage() const { return layoutPage_; }
    const std::vector<std::shared_ptr<EngineShape>>& shapes() const { return shapes_; }
    // Indices of the layout page's shapes that are no longer on this page.
    std::vector<int> hiddenLayoutShapes(int layoutShapeCount) const;

    void append(const std::shared_ptr<EngineShape>& shape);
    void remove(const EngineShape* shape);
    // A new page (of `document`) with copies of this page's shapes in the same order.
    std::shared_ptr<EnginePage> copy(std::weak_ptr<EngineDocument> document) const;
    // Throws when the page was deleted or its document closed.
    std::shared_ptr<EngineDocument> checkedDocument() const;
    void detach();

private:
    std::weak_ptr<EngineDocument> document_;
    int layoutPage_;
    std::vector<std::shared_ptr<EngineShape>> shapes_;
};

class EngineShapes final : public Publisher::Shapes {
public:
    explicit EngineShapes(std::shared_ptr<EnginePage> page) : page_(std::move(page)) {}

    int Count() const override;
    std::shared_ptr<Publisher::Shape> Item(int index) override;
    std::shared_ptr<Publisher::Shape>
    AddPicture(const QString& fileName, int linkToFile, int saveWithDocument,
               const Publisher::Variant& left, const Publisher::Variant& top,
               const Publisher::Variant& width, const Publisher::Variant& height) override;
    std::shared_ptr<Publisher::Shape> AddTextbox(int orientation, const Publisher::Variant& left,
                                                 const Publisher::Variant& top,
                                                 const Publisher::Variant& width,
                                                 const Publisher::Variant& height) override;

private:
    std::shared_ptr<EnginePage> page_;
};

} // namespace lumetra::engine
