#pragma once
// The one way a price list is refused: a runtime::Error numbered ErrListinoNonValido whose text
// names the file (by its name alone) and, where there is one, the row.

#include "Error.h"

#include <QString>

namespace lumetra::catalogue {

// "Listino 'x.csv', riga 7: virgolette non chiuse"; row 0 leaves the row out.
runtime::Error priceListError(const QString& path, int row, const QString& problem);

} // namespace lumetra::catalogue
