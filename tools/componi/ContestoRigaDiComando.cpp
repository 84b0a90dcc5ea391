#include "ContestoRigaDiComando.h"

#include "Diagnostics.h"
#include "FileNames.h"
#include "PercorsoFile.h"

#include <sys/stat.h>

namespace lumetra::componi {
namespace {

void Scrivi(const QString& testo) {
    runtime::tellUser(testo); // fd 2 is led away from the terminal, for the libraries
}

} // namespace

void ContestoRigaDiComando::ImpostaInformazioni(const QString& testo) {
    ContestoSemplice::ImpostaInformazioni(testo);
    if (dettagli_) {
        Scrivi(testo);
    }
}

void ContestoRigaDiComando::ImmagineNonInserita(const QString& nome, const QString& motivo) {
    ContestoSemplice::ImmagineNonInserita(nome, motivo);
    if (!saltate.contains(nome)) { // asked again when the job is composed again
        saltate.append(nome);
    }
    // The engine's reason names the file itself.
    Scrivi(motivo.isEmpty() ? QStringLiteral("Impossibile aprire il file immagine specificato: "
                                             "'%1': immagine saltata")
                                  .arg(nome)
                            : QStringLiteral("%1: immagine saltata").arg(motivo));
}

void ContestoRigaDiComando::RimuoviSelezionato(int indice) {
    const QString nome = TestoSelezionato(indice);
    Scrivi(QStringLiteral("Impossibile trovare il file immagine specificato: '%1': immagine "
                          "saltata")
               .arg(composition::PercorsoFile(indirizzo, nome)));
    saltate.prepend(nome); // the print command drops missing files from the last one back
    selezionati.removeAt(indice - 1);
}

bool ContestoRigaDiComando::FileExists(const QString& percorso) const {
    struct stat stato {};
    return ::stat(runtime::nativeName(percorso).constData(), &stato) == 0 && S_ISREG(stato.st_mode);
}

void ContestoRigaDiComando::ImmagineDanneggiata(const QString& nome, const QString& motivo) {
    Scrivi(QStringLiteral("Attenzione: l'immagine '%1' è danneggiata: %2").arg(nome, motivo));
}

int ContestoRigaDiComando::MsgBox(const QString& messaggio, int stile, const QString& titolo) {
    ContestoSemplice::MsgBox(messaggio, stile, titolo);
    if (stile == runtime::vbExclamationOKCancel) {
        // The job's only questions: a picture that is missing, cannot be placed or cannot be
        // drawn when printed, reported through RimuoviSelezionato and ImmagineNonInserita. Skip
        // it.
        return runtime::vbOK;
    }
    Scrivi(messaggio);
    return runtime::vbOK;
}

composition::RispostaControllo
ContestoRigaDiComando::ControlloPrimaDellaStampa(const composition::Controllo& controllo) {
    using composition::RispostaControllo;
    // Kept in `controlli`: the job reached the check, and what it found.
    ContestoSemplice::ControlloPrimaDellaStampa(controllo);
    for (const composition::Rilievo& rilievo : controllo.rilievi) {
        Scrivi(QStringLiteral("avviso: %1: '%2': %3")
                   .arg(composition::NomeTipo(rilievo.tipo), rilievo.file, rilievo.testo));
    }
    const bool salta = !soloControllo && controllo.HaDanneggiate() && !includiDanneggiate;
    if (!salta) {
        Scrivi(controllo.riepilogo.Testo());
    }
    if (soloControllo) {
        return RispostaControllo::Annulla;
    }
    if (!salta) {
        return RispostaControllo::Prosegui;
    }
    for (const composition::Rilievo& rilievo : controllo.rilievi) {
        if (rilievo.tipo == composition::TipoRilievo::Danneggiata) {
            saltate.append(rilievo.file);
        }
    }
    return RispostaControllo::SaltaDanneggiate;
}

// The summary of the job as it will be printed, the damaged pictures left out.
void ContestoRigaDiComando::LavoroRicomposto(const composition::Controllo& controllo) {
    Scrivi(controllo.riepilogo.Testo());
}

} // namespace lumetra::componi
