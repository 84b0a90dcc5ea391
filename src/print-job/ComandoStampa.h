#pragma once
// The print command: validates the job's settings, has the pages composed and printed (or shown)
// and files the queued pictures as printed.

#include "FinestraStampa.h"

namespace lumetra::printjob {

// Checks the caption height, the layout file, the queue and each queued file (last entry first,
// offering to drop missing ones). Gives true when printing may go on.
bool ConvalidaImpostazioni(FinestraStampa& finestra);

// The whole command: busy pointer, validation, composition, filing; "Pronto" and the default
// pointer at the end of every path.
void cmdStampa_Click(FinestraStampa& finestra);

} // namespace lumetra::printjob
