#pragma once
// lumetra-componi and saved jobs: a job read back as the options that give its settings, and the
// command line's job written as a saved one.

#include "ArgomentiComponi.h"
#include "ContestoRigaDiComando.h"
#include "LavoroSalvato.h"
#include "RigaDiComando.h"

#include <vector>

namespace lumetra::componi {

// The job's settings as option words, one for each setting (its queue apart).
std::vector<rigadicomando::Parola> ParoleDelLavoro(const composition::LavoroSalvato& lavoro);

// The job's settings in the context the print command reads.
void Imposta(ContestoRigaDiComando& contesto, const Argomenti& a);

// The command line's job, its paths made whole from the working folder.
composition::LavoroSalvato LavoroDi(const Argomenti& a);

// Saves the command line's job into a.salvaLavoro (replacing only a saved job) and says where,
// or why not; the exit code, 0 or 1.
int SalvaLavoro(const Argomenti& a);

} // namespace lumetra::componi
