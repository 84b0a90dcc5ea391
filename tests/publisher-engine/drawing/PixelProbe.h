#pragma once
// Pixel counts on rendered pages, for the drawing tests.

#include <QColor>
#include <QImage>
#include <QRectF>

#include <gtest/gtest.h>

#include <initializer_list>

namespace lumetra::drawing::test {

// Pixels inside `area` (image pixels) darker than `threshold` (0-255 grey).
inline int darkPixels(const QImage& image, const QRectF& area, int threshold = 128) {
    const QRect r = area.toAlignedRect().intersected(image.rect());
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (qGray(image.pixel(x, y)) < threshold)
                ++n;
    return n;
}

// Pixels inside `area` that are not (nearly) white.
inline int inkedPixels(const QImage& image, const QRectF& area) {
    const QRect r = area.toAlignedRect().intersected(image.rect());
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qRed(p) < 235 || qGreen(p) < 235 || qBlue(p) < 235)
                ++n;
        }
    return n;
}

inline bool near(QColor a, QColor b, int tolerance = 12) {
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

// The colour at points of the image.
inline void expectColour(const QImage& image, QColor colour, std::initializer_list<QPoint> at,
                         int tolerance = 12) {
    for (const QPoint& p : at) {
        EXPECT_TRUE(near(image.pixelColor(p), colour, tolerance))
            << p.x() << "," << p.y() << ": " << image.pixelColor(p).name().toStdString() << " for "
            << colour.name().toStdString();
    }
}

// More than `more` dark pixels in each area, or (more < 0) none.
inline void expectInk(const QImage& image, int more, std::initializer_list<QRectF> areas) {
    for (const QRectF& area : areas) {
        const int dark = darkPixels(image, area);
        EXPECT_TRUE(more < 0 ? dark == 0 : dark > more)
            << dark << " dark pixels in " << area.x() << "," << area.y() << " " << area.width()
            << "x" << area.height();
    }
}
inline void expectNoInk(const QImage& image, std::initializer_list<QRectF> areas) {
    expectInk(image, -1, areas);
}

} // namespace lumetra::drawing::test
