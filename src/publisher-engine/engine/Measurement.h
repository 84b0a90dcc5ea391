#pragma once
// Positions and sizes as the object model passes them: a number of points, or a measurement
// text such as "0,7 cm", "12 mm", "1.5 in", "10pt" (decimal comma or point, optional blanks).
// A text without unit is points.

#include "PublisherApi.h"

#include <optional>

namespace lumetra::engine {

// Points, or nothing when the text is not a measurement (or the number is not finite).
std::optional<double> parseMeasurement(const Publisher::Variant& value);

// Points; throws Publisher::Error (runtime::ErrTipoNonValido) naming the text when it is no
// measurement.
double toPoints(const Publisher::Variant& value);

} // namespace lumetra::engine
