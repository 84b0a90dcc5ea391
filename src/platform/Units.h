#pragma once
// Twips (1/1440 inch), the unit of the window's design geometry, and their conversion to pixels at
// the screen's twips per pixel (15 at 96 dots per inch).

#include "Length.h"

#include <QRect>
#include <QRectF>

namespace lumetra::platform {

using runtime::TwipsPerInch;
using runtime::TwipsPerPoint;
inline constexpr double TwipsPerCentimetre = TwipsPerInch / runtime::CentimetresPerInch;

// Rounds to the nearest whole number, a half to the even neighbour (8422.5 / 15 = 561.5 -> 562,
// 8407.5 / 15 = 560.5 -> 560).
int roundHalfEven(double value);

// The screen's scale: twips per pixel horizontally and vertically.
struct TwipsScale {
    double perPixelX = 15.0;
    double perPixelY = 15.0;

    // The primary screen's scale (its logical dots per inch), 15 x 15 when there is no screen.
    static TwipsScale ofScreen();

    int toPixelsX(double twips) const { return roundHalfEven(twips / perPixelX); }
    int toPixelsY(double twips) const { return roundHalfEven(twips / perPixelY); }
    double toTwipsX(double pixels) const { return pixels * perPixelX; }
    double toTwipsY(double pixels) const { return pixels * perPixelY; }
    // A rectangle given as Left, Top, Width, Height in twips, in pixels. Edges are rounded, so
    // controls that touch in twips touch in pixels.
    QRect toPixels(const QRectF& twips) const;
    QRectF toTwips(const QRect& pixels) const;
};

} // namespace lumetra::platform
