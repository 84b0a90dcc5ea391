#include "FileAccess.h"

#include "EngineErrors.h"
#include "InputFile.h"
#include "ReadError.h"

namespace lumetra::engine {

void checkReadableFile(const QString& path, const QString& what) {
    switch (pub::checkInputFile(path).problem) {
    case 0:
        return;
    case pub::ErrPermessoNegato:
        fail(ErrPermessoNegato,
             QStringLiteral("%1 '%2' non è accessibile: accesso negato").arg(what, path));
    case pub::ErrFileNonTrovato:
        fail(ErrFileNonTrovato, QStringLiteral("%1 '%2' non esiste").arg(what, path));
    default:
        fail(ErrPercorsoNonValido,
             QStringLiteral("%1 '%2' non è un file leggibile").arg(what, path));
    }
}

} // namespace lumetra::engine
