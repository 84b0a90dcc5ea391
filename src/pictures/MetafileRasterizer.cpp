#include "MetafileRasterizer.h"

#include "Length.h"
#include "MagickSession.h"

#include <Magick++.h>

#include <algorithm>
#include <cmath>

namespace lumetra::pictures {

QImage rasterizeMetafile(const QByteArray& data, const char* format, QSize size) {
    if (data.isEmpty())
        return {};
    startMagick();
    const std::lock_guard lock(magickMutex());
    try {
        const Magick::Blob blob(data.constData(), static_cast<size_t>(data.size()));
        // The natural size at 72 dpi decides the density that gives the wanted pixel size.
        Magick::Image probe;
        probe.magick(format);
        probe.density(Magick::Geometry(72, 72));
        probe.ping(blob);
        const double naturalW = std::max(1.0, static_cast<double>(probe.columns()));
        const double naturalH = std::max(1.0, static_cast<double>(probe.rows()));
        const double density =
            size.isEmpty() ? runtime::PointsPerInch
                           : std::clamp(runtime::PointsPerInch * std::max(size.width() / naturalW,
                                                                          size.height() / naturalH),
                                        8.0, 2400.0);

        Magick::Image image;
        image.magick(format);
        image.backgroundColor(Magick::Color("transparent"));
        const auto d = static_cast<size_t>(std::lround(density));
        image.density(Magick::Geometry(d, d));
        image.read(blob);
        const size_t w = image.columns();
        const size_t h = image.rows();
        if (w == 0 || h == 0 || w > 20000 || h > 20000)
            return {};
        QImage out(static_cast<int>(w), static_cast<int>(h), QImage::Format_RGBA8888);
        if (out.isNull())
            return {};
        for (size_t y = 0; y < h; ++y)
            image.write(0, static_cast<ssize_t>(y), w, 1, "RGBA", Magick::CharPixel,
                        out.scanLine(static_cast<int>(y)));
        return out.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    } catch (...) {
        return {};
    }
}

} // namespace lumetra::pictures
