#include "TextChains.h"

#include "TextFitting.h"
#include "TextPainter.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <map>

namespace lumetra::drawing {

namespace {

constexpr double ColumnWidthTolerance = 0.05; // inches

QString storyKey(const TextItem& text) {
    QString key;
    for (const TextParagraph& p : text.paragraphs) {
        for (const TextSpan& s : p.spans) {
            key += s.text + QChar(0x1F) + QString::number(s.size, 'g', 6) + s.family + QChar(0x1F);
        }
        key += QChar(0x1E);
    }
    return key;
}

int storyLength(const TextItem& text) {
    auto doc = layoutParagraphs(text.paragraphs, 1.0);
    return doc->characterCount() - 1;
}

} // namespace

int charactersThatFit(const TextItem& text) {
    const QRectF inner =
        text.box.adjusted(text.padLeft, text.padTop, -text.padRight, -text.padBottom);
    const int columns = std::max(1, text.columns);
    const double columnWidth =
        std::max(0.01, (inner.width() - text.columnGap * (columns - 1)) / columns);
    auto doc = textDocument(text, columnWidth);
    doc->documentLayout()->documentSize(); // lays the text out
    return charactersAbove(*doc, inner.height() * TextUnitsPerInch * columns + 0.5);
}

void linkTextFrames(RecordedPage& page) {
    std::map<QString, std::vector<TextItem*>> stories;
    for (DisplayItem& item : page.items) {
        if (auto* text = std::get_if<TextItem>(&item)) {
            if (text->rotation == 0.0 && !text->paragraphs.empty()) {
                stories[storyKey(*text)].push_back(text);
            }
        }
    }
    for (auto& [key, frames] : stories) {
        if (frames.size() < 2) {
            continue;
        }
        // Reading order of columns: left to right, then top to bottom.
        std::stable_sort(frames.begin(), frames.end(), [](const TextItem* a, const TextItem* b) {
            const double ax = std::round(a->box.left() * 20), bx = std::round(b->box.left() * 20);
            if (ax != bx) {
                return ax < bx;
            }
            return a->box.top() < b->box.top();
        });
        // Columns of one story share their width, give or take what the layout program rounds
        // away; copies of a text in boxes of other sizes are no chain.
        const double width = frames.front()->box.width();
        if (!std::all_of(frames.begin(), frames.end(), [&](const TextItem* t) {
                return std::abs(t->box.width() - width) < ColumnWidthTolerance;
            })) {
            continue;
        }
        // A story its first frame holds whole is a set of copies; one that runs over it, even
        // by a line, continues in the next frame.
        const int total = storyLength(*frames.front());
        int shown = charactersThatFit(*frames.front());
        if (shown >= total) {
            continue;
        }
        for (std::size_t i = 1; i < frames.size(); ++i) {
            frames[i]->skippedCharacters = std::min(shown, total);
            frames[i - 1]->continuesInNextFrame = true;
            if (shown < total) {
                shown += charactersThatFit(*frames[i]);
            }
        }
    }
}

} // namespace lumetra::drawing
