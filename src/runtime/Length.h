#pragma once
// Lengths in the units the system meets (points, twips, centimetres, millimetres, inches) and the
// one reader of the numbers and measurements users and callers type: "0,7", "9,0 cm", "12 mm",
// "1.5 in", "10pt". A decimal comma and a decimal point are both read, the same way on every
// machine whatever its regional settings.

#include <QString>
#include <QStringView>

#include <optional>

namespace lumetra::runtime {

inline constexpr double PointsPerInch = 72.0;
inline constexpr double TwipsPerInch = 1440.0;
inline constexpr double CentimetresPerInch = 2.54;
inline constexpr double MillimetresPerInch = 25.4;
inline constexpr double TwipsPerPoint = TwipsPerInch / PointsPerInch;

enum class Unit { Point, Twip, Centimetre, Millimetre, Inch };

// A length, held in points.
class Length {
public:
    constexpr Length() = default;
    static constexpr Length in(double amount, Unit unit) {
        return Length(amount * pointsPer(unit));
    }
    static constexpr Length points(double amount) { return Length(amount); }
    static constexpr Length twips(double amount) { return in(amount, Unit::Twip); }
    static constexpr Length centimetres(double amount) { return in(amount, Unit::Centimetre); }
    static constexpr Length millimetres(double amount) { return in(amount, Unit::Millimetre); }
    static constexpr Length inches(double amount) { return in(amount, Unit::Inch); }

    constexpr double to(Unit unit) const { return points_ / pointsPer(unit); }
    constexpr double points() const { return points_; }
    constexpr double twips() const { return to(Unit::Twip); }
    constexpr double centimetres() const { return to(Unit::Centimetre); }
    constexpr double millimetres() const { return to(Unit::Millimetre); }
    constexpr double inches() const { return to(Unit::Inch); }
    // Device pixels at the given dots per inch.
    constexpr double pixels(double dotsPerInch) const { return inches() * dotsPerInch; }

    constexpr bool operator==(const Length&) const = default;

    static constexpr double pointsPer(Unit unit) {
        switch (unit) {
        case Unit::Twip:
            return 1.0 / TwipsPerPoint;
        case Unit::Centimetre:
            return PointsPerInch / CentimetresPerInch;
        case Unit::Millimetre:
            return PointsPerInch / MillimetresPerInch;
        case Unit::Inch:
            return PointsPerInch;
        case Unit::Point:
            break;
        }
        return 1.0;
    }

private:
    constexpr explicit Length(double points) : points_(points) {}
    double points_ = 0.0;
};

// A plain decimal number: optional sign, digits with a decimal comma or point ("0,7", "-3",
// ".5", "12."), blanks around it allowed; no exponent, no group separators. Nothing when the
// text is no such number or it does not fit a double.
std::optional<double> parseDecimal(QStringView text);

// A number followed by an optional unit: "cm", "mm", "in" or '"', "pt" (any case, blanks
// allowed between). A number without unit is in `bare`.
std::optional<Length> parseLength(QStringView text, Unit bare);

// A number for messages and lists: at most two decimals, none that are zero, a decimal comma
// ("63,5", "210", "0,75").
QString formatDecimal(double value);

} // namespace lumetra::runtime
