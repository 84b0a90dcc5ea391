#pragma once
// A shape of a composed page: a shape of the layout, a picture or a text box.
//
// Shapes belong to one page at a time. Delete takes a shape off its page (a layout shape is then
// left out when the page's layout content is drawn); any later use of it is an error. A picture
// fills its box by its fit (PictureFit.h), stretched until told otherwise.

#include "LayoutSource.h"
#include "PictureFile.h"
#include "PublisherApi.h"
#include "TextBox.h"

#include <QRectF>
#include <QRgb>

#include <memory>
#include <optional>

namespace lumetra::engine {

class EnginePage;

enum class ShapeKind { Layout, Picture, TextBox };

class EngineShape final : public Publisher::Shape,
                          public std::enable_shared_from_this<EngineShape> {
public:
    static std::shared_ptr<EngineShape> layoutShape(int layoutIndex, const LayoutShape& shape);
    static std::shared_ptr<EngineShape> picture(std::shared_ptr<const PictureFile> file,
                                                const QRectF& box);
    static std::shared_ptr<EngineShape> textBox(const QRectF& box);
    // A copy that belongs to no page yet.
    std::shared_ptr<EngineShape> copy() const;

    int Type() const override;
    int AutoShapeType() const override;
    Publisher::Variant Left() const override;
    void SetLeft(const Publisher::Variant& value) override;
    Publisher::Variant Top() const override;
    void SetTop(const Publisher::Variant& value) override;
    Publisher::Variant Width() const override;
    void SetWidth(const Publisher::Variant& value) override;
    Publisher::Variant Height() const override;
    void SetHeight(const Publisher::Variant& value) override;
    void Delete() override;
    std::shared_ptr<Publisher::FillFormat> Fill() override;
    std::shared_ptr<Publisher::TextFrame> TextFrame() override;
    // Null for shapes that hold no picture.
    std::shared_ptr<Publisher::PictureFormat> PictureFormat() override;

    ShapeKind kind() const { return kind_; }
    int layoutIndex() const { return layoutIndex_; }
    QRectF box() const { return box_; }
    const QString& pictureFile() const { return pictureFile_; }
    // The picture's file, held open since it was added (null for other shapes).
    const std::shared_ptr<const PictureFile>& heldPicture() const { return picture_; }
    int pictureFit() const { return fit_; }
    // Throws when the shape was deleted, holds no picture or `fit` is no fit.
    void setPictureFit(int fit);
    // Where the picture is drawn: its box, or by its fit a rectangle inside or around the box.
    QRectF pictureRect() const;
    const TextBox& text() const { return text_; }
    // Throws when the shape was deleted or holds no text.
    TextBox& editableText();
    std::optional<QRgb> fill() const { return fill_; }
    // Object-model colour: 0x00BBGGRR.
    void setFillRgb(std::int32_t rgb);
    std::int32_t fillRgb() const;

    void attach(const std::shared_ptr<EnginePage>& page) { page_ = page; }
    void detach() { page_.reset(); }
    // Throws Publisher::Error when the shape is no longer on a page.
    void checkAlive() const;

private:
    EngineShape() = default;
    void setBox(const QRectF& box);

    ShapeKind kind_ = ShapeKind::Layout;
    int type_ = Publisher::msoAutoShape;
    int autoShapeType_ = Publisher::msoShapeRectangle;
    int layoutIndex_ = -1;
    QRectF box_;
    QString pictureFile_;
    std::shared_ptr<const PictureFile> picture_;
    int fit_ = Publisher::lmPictureFitStretch;
    TextBox text_;
    std::optional<QRgb> fill_;
    std::weak_ptr<EnginePage> page_;
};

} // namespace lumetra::engine
