#include "LibmspubProbe.h"

#include "PatchedInputStream.h"

#include <libmspub/libmspub.h>
#include <librevenge-stream/librevenge-stream.h>
#include <librevenge/librevenge.h>

#include <QPolygonF>

#include <memory>

namespace lumetra::pubtest {

namespace {

using librevenge::RVNGPropertyList;

double inches(const librevenge::RVNGProperty* p) {
    return p ? p->getDouble() : 0.0;
}

// What libmspub draws, as far as the tests look; librevenge's SVG generator takes the other calls.
class Recorder : public librevenge::RVNGSVGDrawingGenerator {
public:
    explicit Recorder(librevenge::RVNGStringVector& svg) : RVNGSVGDrawingGenerator(svg, "svg") {}

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
        QPolygonF polygon;
        for (unsigned long i = 0; i < points->count(); ++i) {
            polygon << QPointF(inches((*points)[i]["svg:x"]), inches((*points)[i]["svg:y"])) * 72;
        }
        pages.back().polygons.push_back(polygon.boundingRect());
        if (bitmap_) {
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
    librevenge::RVNGStringVector svg;
    Recorder recorder(svg);
    if (!libmspub::MSPUBDocument::isSupported(&input) ||
        !libmspub::MSPUBDocument::parse(&input, &recorder)) {
        return std::nullopt;
    }
    return recorder.pages;
}

} // namespace lumetra::pubtest
