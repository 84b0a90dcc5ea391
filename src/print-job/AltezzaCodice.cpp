#include "AltezzaCodice.h"

#include "Length.h"

namespace lumetra::printjob {

std::optional<double> ConvertiAltezza(const QString& testo) {
    return runtime::parseDecimal(testo);
}

} // namespace lumetra::printjob
