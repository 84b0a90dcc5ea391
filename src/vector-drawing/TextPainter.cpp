#include "TextPainter.h"

#include "Length.h"

#include "FontMatcher.h"
#include "TextDecorations.h"
#include "TextFitting.h"

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace lumetra::drawing {

namespace {

constexpr double CellPadding = 0.04;   // inches, on every side of a table cell
constexpr double DefaultTabStop = 0.5; // inches between default tab stops

// A paint device of TextUnitsPerInch dots per inch: font point sizes become text units.
QPaintDevice* layoutDevice() {
    thread_local QImage device = [] {
        QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
        const int dotsPerMeter = int(std::lround(TextUnitsPerInch / 0.0254));
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }();
    return &device;
}

QTextCharFormat charFormat(const TextSpan& span) {
    const FontChoice choice = chooseFont(span.family);
    QFont font(choice.family);
    font.setPointSizeF(std::max(0.5, span.size * runtime::PointsPerInch));
    font.setBold(span.bold || choice.bold);
    font.setItalic(span.italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(true);
    if (span.uppercase) {
        font.setCapitalization(QFont::AllUppercase);
    } else if (span.smallCaps) {
        font.setCapitalization(QFont::SmallCaps);
    }
    if (std::abs(span.scale - 1.0) > 0.01) {
        font.setStretch(int(std::lround(std::clamp(span.scale * 100, 1.0, 4000.0))));
    }
    QTextCharFormat f;
    f.setFont(font, QTextCharFormat::FontPropertiesAll);
    f.setForeground(span.color);
    if (span.position > 0) {
        f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    } else if (span.position < 0) {
        f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    }
    storeEffects(f, span.effects, TextUnitsPerInch);
    return f;
}

// QTextDocumentLayout scales some format lengths (paragraph spacing, exact line heights, tab
// distances) from a screen's resolution to its paint device's, and takes others (indents) as
// device units. The factor depends on the screen, so it is measured once.
double formatScale() {
    static const double scale = [] {
        QTextDocument doc;
        doc.documentLayout()->setPaintDevice(layoutDevice());
        doc.setDocumentMargin(0);
        QTextCursor cursor(&doc);
        QTextBlockFormat spaced;
        spaced.setBottomMargin(100.0);
        cursor.setBlockFormat(spaced);
        cursor.insertText(QStringLiteral("x"));
        cursor.insertBlock(QTextBlockFormat());
        cursor.insertText(QStringLiteral("x"));
        const QTextBlock first = doc.begin();
        const double gap = first.next().layout()->position().y() - first.layout()->position().y() -
                           first.layout()->boundingRect().height();
        return gap > 1.0 ? gap / 100.0 : 1.0;
    }();
    return scale;
}

QTextBlockFormat blockFormat(const TextParagraph& p) {
    const double h = TextUnitsPerInch;
    const double v = TextUnitsPerInch / formatScale();
    QTextBlockFormat f;
    f.setAlignment(p.align);
    f.setLeftMargin(p.marginLeft * h);
    f.setRightMargin(p.marginRight * h);
    f.setTextIndent(p.indent * h);
    f.setTopMargin(p.marginTop * v);
    f.setBottomMargin(p.marginBottom * v);
    if (p.lineHeightPoints > 0) {
        f.setLineHeight(p.lineHeightPoints / runtime::PointsPerInch * v,
                        QTextBlockFormat::FixedHeight);
    } else if (p.lineHeightPercent > 0) {
        f.setLineHeight(p.lineHeightPercent * 100.0, QTextBlockFormat::ProportionalHeight);
    }
    return f;
}

// Draws the whole lines inside `clip` (document units) and no others, so that what a frame
// hides is not in the output at all (a PDF's text included).
void drawDocument(QPainter& painter, QTextDocument& doc, const QRectF& clip) {
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = clip.adjusted(0, 0.5, 0, -0.5);
    context.palette.setColor(QPalette::Text, Qt::black);
    painter.save();
    painter.setClipRect(clip, Qt::IntersectClip);
    paintBehindText(painter, doc, clip);
    doc.documentLayout()->draw(&painter, context);
    paintUnderlines(painter, doc, clip);
    painter.restore();
}

// Whether the frame may be condensed to fit: what it cannot hold does not go on in a linked
// frame, and some of it is set in a substitute font, whose widths may not be those the author
// saw.
bool condensable(const TextItem& text) {
    if (text.continuesInNextFrame) {
        return false;
    }
    for (const TextParagraph& p : text.paragraphs) {
        for (const TextSpan& span : p.spans) {
            if (!span.text.isEmpty() && chooseFont(span.family).substituted) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

std::unique_ptr<QTextDocument> layoutParagraphs(const std::vector<TextParagraph>& paragraphs,
                                                double widthInches) {
    auto doc = std::make_unique<QTextDocument>();
    doc->documentLayout()->setPaintDevice(layoutDevice());
    doc->setUseDesignMetrics(true);
    doc->setDocumentMargin(0);
    doc->setUndoRedoEnabled(false);
    QTextOption option = doc->defaultTextOption();
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setTabStopDistance(DefaultTabStop * TextUnitsPerInch / formatScale());
    doc->setDefaultTextOption(option);
    doc->setTextWidth(std::max(1.0, widthInches * TextUnitsPerInch));

    QTextCursor cursor(doc.get());
    QTextCharFormat lastFormat = charFormat(TextSpan{});
    bool first = true;
    for (const TextParagraph& p : paragraphs) {
        const QTextCharFormat blockChars =
            p.spans.empty() ? lastFormat : charFormat(p.spans.front());
        if (first) {
            cursor.setBlockFormat(blockFormat(p)), cursor.setBlockCharFormat(blockChars);
        } else {
            cursor.insertBlock(blockFormat(p), blockChars);
        }
        first = false;
        for (const TextSpan& span : p.spans) {
            lastFormat = charFormat(span);
            if (!span.text.isEmpty()) {
                cursor.insertText(span.text, lastFormat);
            }
        }
    }
    return doc;
}

std::unique_ptr<QTextDocument> textDocument(const TextItem& text, double columnWidthInches) {
    auto doc = layoutParagraphs(text.paragraphs, columnWidthInches);
    if (text.skippedCharacters > 0) {
        QTextCursor cursor(doc.get());
        const int end = std::min(text.skippedCharacters, doc->characterCount() - 1);
        // The continuation keeps the format of the paragraph it starts in.
        const QTextBlockFormat format = doc->findBlock(end).blockFormat();
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        cursor.setBlockFormat(format);
    }
    return doc;
}

void paintText(QPainter& painter, const TextItem& text) {
    const QRectF inner =
        text.box.adjusted(text.padLeft, text.padTop, -text.padRight, -text.padBottom);
    if (inner.width() <= 0 || inner.height() <= 0) {
        return;
    }
    const int columns = std::max(1, text.columns);
    const double columnWidth =
        std::max(0.01, (inner.width() - text.columnGap * (columns - 1)) / columns);
    auto doc = textDocument(text, columnWidth);
    const double u = TextUnitsPerInch;
    // Laid out `stretch` times wider and drawn that much narrower.
    const double stretch =
        condensable(text) ? condensedStretch(*doc, columnWidth * u, inner.height() * u, columns)
                          : 1.0;
    const double docHeight = doc->documentLayout()->documentSize().height() / u;

    painter.save();
    if (text.rotation != 0.0) {
        const QPointF centre = text.box.center();
        painter.translate(centre);
        painter.rotate(-text.rotation);
        painter.translate(-centre);
    }
    // Text that does not fit stays hidden, as it does in the layout program.
    painter.setClipRect(text.box, Qt::IntersectClip);
    if (columns == 1) {
        double top = inner.top();
        if (text.verticalAlign == Qt::AlignVCenter) {
            top += (inner.height() - docHeight) / 2;
        } else if (text.verticalAlign == Qt::AlignBottom) {
            top += inner.height() - docHeight;
        }
        painter.translate(inner.left(), std::max(top, inner.top()));
        painter.scale(stretch / u, 1 / u);
        // Lines that do not fit whole stay hidden, as in the layout program.
        const double shown = docHeight <= inner.height()
                                 ? docHeight * u
                                 : fittingHeight(*doc, 0, inner.height() * u);
        const double width = inner.width() * u / stretch;
        drawDocument(painter, *doc, QRectF(-width, 0, 3 * width, shown));
    } else {
        const std::vector<double> starts = columnStarts(*doc, inner.height() * u, columns);
        for (int c = 0; c < columns; ++c) {
            const double end = c + 1 < columns
                                   ? starts[c + 1]
                                   : starts[c] + fittingHeight(*doc, starts[c], inner.height() * u);
            painter.save();
            painter.translate(inner.left() + c * (columnWidth + text.columnGap), inner.top());
            painter.scale(stretch / u, 1 / u);
            painter.translate(0, -starts[c]);
            drawDocument(painter, *doc,
                         QRectF(0, starts[c], columnWidth * u / stretch, end - starts[c]));
            painter.restore();
        }
    }
    painter.restore();
}

void paintTable(QPainter& painter, const TableItem& table) {
    const std::size_t columns = table.columnWidths.size();
    const std::size_t rows = table.rowHeights.size();
    if (columns == 0 || rows == 0) {
        return;
    }
    // Widths and heights as stored, stretched to the table's box when they do not add up to it.
    auto edges = [](const std::vector<double>& sizes, double start, double total) {
        const double sum = std::accumulate(sizes.begin(), sizes.end(), 0.0);
        const double factor = sum > 0 ? total / sum : 0.0;
        std::vector<double> out{start};
        for (double s : sizes) {
            out.push_back(out.back() + (sum > 0 ? s * factor : total / double(sizes.size())));
        }
        return out;
    };
    const std::vector<double> xs = edges(table.columnWidths, table.box.left(), table.box.width());
    const std::vector<double> ys = edges(table.rowHeights, table.box.top(), table.box.height());

    painter.save();
    if (table.rotation != 0.0) {
        const QPointF centre = table.box.center();
        painter.translate(centre);
        painter.rotate(-table.rotation);
        painter.translate(-centre);
    }
    const double u = TextUnitsPerInch;
    for (const TableCell& cell : table.cells) {
        if (cell.paragraphs.empty() || std::size_t(cell.row) >= rows ||
            std::size_t(cell.column) >= columns) {
            continue;
        }
        const std::size_t lastColumn =
            std::min(columns, std::size_t(cell.column + cell.columnSpan));
        const std::size_t lastRow = std::min(rows, std::size_t(cell.row + cell.rowSpan));
        const QRectF area(QPointF(xs[cell.column], ys[cell.row]),
                          QPointF(xs[lastColumn], ys[lastRow]));
        const QRectF inner = area.adjusted(CellPadding, CellPadding, -CellPadding, -CellPadding);
        if (inner.width() <= 0 || inner.height() <= 0) {
            continue;
        }
        auto doc = layoutParagraphs(cell.paragraphs, inner.width());
        painter.save();
        painter.setClipRect(area, Qt::IntersectClip);
        painter.translate(inner.topLeft());
        painter.scale(1 / u, 1 / u);
        drawDocument(painter, *doc, QRectF(0, 0, inner.width() * u, area.height() * u));
        painter.restore();
    }
    painter.restore();
}

} // namespace lumetra::drawing
