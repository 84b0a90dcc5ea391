#pragma once
// A sheet of labels as sold: its page, and one or more regular grids of labels on it.

#include "CaptionRoom.h"
#include "LayoutPlan.h"

#include <QString>

#include <vector>

namespace lumetra::layoutwriter {

// Kept free on every side of a label when a picture and its caption share it.
inline constexpr double LabelMarginMm = 1.5;

struct LabelGrid {
    // Round, disc (CD/DVD) and elliptical labels are laid out as the rectangle that holds them:
    // a round label becomes its bounding square.
    enum class Shape { Rectangle, Round, Disc, Ellipse };
    Shape shape = Shape::Rectangle;
    double width = 0;  // points, of the bounding box
    double height = 0; // points
    int across = 1;    // labels per row
    int down = 1;      // rows
    double left = 0;   // points, the first label's top-left corner
    double top = 0;
    double stepX = 0; // points, from one label's left edge to the next one's
    double stepY = 0;
};

struct LabelSheet {
    QString brand;         // "Avery"
    QString part;          // "L7163"
    QString description;   // as the template database writes it (mostly English)
    QString paper;         // the paper's name ("A4", "US-Letter"), empty for a custom size
    double pageWidth = 0;  // points
    double pageHeight = 0; // points
    std::vector<LabelGrid> grids;

    // "Avery L7163": how the sheet is chosen.
    QString name() const { return brand + QLatin1Char(' ') + part; }
    int labelCount() const;
    bool hasRoundLabels() const;
    // The page with one rectangle per label, in fill order.
    LayoutPlan plan() const;
    // The page with a picture rectangle in each label that leaves room for its caption: the
    // label less LabelMarginMm on every side and less the caption's band on its side. Round
    // and elliptical labels give the rectangle inscribed in them, so the caption stays on the
    // label. No plan when a rectangle would be lower than MinPictureHeightMm; with no room,
    // plan().
    PlanResult plan(const CaptionRoom& room) const;
    // In Italian, for lists: "etichette 99,1 x 38,1 mm, 14 per foglio (2 x 7), A4"; round labels
    // are "rotonde", sizes of several kinds of label are joined with "+".
    QString summary() const;
};

} // namespace lumetra::layoutwriter
