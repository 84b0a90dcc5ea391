#include "TextBox.h"

#include "PublisherApi.h"

#include <algorithm>

namespace lumetra::engine {

TextBox::TextBox(QSizeF boxSize) : box_(boxSize) {
    remeasure();
}

void TextBox::setText(const QString& text) {
    text_ = text;
    remeasure();
    refit();
}

void TextBox::setFamily(const QString& family) {
    if (family.trimmed().isEmpty()) {
        return; // an empty name keeps the font, as a font dialog without choice does
    }
    style_.family = family;
    remeasure();
    refit();
}

void TextBox::setBold(bool bold) {
    style_.bold = bold;
    remeasure();
    refit();
}

void TextBox::setItalic(bool italic) {
    style_.italic = italic;
    remeasure();
    refit();
}

void TextBox::setAutoFit(int mode) {
    autoFit_ = mode;
    refit();
}

void TextBox::setBoxSize(QSizeF size) {
    const bool newHeight = size.height() != box_.height();
    box_ = size;
    overflowing_.reset();
    if (newHeight) {
        refit();
    }
}

QSizeF TextBox::innerSize() const {
    return QSizeF(std::max(0.0, box_.width() - 2 * TextMargin),
                  std::max(0.0, box_.height() - 2 * TextMargin));
}

bool TextBox::overflowing() const {
    if (!overflowing_) {
        overflowing_ = !measured_.fits(size_, innerSize());
    }
    return *overflowing_;
}

void TextBox::remeasure() {
    measured_ = MeasuredText(text_, style_);
    overflowing_.reset();
}

void TextBox::refit() {
    overflowing_.reset();
    if (autoFit_ == Publisher::pbTextAutoFitBestFit && !measured_.isEmpty()) {
        size_ = measured_.bestFitSize(innerSize());
    }
}

} // namespace lumetra::engine
