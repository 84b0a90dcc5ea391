#pragma once
// Room for the caption Lumetra sets next to each picture (the article code, perhaps a barcode):
// a band as wide as the picture's rectangle and as high as the caption, above or below it, that
// the layout keeps free of pictures.

#include "LayoutPlan.h"

#include <QRectF>

namespace lumetra::layoutwriter {

enum class CaptionSide { Below, Above };

struct CaptionRoom {
    double heightMm = 0; // 0: no room kept, the layout as without captions
    CaptionSide side = CaptionSide::Below;
};

// The lowest picture rectangle that keeping room for a caption may leave.
inline constexpr double MinPictureHeightMm = 5;

// The caption's band next to `picture` (both in points), on the room's side.
QRectF captionBand(const QRectF& picture, const CaptionRoom& room);

// Fills the plan's caption bands, one for each rectangle; none when the room is 0.
void addCaptionBands(LayoutPlan& plan, const CaptionRoom& room);

// The message for a room that leaves rectangles lower than MinPictureHeightMm: the room asked
// for, where (", nelle etichette di 40 x 20 mm"), and the largest room that fits (below 0,1 mm:
// `noRoom` is said instead).
QString captionRoomTooLarge(double roomMm, const QString& where, double largestMm,
                            const QString& noRoom);

} // namespace lumetra::layoutwriter
