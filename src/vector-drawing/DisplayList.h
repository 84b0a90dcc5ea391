#pragma once
// What one page of a Publisher layout draws, recorded once from libmspub's calls and replayed
// onto any QPainter at any resolution. All lengths are in inches, from the page's top-left corner.

#include "CharacterEffects.h"
#include "Length.h"

#include <QColor>
#include <QGradientStops>
#include <QPainterPath>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QVector>

#include <cmath>
#include <memory>
#include <optional>
#include <variant>
#include <vector>

namespace lumetra::drawing {

class EmbeddedPicture;

struct StrokeStyle {
    bool visible = false;
    double width = 0.0; // inches; 0 draws a hairline
    QColor color = Qt::black;
    QVector<double> dashes; // dash and gap lengths in inches; empty = solid
    Qt::PenCapStyle cap = Qt::FlatCap;
    // Corners sharper than the miter limit are bevelled, never drawn past it.
    Qt::PenJoinStyle join = Qt::SvgMiterJoin;
};

// How a picture's colours are changed when it is drawn.
struct PictureColours {
    std::optional<QColor> recolour; // black becomes this colour, white stays white
    double brightness = 0.5;        // 0.5 leaves the picture as it is
    bool changes() const { return recolour.has_value() || std::abs(brightness - 0.5) > 0.004; }
};

struct FillStyle {
    enum class Kind { None, Solid, Gradient, Bitmap };
    Kind kind = Kind::None;
    QColor color = Qt::white;
    QGradientStops stops;
    double angle = 0.0; // degrees, counter-clockwise
    bool radial = false;
    std::shared_ptr<const EmbeddedPicture> picture;
    PictureColours pictureColours;
};

struct ShadowStyle {
    bool visible = false;
    QPointF offset; // inches
    QColor color = Qt::gray;
};

struct ShapeItem {
    QPainterPath path;
    FillStyle fill;
    StrokeStyle stroke;
    ShadowStyle shadow;
    double opacity = 1.0;
};

struct PictureItem {
    QRectF box;
    std::shared_ptr<const EmbeddedPicture> picture;
    PictureColours colours;
};

struct TextSpan {
    QString text;
    QString family;
    double size = 10.0 / runtime::PointsPerInch; // inches
    bool bold = false;
    bool italic = false;
    CharacterEffects effects;
    bool uppercase = false;
    bool smallCaps = false;
    int position = 0; // 1 superscript, -1 subscript
    double scale = 1.0;
    QColor color = Qt::black;
};

struct TextParagraph {
    Qt::Alignment align = Qt::AlignLeft;
    double marginLeft = 0.0, marginRight = 0.0, marginTop = 0.0, marginBottom = 0.0;
    double indent = 0.0;
    double lineHeightPercent = 0.0; // 0: single spacing
    double lineHeightPoints = 0.0;  // exact spacing, when non-zero
    std::vector<TextSpan> spans;
};

struct TextItem {
    QRectF box;
    double padLeft = 0.0, padTop = 0.0, padRight = 0.0, padBottom = 0.0;
    Qt::Alignment verticalAlign = Qt::AlignTop;
    double rotation = 0.0; // degrees, counter-clockwise around the box centre
    int columns = 1;
    double columnGap = 0.0;
    std::vector<TextParagraph> paragraphs;
    // Characters of `paragraphs` shown by the frames before this one (linked text frames each
    // receive the whole story); this frame shows the rest.
    int skippedCharacters = 0;
    // A later frame of the story shows what this one cannot hold.
    bool continuesInNextFrame = false;
};

struct TableCell {
    int row = 0, column = 0, rowSpan = 1, columnSpan = 1;
    std::vector<TextParagraph> paragraphs;
};

struct TableItem {
    QRectF box;
    double rotation = 0.0; // degrees, counter-clockwise around the box centre
    std::vector<double> columnWidths;
    std::vector<double> rowHeights;
    std::vector<TableCell> cells;
};

struct LayerBegin {
    QPainterPath clip; // empty: no clipping
};
struct LayerEnd {};

using DisplayItem = std::variant<ShapeItem, PictureItem, TextItem, TableItem, LayerBegin, LayerEnd>;

struct RecordedPage {
    QSizeF size; // inches
    std::vector<DisplayItem> items;
};

} // namespace lumetra::drawing
