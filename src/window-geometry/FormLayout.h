#pragma once
// The main window's layout on resize: the status line at the bottom, the etched separator above
// it and the list splitter between the settings area and the separator. Pure computation in twips.

#include <QRectF>

namespace lumetra::geometry {

struct Line {
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    bool operator==(const Line&) const = default;
};

// The controls the layout moves, as they stand (twips, single precision as the window keeps them).
struct FormControls {
    QRectF lblInformazioni;
    QRectF prgBar;
    Line line1;
    Line line2;
    QRectF splitter;
    bool operator==(const FormControls&) const = default;
};

inline constexpr float SettingsAreaHeight = 1200;
inline constexpr float ProgressInset = 60;
inline constexpr float SeparatorAboveLabel = 75;
inline constexpr float SeparatorGap = 15;
inline constexpr float SplitterGapAboveLabel = 120;

// The layout pass for a client area of width W and height H. Each step reads what the earlier
// steps left; a step whose width or height would be negative is skipped and its control keeps
// its geometry.
FormControls Form_Resize(float W, float H, FormControls controls);

} // namespace lumetra::geometry
