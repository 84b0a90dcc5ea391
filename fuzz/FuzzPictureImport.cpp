// libFuzzer target of the picture import: the input is a whole picture file of any format
// (told by its content, as the engine does), probed, then decoded for a small box and drawn
// into it. Every input must end in a picture drawn or a PictureError: no crash, hang or
// runaway memory. Work per input stays small: the box is small and the import refuses
// pictures over its pixel limit.

#include "OffscreenGui.h"
#include "PictureData.h"
#include "PictureImport.h"

#include <QByteArray>
#include <QImage>
#include <QPainter>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

constexpr int kBoxSide = 40;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    startOffscreenGui(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumetra::pictures;
    // The name only matters where the content alone cannot tell: a CorelDRAW zip package.
    const PictureData picture =
        PictureData::fromBytes(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)),
                               QStringLiteral("campione.cdr"));
    try {
        (void)probePicture(picture);
    } catch (const PictureError&) {
    }
    try {
        const auto imported = loadPicture(picture, QSize(kBoxSide, kBoxSide));
        QImage box(kBoxSide, kBoxSide, QImage::Format_RGB32);
        box.fill(Qt::white);
        QPainter painter(&box);
        imported->draw(painter, QRectF(2, 4, kBoxSide - 4, kBoxSide - 10));
        painter.end();
        (void)imported->image();
    } catch (const PictureError&) {
    }
    return 0;
}
