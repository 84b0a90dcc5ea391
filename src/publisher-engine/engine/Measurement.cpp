#include "Measurement.h"

#include "EngineErrors.h"
#include "Length.h"

#include <cmath>

namespace lumetra::engine {

std::optional<double> parseMeasurement(const Publisher::Variant& value) {
    if (value.IsNumber()) {
        const double n = value.Number();
        return std::isfinite(n) ? std::optional<double>(n) : std::nullopt;
    }
    const auto length = runtime::parseLength(value.Text(), runtime::Unit::Point);
    return length ? std::optional<double>(length->points()) : std::nullopt;
}

double toPoints(const Publisher::Variant& value) {
    if (const auto points = parseMeasurement(value)) {
        return *points;
    }
    fail(runtime::ErrTipoNonValido, QStringLiteral("Misura non valida: '%1'").arg(value.Text()));
}

} // namespace lumetra::engine
