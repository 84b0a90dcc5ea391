#pragma once
// The caption height as the user types it: centimetres with a decimal comma or point, read the
// same way on every machine whatever its regional settings.

#include <QString>

#include <optional>

namespace lumetra::printjob {

inline constexpr double AltezzaMinima = 0.3;
inline constexpr double AltezzaMassima = 9.0;

// The number the text stands for, or nothing when it is not a number. Surrounding blanks are
// allowed; grouping separators and exponents are not.
std::optional<double> ConvertiAltezza(const QString& testo);

} // namespace lumetra::printjob
