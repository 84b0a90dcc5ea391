#include "ContestoRigaDiComando.h"

#include <cstdio>

namespace lumetra::componi {
namespace {

void Scrivi(const QString& testo) {
    std::fputs(testo.toLocal8Bit().constData(), stderr);
    std::fputc('\n', stderr);
}

} // namespace

void ContestoRigaDiComando::ImpostaInformazioni(const QString& testo) {
    ContestoSemplice::ImpostaInformazioni(testo);
    if (dettagli_)
        Scrivi(testo);
}

void ContestoRigaDiComando::ImmagineNonInserita(const QString& nome, const QString& motivo) {
    ContestoSemplice::ImmagineNonInserita(nome, motivo);
    saltate.append(nome);
    // The engine's reason names the file itself.
    Scrivi(motivo.isEmpty() ? QStringLiteral("Impossibile aprire il file immagine specificato: "
                                             "'%1': immagine saltata")
                                  .arg(nome)
                            : QStringLiteral("%1: immagine saltata").arg(motivo));
}

void ContestoRigaDiComando::ImmagineDanneggiata(const QString& nome, const QString& motivo) {
    Scrivi(QStringLiteral("Attenzione: l'immagine '%1' è danneggiata: %2").arg(nome, motivo));
}

int ContestoRigaDiComando::MsgBox(const QString& messaggio, int stile, const QString& titolo) {
    ContestoSemplice::MsgBox(messaggio, stile, titolo);
    if (stile == composition::vbExclamationOKCancel) {
        // The only question of a composition: a picture that cannot be placed, already reported
        // through ImmagineNonInserita. Skip it.
        return composition::vbOK;
    }
    Scrivi(messaggio);
    return composition::vbOK;
}

} // namespace lumetra::componi
