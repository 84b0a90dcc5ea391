#include "JpegDecoder.h"

#include <turbojpeg.h>

namespace lumetra::engine {

QImage decodeJpegScaled(const QByteArray& data, QSize wanted) {
    tjhandle handle = tjInitDecompress();
    if (!handle) {
        return {};
    }
    auto* bytes = reinterpret_cast<unsigned char*>(const_cast<char*>(data.constData()));
    const auto size = static_cast<unsigned long>(data.size());
    int width = 0, height = 0, subsampling = 0, colourspace = 0;
    QImage image;
    if (tjDecompressHeader3(handle, bytes, size, &width, &height, &subsampling, &colourspace) ==
            0 &&
        width > 0 && height > 0 && colourspace != TJCS_CMYK && colourspace != TJCS_YCCK) {
        // The smallest of 1/8, 1/4, 1/2, 1/1 that is not below the wanted size.
        int denominator = 8;
        while (denominator > 1 &&
               (TJSCALED(width, (tjscalingfactor{1, denominator})) < wanted.width() ||
                TJSCALED(height, (tjscalingfactor{1, denominator})) < wanted.height())) {
            denominator /= 2;
        }
        const int w = TJSCALED(width, (tjscalingfactor{1, denominator}));
        const int h = TJSCALED(height, (tjscalingfactor{1, denominator}));
        image = QImage(w, h, QImage::Format_RGB32);
        if (!image.isNull()) {
            const int result = tjDecompress2(handle, bytes, size, image.bits(), w,
                                             static_cast<int>(image.bytesPerLine()), h, TJPF_BGRX,
                                             TJFLAG_FASTDCT | TJFLAG_FASTUPSAMPLE);
            // A warning (data cut short, stray bytes) keeps what was decoded.
            if (result != 0 && tjGetErrorCode(handle) != TJERR_WARNING) {
                image = QImage();
            }
        }
    }
    tjDestroy(handle);
    if (!image.isNull() && image.size() != wanted) {
        image = image.scaled(wanted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    return image;
}

} // namespace lumetra::engine
