// The window's layout on resize: the status line, the separator and the list splitter, then each
// list pane's label, list and buttons.

#include "FileListView.h"
#include "FormLayout.h"
#include "LineControl.h"
#include "ListPane.h"
#include "PaneLayout.h"
#include "frmLumetra.h"

#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QSplitter>
#include <QStyle>

namespace lumetra::mainwindow {

void frmLumetra::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmLumetra::Form_Resize() {
    geometry::FormControls now;
    now.lblInformazioni = scala_.toTwips(lblInformazioni_->geometry());
    now.prgBar = scala_.toTwips(prgBar_->geometry());
    now.line1 = {Line1_->X1(), Line1_->Y1(), Line1_->X2(), Line1_->Y2()};
    now.line2 = {Line2_->X1(), Line2_->Y1(), Line2_->X2(), Line2_->Y2()};
    now.splitter = scala_.toTwips(SSSplitterFile_->geometry());

    const auto W = static_cast<float>(scala_.toTwipsX(width()));
    const auto H = static_cast<float>(scala_.toTwipsY(height()));
    const geometry::FormControls next = geometry::Form_Resize(W, H, now);

    if (next.lblInformazioni != now.lblInformazioni) {
        lblInformazioni_->setGeometry(scala_.toPixels(next.lblInformazioni));
    }
    if (next.prgBar != now.prgBar) {
        prgBar_->setGeometry(scala_.toPixels(next.prgBar));
    }
    Line1_->setPoints(next.line1.x1, next.line1.y1, next.line1.x2, next.line1.y2, scala_);
    Line2_->setPoints(next.line2.x1, next.line2.y1, next.line2.x2, next.line2.y2, scala_);
    if (next.splitter != now.splitter) {
        SSSplitterFile_->setGeometry(scala_.toPixels(next.splitter));
    }
}

void frmLumetra::layoutPannello(ListPane* pane, QLabel* label, FileListView* list,
                                QPushButton* right, QPushButton* left) {
    geometry::PaneControls now;
    now.label = scala_.toTwips(label->geometry());
    now.list = scala_.toTwips(list->geometry());
    if (right != nullptr) {
        now.rightButton = scala_.toTwips(right->geometry());
    }
    if (left != nullptr) {
        now.leftButton = scala_.toTwips(left->geometry());
    }
    const QSizeF paneSize(scala_.toTwipsX(pane->width()), scala_.toTwipsY(pane->height()));
    const QSizeF reference(scala_.toTwipsX(cmdSeleziona_->width()),
                           scala_.toTwipsY(cmdSeleziona_->height()));
    // The room kept for a vertical scroll bar: the style's scroll bar width in pixels.
    const int metric = list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
    const double allowance = scala_.perPixelX * metric;
    const geometry::PaneControls next = geometry::PaneLayout(paneSize, reference, allowance, now);

    label->setGeometry(scala_.toPixels(next.label));
    if (right != nullptr && next.rightButton) {
        right->setGeometry(scala_.toPixels(*next.rightButton));
    }
    if (left != nullptr && next.leftButton) {
        left->setGeometry(scala_.toPixels(*next.leftButton));
    }
    list->setGeometry(scala_.toPixels(next.list));
    list->header()->resizeSection(0, scala_.toPixelsX(next.firstColumnWidth));
}

void frmLumetra::picFile_Resize() {
    layoutPannello(picFile_, lblFile_, lvwFile_, cmdSeleziona_, cmdMarca_);
}

void frmLumetra::picSelezionati_Resize() {
    layoutPannello(picSelezionati_, lblSelezionati_, lvwSelezionati_, cmdStampa_, cmdRimuovi_);
}

void frmLumetra::picStampati_Resize() {
    layoutPannello(picStampati_, lblStampati_, lvwStampati_, nullptr, nullptr);
}

} // namespace lumetra::mainwindow
