#pragma once
// Reading the label-template files of the gLabels template database (Debian's glabels-data):
// XML files of <Template> elements, each a product with its paper and its labels' layouts, and
// paper-sizes.xml, the paper names those templates refer to.
//
//   <Template brand="Avery" part="L7163" size="A4" _description="Address Labels">
//     <Label-rectangle id="0" width="99.1mm" height="38.1mm" round="2mm">
//       <Layout nx="2" ny="7" x0="4.65mm" y0="15.15mm" dx="101.6mm" dy="38.1mm"/>
//     </Label-rectangle>
//   </Template>
//   <Template brand="Avery" part="J8163" equiv="L7163"/>   (the same sheet under another name)
//
// Lengths carry their unit (pt, mm, cm, in, pc); a bare number is in points. Labels are
// Label-rectangle, Label-round (radius), Label-cd (radius, optionally clipped by width and
// height) and Label-ellipse; x0 and y0 give the top-left corner of the first label's bounding
// box, dx and dy the step to the next one.

#include "LabelSheet.h"

#include <QSizeF>
#include <QString>
#include <QStringView>

#include <map>
#include <optional>
#include <vector>

class QIODevice;

namespace lumetra::layoutwriter {

struct LabelTemplate {
    // Page size unset when `paper` names a paper of paper-sizes.xml.
    LabelSheet sheet;
    QString equivalentOf; // non-empty: a copy of that part of the same brand
};

struct TemplateFile {
    std::vector<LabelTemplate> templates;
    int skipped = 0; // templates with missing or impossible values
};

// A length in points, or nothing when the text is not a positive-or-zero number with a known
// unit.
std::optional<double> glabelsLength(QStringView text);

// The templates of one file, in file order. A file that is not XML gives what was read before
// the error.
TemplateFile readLabelTemplates(QIODevice& file);

// Paper names ("A4", "US-Letter", ...) and their sizes in points.
std::map<QString, QSizeF> readPaperSizes(QIODevice& file);

} // namespace lumetra::layoutwriter
