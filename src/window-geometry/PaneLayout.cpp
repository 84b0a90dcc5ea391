#include "PaneLayout.h"

#include <algorithm>

namespace lumetra::geometry {

PaneControls PaneLayout(QSizeF paneSize, QSizeF referenceButton, double scrollAllowance,
                        PaneControls c) {
    const float PW = static_cast<float>(paneSize.width());
    const float PH = static_cast<float>(paneSize.height());
    const float SW = static_cast<float>(referenceButton.width());
    const float SH = static_cast<float>(referenceButton.height());

    c.label = QRectF(0, 0, PW, c.label.height());
    if (c.rightButton) {
        c.rightButton = QRectF(PW - SW - PaneMargin, PH - SH - PaneMargin, c.rightButton->width(),
                               c.rightButton->height());
    }
    if (c.leftButton) {
        const double top = c.rightButton ? c.rightButton->top() : PH - SH - PaneMargin;
        c.leftButton = QRectF(PaneMargin, top, c.leftButton->width(), c.leftButton->height());
    }
    const float labelHeight = static_cast<float>(c.label.height());
    const float listHeight = std::max(0.0f, PH - labelHeight - SH - PaneButtonStrip);
    c.list = QRectF(0, c.label.top() + labelHeight, PW, listHeight);
    const double column = static_cast<double>(c.list.width()) - scrollAllowance;
    c.firstColumnWidth = static_cast<float>(std::max(0.0, column));
    return c;
}

} // namespace lumetra::geometry
