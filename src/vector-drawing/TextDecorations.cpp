#include "TextDecorations.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <QPainterPath>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>

namespace lumetra::drawing {

namespace {

enum Property {
    UnderlineKind = QTextFormat::UserProperty + 0x100,
    UnderlineFlags, // DoubleLine | BoldLine | WordsOnly
    UnderlineColour,
    BehindOffset, // text units
    BehindColour,
};
enum Flag { DoubleLine = 1, BoldLine = 2, WordsOnly = 4 };

QColor mixed(const QColor& a, const QColor& b, double share) {
    return QColor::fromRgbF(float(a.redF() * (1 - share) + b.redF() * share),
                            float(a.greenF() * (1 - share) + b.greenF() * share),
                            float(a.blueF() * (1 - share) + b.blueF() * share));
}

// Calls `visit(layout, line, from, to, format, text)` for every piece of a whole line inside
// `clip` that is set in one format; positions are within the block, whose text is `text`.
template <typename Visit>
void forEachPiece(const QTextDocument& doc, const QRectF& clip, Visit visit) {
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const QTextLayout* layout = b.layout();
        const QString text = b.text();
        const double top = layout->position().y();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            if (top + line.y() < clip.top() - 0.5 ||
                top + line.y() + line.height() > clip.bottom() + 0.5) {
                continue;
            }
            const int lineEnd = line.textStart() + line.textLength();
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                const int from = std::max(fragment.position() - b.position(), line.textStart());
                const int to = std::min({fragment.position() - b.position() + fragment.length(),
                                         lineEnd, int(text.size())});
                if (from < to) {
                    visit(*layout, line, from, to, fragment.charFormat(), text);
                }
            }
        }
    }
}

// The stretches of [from, to) a line is drawn under: all of it but the spaces that end the
// line, or each word alone.
std::vector<std::pair<int, int>> underlinedStretches(const QString& text, int from, int to,
                                                     int lineEnd, bool wordsOnly) {
    std::vector<std::pair<int, int>> out;
    if (!wordsOnly) {
        int end = to;
        while (end == lineEnd && end > from && text.at(end - 1).isSpace()) {
            --end, --lineEnd;
        }
        if (end > from) {
            out.emplace_back(from, end);
        }
        return out;
    }
    for (int i = from; i < to;) {
        while (i < to && text.at(i).isSpace()) {
            ++i;
        }
        const int start = i;
        while (i < to && !text.at(i).isSpace()) {
            ++i;
        }
        if (i > start) {
            out.emplace_back(start, i);
        }
    }
    return out;
}

QPen underlinePen(UnderlineStyle style, const QColor& colour, double thickness) {
    QPen pen(colour, thickness, Qt::SolidLine, Qt::FlatCap);
    switch (style) {
    case UnderlineStyle::Dotted:
        pen.setDashPattern({1, 1.5});
        break;
    case UnderlineStyle::Dash:
        pen.setDashPattern({4, 2});
        break;
    case UnderlineStyle::LongDash:
        pen.setDashPattern({8, 3});
        break;
    case UnderlineStyle::DotDash:
        pen.setDashPattern({4, 2, 1, 2});
        break;
    case UnderlineStyle::DotDotDash:
        pen.setDashPattern({4, 2, 1, 2, 1, 2});
        break;
    default:
        break;
    }
    return pen;
}

void drawUnderline(QPainter& painter, UnderlineStyle style, const QPen& pen, double x1, double x2,
                   double y) {
    if (style != UnderlineStyle::Wave) {
        painter.setPen(pen);
        painter.drawLine(QPointF(x1, y), QPointF(x2, y));
        return;
    }
    const double amplitude = pen.widthF() * 1.2, half = pen.widthF() * 3;
    QPainterPath wave(QPointF(x1, y));
    for (double x = x1, sign = -1; x < x2; x += half, sign = -sign) {
        const double next = std::min(x + half, x2);
        wave.quadTo(QPointF((x + next) / 2, y + sign * amplitude * 2), QPointF(next, y));
    }
    painter.strokePath(wave, pen);
}

