#pragma once
// Whether an input file (a layout, a picture) can be read, and if not why, in the numbers of
// runtime::Error.h. The system's own reason is asked, so a refused access is told apart from a
// missing file (Qt reports every failed open alike). Nothing is ever opened for writing.

#include <QString>

#include <cstdint>

namespace lumetra::pub {

struct InputFileCheck {
    int problem = 0;       // 0, runtime::ErrFileNonTrovato, runtime::ErrPermessoNegato or
                           // runtime::ErrPercorsoNonValido
    std::int64_t size = 0; // bytes, when problem is 0
};

InputFileCheck checkInputFile(const QString& path);

} // namespace lumetra::pub
