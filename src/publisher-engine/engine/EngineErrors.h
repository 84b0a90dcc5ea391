#pragma once
// The one way the built-in engine fails: Publisher::Error with a number of the runtime's table
// and an Italian description.

#include "ErrorNumbers.h"
#include "PublisherApi.h"

#include <QString>

#include <cstdint>

namespace lumetra::engine {

[[noreturn]] void fail(std::int32_t number, const QString& description);

} // namespace lumetra::engine
