#include "LibmspubProbe.h"

#include "PatchedInputStream.h"

#include <libmspub/libmspub.h>
#include <librevenge-stream/librevenge-stream.h>
#include <librevenge/librevenge.h>

#include <memory>

namespace lumetra::pubtest {

namespace {

using librevenge::RVNGPropertyList;

double inches(const librevenge::RVNGProperty* p) {
    return p ? p->getDouble() : 0.0;
}

class Recorder : public librevenge::RVNGDrawingInterface {
public:
    std::vector<DrawnPage> pages;

    void startPage(const RVNGPropertyList& props) override {
        pages.emplace_back();
        pages.back().size =
            QSizeF(inches(props["svg:width"]) * 72, inches(props["svg:height"]) * 72);
    }
    void setStyle(const RVNGPropertyList& style) override {
        bitmap_ = style["draw:fill"] && style["draw:fill"]->getStr() == "bitmap";
        image_.clear();
        if (bitmap_ && style["draw:fill-image"]) {
            image_ = QByteArray::fromBase64(QByteArray(style["draw:fill-image"]->getStr().cstr()));
        }
    }
    void drawPolygon(const RVNGPropertyList& props) override {
        const librevenge::RVNGPropertyListVector* points = props.child("svg:points");
        if (!points || points->count() == 0 || pages.empty()) {
            return;
        }
        double x0 = 1e9, y0 = 1e9, x1 = -1e9, y1 = -1e9;
        for (unsigned long i = 0; i < points->count(); ++i) {
            const double x = inches((*points)[i]["svg:x"]) * 72;
            const double y = inches((*points)[i]["svg:y"]) * 72;
            x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
        }
        pages.back().polygons.push_back(QRectF(x0, y0, x1 - x0, y1 - y0));
        if (bitmap_) {
            ++pages.back().pictures;
            pages.back().pictureData.push_back(image_);
        }
    }
    void drawPath(const RVNGPropertyList&) override {
        if (!pages.empty()) {
            ++pages.back().paths;
        }
    }
    void openParagraph(const RVNGPropertyList&) override { paragraph_.clear(); }
    void closeParagraph() override {
        if (!pages.empty()) {
            pages.back().paragraphs << paragraph_.remove(QChar(0x000D));
        }
    }
    void insertText(const librevenge::RVNGString& text) override {
        paragraph_ += QString::fromUtf8(text.cstr());
    }
    void insertSpace() override { paragraph_ += QLatin1Char(' '); }

    void startDocument(const RVNGPropertyList&) override {}
    void endDocument() override {}
    void setDocumentMetaData(const RVNGPropertyList&) override {}
    void defineEmbeddedFont(const RVNGPropertyList&) override {}
    void endPage() override {}
    void startMasterPage(const RVNGPropertyList&) override {}
    void endMasterPage() override {}
    void startLayer(const RVNGPropertyList&) override {}
    void endLayer() override {}
    void startEmbeddedGraphics(const RVNGPropertyList&) override {}
    void endEmbeddedGraphics() override {}
    void openGroup(const RVNGPropertyList&) override {}
    void closeGroup() override {}
    void drawRectangle(const RVNGPropertyList&) override {}
    void drawEllipse(const RVNGPropertyList&) override {}
    void drawPolyline(const RVNGPropertyList&) override {}
    void drawGraphicObject(const RVNGPropertyList&) override {}
    void drawConnector(const RVNGPropertyList&) override {}
    void startTextObject(const RVNGPropertyList&) override {}
    void endTextObject() override {}
    void startTableObject(const RVNGPropertyList&) override {}
    void openTableRow(const RVNGPropertyList&) override {}
    void closeTableRow() override {}
    void openTableCell(const RVNGPropertyList&) override {}
    void closeTableCell() override {}
    void insertCoveredTableCell(const RVNGPropertyList&) override {}
    void endTableObject() override {}
    void insertTab() override {}
    void insertLineBreak() override {}
    void insertField(const RVNGPropertyList&) override {}
    void openOrderedListLevel(const RVNGPropertyList&) override {}
    void openUnorderedListLevel(const RVNGPropertyList&) override {}
    void closeOrderedListLevel() override {}
    void closeUnorderedListLevel() override {}
    void openListElement(const RVNGPropertyList&) override {}
    void closeListElement() override {}
    void defineParagraphStyle(const RVNGPropertyList&) override {}
    void defineCharacterStyle(const RVNGPropertyList&) override {}
    void openSpan(const RVNGPropertyList&) override {}
    void closeSpan() override {}
    void openLink(const RVNGPropertyList&) override {}
    void closeLink() override {}

private:
    bool bitmap_ = false;
    QByteArray image_;
    QString paragraph_;
};

} // namespace

std::optional<std::vector<DrawnPage>>
drawWithLibmspub(const QByteArray& file, const std::vector<lumetra::pub::StreamPatch>& patches) {
    lumetra::drawing::PatchedInputStream input(
        std::make_unique<librevenge::RVNGStringStream>(
            reinterpret_cast<const unsigned char*>(file.constData()),
            static_cast<unsigned>(file.size())),
        patches);
    Recorder recorder;
    if (!libmspub::MSPUBDocument::isSupported(&input) ||
        !libmspub::MSPUBDocument::parse(&input, &recorder)) {
        return std::nullopt;
    }
    return recorder.pages;
}

} // namespace lumetra::pubtest
