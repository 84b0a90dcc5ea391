#pragma once
// Whether an input file (a layout, a picture) can be read, and if not why, in the numbers of
// runtime::Error.h. The system's own reason is asked, so a refused access is told apart from a
// missing file (Qt reports every failed open alike). Nothing is ever opened for writing. Names
// are carried as runtime::nativeName describes, so a name that is not UTF-8 is found.

#include <QByteArray>
#include <QString>

#include <optional>

#include <cstdint>

namespace lumetra::runtime {

struct InputFileCheck {
    int problem = 0;       // 0, runtime::ErrFileNonTrovato, runtime::ErrPermessoNegato or
                           // runtime::ErrPercorsoNonValido
    std::int64_t size = 0; // bytes, when problem is 0
};

InputFileCheck checkInputFile(const QString& path);

// The first `limit` + 1 bytes of the regular file `path` (one more than allowed shows a file too
// large); nothing when it cannot be read.
std::optional<QByteArray> readInputFile(const QString& path, std::int64_t limit);

} // namespace lumetra::runtime
