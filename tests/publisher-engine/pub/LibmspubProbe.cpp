#include "LibmspubProbe.h"

#include "PageRecorder.h"
#include "PatchedInputStream.h"
#include "Picture.h"

#include <libmspub/libmspub.h>
#include <librevenge-stream/librevenge-stream.h>

#include <memory>

namespace lumetra::pubtest {

std::optional<std::vector<DrawnPage>>
drawWithLibmspub(const QByteArray& file, const std::vector<lumetra::pub::StreamPatch>& patches) {
    drawing::PatchedInputStream input(std::make_unique<librevenge::RVNGStringStream>(
                                          reinterpret_cast<const unsigned char*>(file.constData()),
                                          static_cast<unsigned>(file.size())),
                                      patches);
    drawing::PageRecorder recorder;
    if (!libmspub::MSPUBDocument::isSupported(&input) ||
        !libmspub::MSPUBDocument::parse(&input, &recorder)) {
        return std::nullopt;
    }
    std::vector<DrawnPage> pages;
    for (const drawing::RecordedPage& recorded : recorder.pages()) {
        DrawnPage& page = pages.emplace_back();
        page.size = recorded.size * 72;
        for (const drawing::DisplayItem& item : recorded.items) {
            if (const auto* shape = std::get_if<drawing::ShapeItem>(&item)) {
                const QRectF box = shape->path.boundingRect();
                page.boxes.emplace_back(box.topLeft() * 72, box.size() * 72);
                if (shape->fill.picture) {
                    page.pictureData.push_back(shape->fill.picture->data());
                }
            } else if (const auto* text = std::get_if<drawing::TextItem>(&item)) {
                for (const drawing::TextParagraph& paragraph : text->paragraphs) {
                    QString joined;
                    for (const drawing::TextSpan& span : paragraph.spans) {
                        joined += span.text;
                    }
                    page.paragraphs << joined;
                }
            }
        }
    }
    return pages;
}

} // namespace lumetra::pubtest
