#pragma once
// Lengths of the layout maker: millimetres in what the user types and reads, points in the
// written file.

#include "Length.h"

#include <QString>

#include <optional>

namespace lumetra::layoutwriter {

inline constexpr double PointsPerMm = runtime::Length::pointsPer(runtime::Unit::Millimetre);
using runtime::parseDecimal;
using runtime::PointsPerInch;

constexpr double mmToPoints(double mm) {
    return mm * PointsPerMm;
}
constexpr double pointsToMm(double points) {
    return points / PointsPerMm;
}

// A length for messages and lists: millimetres with at most two decimals and a decimal comma
// ("63,5", "210", "99,06").
QString formatMm(double mm);

// A length given in millimetres, for messages in centimetres: "0,7", "2,45".
QString formatCm(double mm);

} // namespace lumetra::layoutwriter
