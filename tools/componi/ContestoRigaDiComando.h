#pragma once
// The composition's surroundings on a command line: message boxes become lines on stderr, a
// picture that cannot be placed is skipped (the 'Ok' answer) and remembered, a damaged one is
// a warning.

#include "ContestoSemplice.h"

namespace lumetra::componi {

class ContestoRigaDiComando : public composition::ContestoSemplice {
public:
    explicit ContestoRigaDiComando(bool dettagli) : dettagli_(dettagli) {}

    // Files that were skipped: missing before the run, or not placed during it.
    QStringList saltate;

    void ImpostaInformazioni(const QString& testo) override;
    void ImmagineNonInserita(const QString& nome, const QString& motivo) override;
    void ImmagineDanneggiata(const QString& nome, const QString& motivo) override;
    int MsgBox(const QString& messaggio, int stile, const QString& titolo) override;

private:
    bool dettagli_;
};

} // namespace lumetra::componi
