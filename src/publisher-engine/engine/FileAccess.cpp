#include "FileAccess.h"

#include "EngineErrors.h"
#include "Error.h"
#include "ErrorNumbers.h"
#include "FileNames.h"
#include "InputFile.h"

namespace lumetra::engine {

void checkReadableFile(const QString& path, const QString& what) {
    const QString shown = runtime::shownName(path);
    switch (runtime::checkInputFile(path).problem) {
    case 0:
        return;
    case runtime::ErrPermessoNegato:
        fail(runtime::ErrPermessoNegato,
             QStringLiteral("%1 '%2' non è accessibile: accesso negato").arg(what, shown));
    case runtime::ErrFileNonTrovato:
        fail(runtime::ErrFileNonTrovato, QStringLiteral("%1 '%2' non esiste").arg(what, shown));
    default:
        fail(runtime::ErrPercorsoNonValido,
             QStringLiteral("%1 '%2' non è un file leggibile").arg(what, shown));
    }
}

} // namespace lumetra::engine
