#include "FormLayout.h"

namespace lumetra::geometry {

namespace {

// Move(Left, Top, Width, Height) as the toolkit does it: refused for a negative size.
void move(QRectF& rect, float left, float top, float width, float height) {
    if (width < 0 || height < 0) {
        return;
    }
    rect = QRectF(left, top, width, height);
}

} // namespace

FormControls Form_Resize(float W, float H, FormControls c) {
    const float hL = static_cast<float>(c.lblInformazioni.height());
    const float hP = static_cast<float>(c.prgBar.height());

    move(c.lblInformazioni, 0, H - hL, W, hL);
    move(c.prgBar, ProgressInset, H - hP - ProgressInset, W - 2 * ProgressInset, hP);

    c.line1.x2 = W;
    c.line1.y1 = static_cast<float>(c.lblInformazioni.top()) - SeparatorAboveLabel;
    c.line1.y2 = c.line1.y1;
    c.line2.x2 = W;
    c.line2.y1 = c.line1.y1 + SeparatorGap;
    c.line2.y2 = c.line2.y1;

    move(c.splitter, 0, SettingsAreaHeight, W, H - SettingsAreaHeight - hL - SplitterGapAboveLabel);
    return c;
}

} // namespace lumetra::geometry
