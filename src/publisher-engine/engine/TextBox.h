#pragma once
// The text of a text box: content, font, alignment, size and the fit rules.
//
// Best fit (AutoFitText 2) picks the largest size at which the text fits the box inside its
// margins. Like the publishing application, it lays the text out again when the text, the font
// or the box's height change, or when best fit is switched on; moving the box or changing only
// its width keeps the size, so a box can be narrowed to its text at the size it has (the
// caption loops rely on this). Overflowing compares the text at its current size with the box
// as it is now, whatever the fit mode.

#include "Length.h"

#include "TextFit.h"

#include <QSizeF>
#include <QString>

#include <optional>

namespace lumetra::engine {

// Internal margins of a text box: 0.04 in on each side.
inline constexpr double TextMargin = 0.04 * runtime::PointsPerInch;

class TextBox {
public:
    explicit TextBox(QSizeF boxSize = {});

    const QString& text() const { return text_; }
    void setText(const QString& text);
    const TextStyle& style() const { return style_; }
    void setFamily(const QString& family);
    void setBold(bool bold);
    void setItalic(bool italic);
    int alignment() const { return alignment_; }
    void setAlignment(int alignment) { alignment_ = alignment; }
    int autoFit() const { return autoFit_; }
    void setAutoFit(int mode);
    double fontSize() const { return size_; }

    // The box changed size (points). A new height lays the text out again under best fit.
    void setBoxSize(QSizeF size);
    QSizeF innerSize() const;

    bool overflowing() const;
    const MeasuredText& measured() const { return measured_; }

private:
    void remeasure();
    void refit();

    QString text_;
    TextStyle style_;
    int alignment_ = 0;
    int autoFit_ = 0;
    double size_ = 10.0;
    QSizeF box_;
    MeasuredText measured_;
    mutable std::optional<bool> overflowing_;
};

} // namespace lumetra::engine
