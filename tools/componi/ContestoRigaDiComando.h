#pragma once
// The print command's window on a command line: the settings are plain values, message boxes
// become lines on stderr, a picture that is missing, cannot be placed or cannot be drawn when
// printed is skipped (the 'Ok' answer) and remembered, a damaged one is a warning.

#include "ContestoSemplice.h"
#include "FinestraStampa.h"

namespace lumetra::componi {

class ContestoRigaDiComando : public composition::ContestoSemplice,
                              public printjob::FinestraStampa {
public:
    explicit ContestoRigaDiComando(bool dettagli) : dettagli_(dettagli) {}

    // Files that were skipped: missing before the run, or not placed or not drawn during it.
    QStringList saltate;
    // True once the print command filed the queue as printed: the job ran to its end.
    bool stampato = false;

    void ImpostaInformazioni(const QString& testo) override;
    void ImmagineNonInserita(const QString& nome, const QString& motivo) override;
    void ImmagineDanneggiata(const QString& nome, const QString& motivo) override;
    int MsgBox(const QString& messaggio, int stile, const QString& titolo) override;

    void RimuoviSelezionato(int indice) override;
    int StatoAnteprima() const override { return runtime::vbUnchecked; }
    void SpostaStampati() override { stampato = true; }
    bool FileExists(const QString& percorso) const override;
    void ImpostaPuntatore(int) override {}

private:
    bool dettagli_;
};

} // namespace lumetra::componi
