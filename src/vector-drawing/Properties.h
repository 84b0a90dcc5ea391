#pragma once
// Reading librevenge property lists: lengths in inches, colours, percentages, character effects.

#include "CharacterEffects.h"

#include <librevenge/librevenge.h>

#include <QColor>
#include <QString>

#include <optional>

namespace lumetra::drawing::props {

bool has(const librevenge::RVNGPropertyList& list, const char* name);
QString string(const librevenge::RVNGPropertyList& list, const char* name);
// A length converted to inches (points, twips and inches are understood).
std::optional<double> inches(const librevenge::RVNGPropertyList& list, const char* name);
double inchesOr(const librevenge::RVNGPropertyList& list, const char* name, double fallback);
std::optional<int> integer(const librevenge::RVNGPropertyList& list, const char* name);
std::optional<double> number(const librevenge::RVNGPropertyList& list, const char* name);
// A fraction from "50%" or from a percent property (0.5); `fallback` when absent.
double fraction(const librevenge::RVNGPropertyList& list, const char* name, double fallback);
// "#rrggbb"; `fallback` when absent or malformed.
QColor color(const librevenge::RVNGPropertyList& list, const char* name, QColor fallback);
// A span's underline (style:text-underline-style, -type, -width, -mode), outline
// (style:text-outline), relief (style:font-relief) and shadow (fo:text-shadow "1pt 1pt").
CharacterEffects characterEffects(const librevenge::RVNGPropertyList& list);

} // namespace lumetra::drawing::props
