#pragma once
// The character effects QTextDocument does not draw itself, painted around a laid-out document
// in its own units: underlines of every style (dotted to wave, double, thick, under words only)
// over the text, shadow and relief copies behind it. Only whole lines inside `clip` are
// decorated, as only they are drawn.

#include "CharacterEffects.h"

#include <QTextCharFormat>

class QPainter;
class QTextDocument;

namespace lumetra::drawing {

// Keeps a span's effects in the character format its text is laid out with.
void storeEffects(QTextCharFormat& format, const CharacterEffects& effects, double unitsPerInch);

void paintBehindText(QPainter& painter, const QTextDocument& doc, const QRectF& clip);
void paintUnderlines(QPainter& painter, const QTextDocument& doc, const QRectF& clip);

} // namespace lumetra::drawing
