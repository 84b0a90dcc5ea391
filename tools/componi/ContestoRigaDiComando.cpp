#include "ContestoRigaDiComando.h"

#include <QRegularExpression>

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

int ContestoRigaDiComando::MsgBox(const QString& messaggio, int stile, const QString& titolo) {
    ContestoSemplice::MsgBox(messaggio, stile, titolo);
    if (stile == composition::vbExclamationOKCancel) {
        // The only question of a composition: a picture that cannot be placed. Skip it.
        static const QRegularExpression nome(QStringLiteral("^[^']*'(.*)'\\. Prememere"));
        const auto m = nome.match(messaggio);
        const QString file = m.hasMatch() ? m.captured(1) : QString();
        saltate.append(file);
        Scrivi(QStringLiteral("Impossibile aprire il file immagine specificato: '%1': immagine "
                              "saltata")
                   .arg(file));
        return composition::vbOK;
    }
    Scrivi(messaggio);
    return composition::vbOK;
}

} // namespace lumetra::componi
