#pragma once
// The order in which a list sorted by name shows file names: numbers by their value and letters
// regardless of case, so that "ART-2.jpg" comes before "ART-10.jpg" and "art-3.jpg" between them.

#include <QString>

namespace lumetra::mainwindow {

// Negative when `a` comes before `b`, positive when after, 0 only for equal texts. Names that
// differ only in leading zeros or in case are told apart last, fewer zeros and capitals first.
int ConfrontoNaturale(const QString& a, const QString& b);

} // namespace lumetra::mainwindow
