#pragma once
// Lengths of the layout maker: millimetres in what the user types and reads, points in the
// written file.

#include <QString>

#include <optional>

namespace lumetra::layoutwriter {

inline constexpr double PointsPerMm = 72.0 / 25.4;
inline constexpr double PointsPerInch = 72.0;

constexpr double mmToPoints(double mm) {
    return mm * PointsPerMm;
}
constexpr double pointsToMm(double points) {
    return points / PointsPerMm;
}

// A decimal number as users write it, with a decimal comma or a point ("12,5", "12.5", "7");
// no exponents, signs other than a leading minus, or group separators.
std::optional<double> parseDecimal(const QString& text);

// A length for messages and lists: millimetres with at most two decimals and a decimal comma
// ("63,5", "210", "99,06").
QString formatMm(double mm);

} // namespace lumetra::layoutwriter
