#pragma once
// What the layout maker's tests share: a small template database of their own, the real one
// when installed, and the comparison of a written layout, read back by the engine's reader,
// with the plan it was written from.

#include "LayoutPlan.h"

#include <QRectF>
#include <QString>

#include <string>
#include <vector>

namespace lumetra::layouttest {

// The installed gLabels template database, or the empty text.
QString installedTemplates();

// Writes a template database of a few sheets into `folder` (created if needed):
//   "Prova Rett-mm"   A4, 2 x 3 rectangles 80 x 40 mm at 15/20 mm, step 90/45 mm
//   "Prova Tonde-in"  US-Letter, 3 x 2 round labels of 1 in radius at 0.5/1 in, step 2.5/3 in
//   "Prova Uguale"    the same sheet as "Prova Rett-mm" (equiv)
//   "Prova Catena"    equiv of "Prova Uguale"
//   "Prova Sfalsate"  a custom 100 x 60 mm page, two layouts: 2 x 1 at (5,30) step 50 mm and
//                     one label at (30,5) mm, 40 x 20 mm, so the lone one comes first
//   "Prova CD"        A5, one disc of 58 mm radius clipped to 116 x 80 mm at (16,10) mm
//   "Prova Ellisse"   A4, 1 x 2 ellipses 60 x 30 pt at bare-number positions (points)
//   "Prova Punti"     A4, 1 x 1 rectangle 2 cm x 36 pt at 1 cm / 0.5 in
// plus four templates left out (no Layout, unknown paper, equiv of nothing, 20 000 labels).
void writeTemplateFixture(const QString& folder);

// The layout's page 1 as the engine reads it: page size, picture slots in collection order,
// text boxes.
struct ReadLayout {
    double pageWidth = 0;
    double pageHeight = 0;
    std::vector<QRectF> pictureSlots;
    std::vector<QRectF> textBoxes;
    int shapeCount = 0;
};
// Reads `path`; fails the calling test (and gives an empty layout) when it cannot.
ReadLayout readLayout(const QString& path);

// Expects the layout read back to be the plan: the same page size and the same slots in the
// same order, to 0.0001 point, and the title's text box when the plan has a title.
void expectLayoutIsPlan(const ReadLayout& read, const layoutwriter::LayoutPlan& plan);

// Expects two rectangles to agree to `tolerance` in each coordinate.
void expectSameRect(const QRectF& read, const QRectF& planned, const std::string& what,
                    double tolerance);

// A rectangle given in millimetres, in points.
QRectF mm(double left, double top, double width, double height);

} // namespace lumetra::layouttest
