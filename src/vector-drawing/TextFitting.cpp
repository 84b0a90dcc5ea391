#include "TextFitting.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextLayout>

#include <algorithm>

namespace lumetra::drawing {

namespace {

constexpr double Slack = 0.5; // text units a line may pass the frame's edge by

} // namespace

int charactersAbove(const QTextDocument& doc, double bottom) {
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const QTextLayout* layout = b.layout();
        const double top = layout->position().y();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            if (top + line.y() + line.height() > bottom) {
                return b.position() + line.textStart();
            }
        }
    }
    return doc.characterCount() - 1;
}

namespace {

// Characters in the lines that fit the columns.
int fittingCharacters(QTextDocument& doc, double columnHeight, int columns) {
    doc.documentLayout()->documentSize(); // lays the text out
    const std::vector<double> starts = columnStarts(doc, columnHeight, columns);
    return charactersAbove(doc, starts.back() + columnHeight + Slack);
}

} // namespace

std::vector<double> columnStarts(QTextDocument& doc, double columnHeight, int columns) {
    std::vector<double> lineBottoms;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const QTextLayout* layout = b.layout();
        const QPointF origin = layout->position();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            lineBottoms.push_back(origin.y() + line.y() + line.height());
        }
    }
    std::vector<double> starts{0.0};
    for (int c = 1; c < columns; ++c) {
        const double limit = starts.back() + columnHeight;
        double best = starts.back();
        for (double bottom : lineBottoms) {
            if (bottom <= limit + Slack && bottom > best) {
                best = bottom;
            }
        }
        if (best <= starts.back()) {
            best = limit; // one line taller than the column: cut it
        }
        starts.push_back(best);
    }
    return starts;
}

double fittingHeight(QTextDocument& doc, double from, double limit) {
    double bottom = from;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const QTextLayout* layout = b.layout();
        const double top = layout->position().y();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            const double end = top + line.y() + line.height();
            if (top + line.y() >= from - Slack && end <= from + limit + Slack) {
                bottom = std::max(bottom, end);
            }
        }
    }
    return bottom - from;
}

double condensedStretch(QTextDocument& doc, double columnWidth, double columnHeight, int columns) {
    const int total = doc.characterCount() - 1;
    const int shown = fittingCharacters(doc, columnHeight, columns);
    if (shown >= total || total - shown > total / 10) {
        return 1.0;
    }
    auto fitsAt = [&](double stretch) {
        doc.setTextWidth(columnWidth / stretch);
        return fittingCharacters(doc, columnHeight, columns) >= total;
    };
    if (!fitsAt(MinimumStretch)) {
        doc.setTextWidth(columnWidth);
        return 1.0;
    }
    // The widest scale that fits, to half a percent.
    double fits = MinimumStretch, overflows = 1.0;
    while (overflows - fits > 0.005) {
        const double middle = (fits + overflows) / 2;
        (fitsAt(middle) ? fits : overflows) = middle;
    }
    fitsAt(fits);
    return fits;
}

} // namespace lumetra::drawing
