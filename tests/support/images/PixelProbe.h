#pragma once
// Pixel counts and colours on rendered pages, for the drawing tests.

#include <QColor>
#include <QImage>
#include <QRectF>

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>

namespace lumetra::drawing::test {

// Pixels inside `area` (image pixels) whose darkest channel, or with `grey` their grey level, is
// below `threshold` (0-255).
inline int countBelow(const QImage& image, const QRectF& area, int threshold, bool grey) {
    const QRect r = area.toAlignedRect().intersected(image.rect());
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            n += (grey ? qGray(p) : std::min({qRed(p), qGreen(p), qBlue(p)})) < threshold;
        }
    return n;
}
// Pixels darker than `threshold` (grey level); pixels that are not (nearly) white.
inline int darkPixels(const QImage& image, const QRectF& area, int threshold = 128) {
    return countBelow(image, area, threshold, true);
}
inline int inkedPixels(const QImage& image, const QRectF& area) {
    return countBelow(image, area, 235, false);
}

// The colour at points of the image, to `tolerance` in each channel.
inline void expectColour(const QImage& image, QColor colour, std::initializer_list<QPoint> at,
                         int tolerance = 12) {
    for (const QPoint& p : at) {
        const QColor c = image.pixelColor(p);
        EXPECT_TRUE(std::abs(c.red() - colour.red()) <= tolerance &&
                    std::abs(c.green() - colour.green()) <= tolerance &&
                    std::abs(c.blue() - colour.blue()) <= tolerance)
            << p.x() << "," << p.y() << ": " << c.name().toStdString() << " for "
            << colour.name().toStdString();
    }
}

} // namespace lumetra::drawing::test
