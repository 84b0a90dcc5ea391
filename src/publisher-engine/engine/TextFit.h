#pragma once
// Text of a text box measured with real font metrics: line wrapping, whether it fits a box at
// a font size, the largest size at which it fits (best fit), and the lines to draw.
//
// Words are measured once per font (name, bold, italic) at a reference size and cached; widths
// at other sizes follow by scaling (outline metrics, no hinting, so they scale linearly). So
// asking whether a text fits costs a pass over its words, with no font work at all.

#include <QFont>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <vector>

namespace lumetra::engine {

struct TextStyle {
    QString family = QStringLiteral("Times New Roman");
    bool bold = false;
    bool italic = false;
    bool operator==(const TextStyle&) const = default;
};

// Smallest and largest font sizes (points) best fit chooses from; it steps by 0.1 pt.
inline constexpr double MinFontSize = 0.5;
inline constexpr double MaxFontSize = 1638.0;

class MeasuredText {
public:
    struct Line {
        QString text;
        double width = 0; // points, at the size asked for
    };

    MeasuredText() = default;
    MeasuredText(const QString& text, const TextStyle& style);

    bool isEmpty() const { return paragraphs_.empty(); }

    // True when the whole text fits `inner` (points) at `size` points: every word fits the width
    // and the wrapped lines fit the height. An empty text always fits.
    bool fits(double size, QSizeF inner) const;
    // The largest size (multiple of 0.1 pt, MinFontSize to MaxFontSize) at which the text fits;
    // MinFontSize when nothing fits.
    double bestFitSize(QSizeF inner) const;
    // The wrapped lines at `size` within `innerWidth` points.
    std::vector<Line> lines(double size, double innerWidth) const;

    // Vertical metrics at `size` points.
    double ascent(double size) const { return ascent_ * size / ReferenceSize; }
    double lineSpacing(double size) const { return lineSpacing_ * size / ReferenceSize; }

    // The font to draw with: reference pixel size, to be scaled by size / ReferenceSize.
    const QFont& referenceFont() const { return font_; }
    static constexpr double ReferenceSize = 100.0;

private:
    struct Word {
        QString text;
        double width = 0; // at ReferenceSize
    };
    using Paragraph = std::vector<Word>;

    // Number of lines at the reference size within `width`, or -1 when a word is too wide.
    int countLines(double width) const;

    std::vector<Paragraph> paragraphs_;
    QFont font_;
    double space_ = 0;
    double ascent_ = 0;
    double height_ = 0;
    double lineSpacing_ = 0;
};

// The font the engine uses for a style at the reference size (fontconfig substitutes missing
// families).
QFont referenceFont(const TextStyle& style);

} // namespace lumetra::engine