void underlinePiece(QPainter& painter, const QTextLayout& layout, const QTextLine& line, int from,
                    int to, const QTextCharFormat& format, const QString& text,
                    QPaintDevice* device) {
    const auto style = UnderlineStyle(format.intProperty(UnderlineKind));
    if (style == UnderlineStyle::None) {
        return;
    }
    const int flags = format.intProperty(UnderlineFlags);
    const QFontMetricsF metrics(format.font(), device);
    const double thickness = std::max(1.0, metrics.lineWidth()) * (flags & BoldLine ? 2 : 1);
    const QPen pen = underlinePen(style, format.colorProperty(UnderlineColour), thickness);
    const QPointF origin = layout.position();
    const double y = origin.y() + line.y() + line.ascent() + metrics.underlinePos();
    const int lineEnd = line.textStart() + line.textLength();
    for (const auto& [start, end] :
         underlinedStretches(text, from, to, lineEnd, flags & WordsOnly)) {
        const double x1 = origin.x() + line.cursorToX(start);
        const double x2 = origin.x() + line.cursorToX(end);
        drawUnderline(painter, style, pen, x1, x2, y);
        if (flags & DoubleLine) {
            drawUnderline(painter, style, pen, x1, x2, y + thickness * 2);
        }
    }
}

} // namespace

void storeEffects(QTextCharFormat& format, const CharacterEffects& effects, double unitsPerInch) {
    const QColor colour = format.foreground().color();
    const double points = format.font().pointSizeF();
    format.setProperty(UnderlineKind, int(effects.underline));
    format.setProperty(UnderlineFlags, (effects.doubleUnderline ? DoubleLine : 0) |
                                           (effects.boldUnderline ? BoldLine : 0) |
                                           (effects.wordsOnly ? WordsOnly : 0));
    format.setProperty(UnderlineColour, colour);
    if (effects.outline) {
        format.setTextOutline(QPen(colour, std::max(1.0, points * unitsPerInch / 72 / 48)));
        format.setForeground(QColor(Qt::transparent));
    }
    if (effects.relief != Relief::None) {
        // Light letters with a dark edge: raised towards the light (top left), or cut in.
        const double edge = std::max(0.5, points * 0.05) * unitsPerInch / 72;
        const double sign = effects.relief == Relief::Embossed ? 1 : -1;
        format.setProperty(BehindOffset, QPointF(edge, edge) * sign);
        format.setProperty(BehindColour, colour);
        format.setForeground(mixed(colour, Qt::white, 0.75));
    } else if (effects.shadow) {
        format.setProperty(BehindOffset, effects.shadowOffset * unitsPerInch);
        format.setProperty(BehindColour, mixed(colour, Qt::white, 0.55));
    }
}

void paintBehindText(QPainter& painter, const QTextDocument& doc, const QRectF& clip) {
    forEachPiece(doc, clip,
                 [&](const QTextLayout& layout, const QTextLine& line, int from, int to,
                     const QTextCharFormat& format, const QString&) {
                     if (!format.hasProperty(BehindOffset)) {
                         return;
                     }
                     painter.setPen(format.colorProperty(BehindColour));
                     const QPointF at =
                         layout.position() + format.property(BehindOffset).toPointF();
                     for (const QGlyphRun& run : line.glyphRuns(from, to - from)) {
                         painter.drawGlyphRun(at, run);
                     }
                 });
}

void paintUnderlines(QPainter& painter, const QTextDocument& doc, const QRectF& clip) {
    QPaintDevice* device = doc.documentLayout()->paintDevice();
    forEachPiece(doc, clip,
                 [&](const QTextLayout& layout, const QTextLine& line, int from, int to,
                     const QTextCharFormat& format, const QString& text) {
                     underlinePiece(painter, layout, line, from, to, format, text, device);
                 });
}

} // namespace lumetra::drawing
