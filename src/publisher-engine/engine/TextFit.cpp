#include "TextFit.h"

#include <QFontMetricsF>
#include <QHash>

#include <cmath>
#include <memory>

namespace lumetra::engine {

namespace {

// Metrics of one font at the reference size, with the widths of the words seen so far.
struct FontEntry {
    explicit FontEntry(const QFont& f) : font(f), metrics(f) {}
    QFont font;
    QFontMetricsF metrics;
    QHash<QString, double> words;

    double width(const QString& word) {
        auto it = words.constFind(word);
        if (it != words.constEnd()) {
            return *it;
        }
        if (words.size() > 20000) {
            words.clear(); // bounded: a long run sees many different codes
        }
        const double w = metrics.horizontalAdvance(word);
        words.insert(word, w);
        return w;
    }
};

FontEntry& fontEntry(const TextStyle& style) {
    static QHash<QString, std::shared_ptr<FontEntry>> cache;
    const QString key = style.family + QLatin1Char('|') + QLatin1Char(style.bold ? 'B' : '-') +
                        QLatin1Char(style.italic ? 'I' : '-');
    auto it = cache.find(key);
    if (it == cache.end()) {
        it = cache.insert(key, std::make_shared<FontEntry>(referenceFont(style)));
    }
    return **it;
}

QStringList splitParagraphs(const QString& text) {
    QString normalised = text;
    normalised.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    normalised.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    normalised.replace(QLatin1Char('\v'), QLatin1Char('\n'));
    return normalised.split(QLatin1Char('\n'));
}

} // namespace

QFont referenceFont(const TextStyle& style) {
    QFont font(style.family);
    font.setPixelSize(static_cast<int>(MeasuredText::ReferenceSize));
    font.setBold(style.bold);
    font.setItalic(style.italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferOutline);
    return font;
}

MeasuredText::MeasuredText(const QString& text, const TextStyle& style) {
    FontEntry& entry = fontEntry(style);
    font_ = entry.font;
    space_ = entry.width(QStringLiteral(" "));
    ascent_ = entry.metrics.ascent();
    height_ = entry.metrics.ascent() + entry.metrics.descent();
    lineSpacing_ = entry.metrics.lineSpacing();
    if (text.isEmpty()) {
        return;
    }
    for (const QString& paragraphText : splitParagraphs(text)) {
        Paragraph paragraph;
        for (const QString& word : paragraphText.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            paragraph.push_back(Word{word, entry.width(word)});
        }
        paragraphs_.push_back(std::move(paragraph));
    }
}

int MeasuredText::countLines(double width) const {
    int count = 0;
    for (const Paragraph& paragraph : paragraphs_) {
        ++count;
        double line = -1;
        for (const Word& word : paragraph) {
            if (word.width > width) {
                return -1;
            }
            if (line < 0) {
                line = word.width;
            } else if (line + space_ + word.width <= width) {
                line += space_ + word.width;
            } else {
                ++count;
                line = word.width;
            }
        }
    }
    return count;
}

bool MeasuredText::fits(double size, QSizeF inner) const {
    if (isEmpty()) {
        return true;
    }
    if (size <= 0 || inner.width() <= 0 || inner.height() <= 0) {
        return false;
    }
    const double scale = ReferenceSize / size;
    // A hair of tolerance, so a box made exactly as wide as its text counts as fitting.
    const int count = countLines(inner.width() * scale + 1e-6);
    if (count < 0) {
        return false;
    }
    const double needed = height_ + (count - 1) * lineSpacing_;
    return needed <= inner.height() * scale + 1e-6;
}

double MeasuredText::bestFitSize(QSizeF inner) const {
    int low = static_cast<int>(std::lround(MinFontSize * 10));
    if (!fits(low / 10.0, inner)) {
        return MinFontSize;
    }
    // One line of the text's height is the most any text can take.
    double top = MaxFontSize;
    if (height_ > 0) {
        top = std::min(top, inner.height() * ReferenceSize / height_);
    }
    int high = std::max(low, static_cast<int>(std::floor(top * 10 + 1e-9)));
    if (fits(high / 10.0, inner)) {
        return high / 10.0;
    }
    while (high - low > 1) { // fits(low) and !fits(high)
        const int middle = low + (high - low) / 2;
        if (fits(middle / 10.0, inner)) {
            low = middle;
        } else {
            high = middle;
        }
    }
    return low / 10.0;
}

std::vector<MeasuredText::Line> MeasuredText::lines(double size, double innerWidth) const {
    std::vector<Line> result;
    if (size <= 0) {
        return result;
    }
    const double toPoints = size / ReferenceSize;
    const double width = innerWidth / toPoints + 1e-6;
    for (const Paragraph& paragraph : paragraphs_) {
        Line line;
        double lineWidth = -1;
        for (const Word& word : paragraph) {
            if (lineWidth < 0) {
                line.text = word.text;
                lineWidth = word.width;
            } else if (lineWidth + space_ + word.width <= width) {
                line.text += QLatin1Char(' ') + word.text;
                lineWidth += space_ + word.width;
            } else {
                line.width = lineWidth * toPoints;
                result.push_back(line);
                line.text = word.text;
                lineWidth = word.width;
            }
        }
        line.width = std::max(0.0, lineWidth) * toPoints;
        result.push_back(line);
    }
    return result;
}

} // namespace lumetra::engine
