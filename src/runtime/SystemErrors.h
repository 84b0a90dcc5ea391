#pragma once
// The system's reasons for a failed file or printer operation, in Italian whatever the machine's
// language: every message the user reads names the cause in their language.

#include <QString>

namespace lumetra::runtime {

// The reason behind an error number of the system (errno), lower case, without a full stop
// ("file o cartella inesistente"). An unknown number gives "errore di sistema N".
QString systemErrorText(int error);

} // namespace lumetra::runtime
