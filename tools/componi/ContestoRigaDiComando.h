#pragma once
// The print command's window on a command line: the settings are plain values, message boxes
// become lines on stderr, a picture that is missing, cannot be placed or cannot be drawn when
// printed is skipped (the 'Ok' answer) and remembered, a damaged one is a warning. The check
// before printing is a list of warnings and the job's summary; damaged pictures are skipped
// unless asked for, and a check alone stops the job there.

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
    // The check alone: the job stops after it, nothing printed or written.
    bool soloControllo = false;
    // Damaged pictures are placed with what they hold instead of being skipped.
    bool includiDanneggiate = false;

    void ImpostaInformazioni(const QString& testo) override;
    void ImmagineNonInserita(const QString& nome, const QString& motivo) override;
    void ImmagineDanneggiata(const QString& nome, const QString& motivo) override;
    int MsgBox(const QString& messaggio, int stile, const QString& titolo) override;
    composition::RispostaControllo
    ControlloPrimaDellaStampa(const composition::Controllo& controllo) override;
    void LavoroRicomposto(const composition::Controllo& controllo) override;
    bool SoloControllo() const override { return soloControllo; }

    void RimuoviSelezionato(int indice) override;
    int StatoAnteprima() const override { return runtime::vbUnchecked; }
    void SpostaStampati() override { stampato = true; }
    bool FileExists(const QString& percorso) const override;
    void ImpostaPuntatore(int) override {}

private:
    bool dettagli_;
};

} // namespace lumetra::componi
