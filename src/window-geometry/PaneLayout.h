#pragma once
// The layout of one list pane: caption label at the top, list in the middle, a row of two buttons
// at the bottom (the printed-files pane has none but keeps the same strip). Pure computation in
// twips.

#include <QRectF>
#include <QSizeF>

#include <optional>

namespace lumetra::geometry {

struct PaneControls {
    QRectF label;
    QRectF list;
    std::optional<QRectF> rightButton; // absent in the printed-files pane
    std::optional<QRectF> leftButton;
    float firstColumnWidth = 0;
    bool operator==(const PaneControls&) const = default;
};

inline constexpr float PaneMargin = 60;
inline constexpr float PaneButtonStrip = 120;

// Lays out a pane of inner size paneSize. referenceButton is the size of the reference button
// (all pane buttons share it); scrollAllowance is the room kept for a vertical scroll bar
// (twips per pixel x the scroll bar metric). A list height or column width that would come out
// negative is clamped to zero; the buttons are not clamped.
PaneControls PaneLayout(QSizeF paneSize, QSizeF referenceButton, double scrollAllowance,
                        PaneControls controls);

} // namespace lumetra::geometry
