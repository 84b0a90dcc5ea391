#pragma once
// A spreadsheet's number as the text of a code or a price: whole numbers as integers
// (12345678901234, never 1.23457E+13), others in the shortest decimal form that reads back as
// the same number, with a point (12.5, 0.1).

#include <QString>

namespace lumetra::catalogue {

QString numberText(double value);

} // namespace lumetra::catalogue
