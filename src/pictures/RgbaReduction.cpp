#include "RgbaReduction.h"

#include "RowReducer.h"

#include <cstring>
#include <vector>

namespace lumetra::pictures {

QImage reducedRgba(const std::uint8_t* pixels, qsizetype bytesPerLine, QSize source, QSize wanted) {
    RowReducer reducer(source, wanted.boundedTo(source).expandedTo(QSize(1, 1)));
    std::vector<std::uint8_t> row(static_cast<std::size_t>(source.width()) * 4 + 16);
    for (int y = 0; y < source.height(); ++y) {
        const std::uint8_t* in = pixels + y * bytesPerLine;
        for (int x = 0; x < source.width(); ++x) {
            const unsigned a = in[4 * x + 3];
            for (int c = 0; c < 3; ++c) {
                row[4 * x + c] = static_cast<std::uint8_t>((in[4 * x + c] * a + 127) / 255);
            }
            row[4 * x + 3] = static_cast<std::uint8_t>(a);
        }
        reducer.add(y, row.data());
    }
    const std::vector<std::uint8_t>& out = reducer.finish({0, 0, 0, 0});
    const QSize size = reducer.target();
    QImage image(size, QImage::Format_RGBA8888_Premultiplied);
    for (int y = 0; !image.isNull() && y < size.height(); ++y) {
        std::memcpy(image.scanLine(y), out.data() + static_cast<std::size_t>(y) * size.width() * 4,
                    static_cast<std::size_t>(size.width()) * 4);
    }
    return image;
}

} // namespace lumetra::pictures
