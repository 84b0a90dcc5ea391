#include "Measures.h"

namespace lumetra::layoutwriter {

QString formatMm(double mm) {
    return runtime::formatDecimal(mm);
}

QString formatCm(double mm) {
    return formatMm(mm / 10);
}

} // namespace lumetra::layoutwriter
