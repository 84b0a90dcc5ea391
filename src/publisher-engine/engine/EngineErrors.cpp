#include "EngineErrors.h"

namespace lumetra::engine {

void fail(std::int32_t number, const QString& description) {
    throw Publisher::Error(number, description);
}

} // namespace lumetra::engine
