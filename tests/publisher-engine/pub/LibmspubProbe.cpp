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
        double x0 = 1e9, y0 = 1e9, x1 = -1e9, y1 = -1e9;
        for (unsigned long i = 0; i < points->count(); ++i) {
            const double x = inches((*points)[i]["svg:x"]) * 72;
            const double y = inches((*points)[i]["svg:y"]) * 72;
            x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
        }
        pages.back().polygons.push_back(QRectF(x0, y0, x1 - x0, y1 - y0));
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
