#include "Units.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace lumetra::platform {

int roundHalfEven(double value) {
    const double floor = std::floor(value);
    const double diff = value - floor;
    double result = floor;
    if (diff > 0.5 || (diff == 0.5 && std::fmod(floor, 2.0) != 0.0)) {
        result = floor + 1.0;
    }
    return static_cast<int>(result);
}

TwipsScale TwipsScale::ofScreen() {
    TwipsScale scale;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const double dpiX = screen->logicalDotsPerInchX();
        const double dpiY = screen->logicalDotsPerInchY();
        if (dpiX > 0) {
            scale.perPixelX = TwipsPerInch / dpiX;
        }
        if (dpiY > 0) {
            scale.perPixelY = TwipsPerInch / dpiY;
        }
    }
    return scale;
}

QRect TwipsScale::toPixels(const QRectF& twips) const {
    const int left = toPixelsX(twips.left());
    const int top = toPixelsY(twips.top());
    const int right = toPixelsX(twips.left() + twips.width());
    const int bottom = toPixelsY(twips.top() + twips.height());
    return QRect(left, top, right - left, bottom - top);
}

QRectF TwipsScale::toTwips(const QRect& pixels) const {
    return QRectF(toTwipsX(pixels.x()), toTwipsY(pixels.y()), toTwipsX(pixels.width()),
                  toTwipsY(pixels.height()));
}

} // namespace lumetra::platform
