#pragma once
// Prices the Italian way: what a shop's list writes as 12,5 or 1.234,00 or 12.50 (or with a €
// before or after) comes out as "€ 12,50" or "€ 1.234,00".

#include <QString>

#include <optional>

namespace lumetra::catalogue {

// Whether a column holds prices: a word prezzo, prezzi, price, importo or listino in its name.
bool looksLikePriceColumn(const QString& name);

// The amount a cell writes, read with either decimal mark: of two marks the last is the decimal
// one; a lone comma is decimal; a lone point is decimal unless exactly three digits follow it
// ("1.234" is a thousand, as an Italian reads it). Nothing when the cell is no amount.
std::optional<double> priceValue(const QString& cell);

// "€ 1.234,50", two decimals; a cell that is no amount stays as it is, trimmed.
QString italianPrice(const QString& cell);

} // namespace lumetra::catalogue
