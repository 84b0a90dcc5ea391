#include "ComandoStampa.h"

#include "AltezzaCodice.h"
#include "ComponiDocumento.h"
#include "PercorsoFile.h"

namespace lumetra::printjob {

namespace {

bool rifiuta(FinestraStampa& finestra, const QString& messaggio, int stile) {
    finestra.MsgBox(messaggio, stile, runtime::ApplicationTitle);
    return false;
}

} // namespace

bool ConvalidaImpostazioni(FinestraStampa& finestra) {
    finestra.ImpostaInformazioni(QStringLiteral("Convalida impostazioni in corso..."));

    const std::optional<double> altezza = ConvertiAltezza(finestra.TestoAltezzaCodiceArticolo());
    if (!altezza) {
        return rifiuta(finestra, QStringLiteral("L'altezza del codice articolo non è valida"),
                       runtime::vbExclamation);
    }
    if (!(*altezza >= AltezzaMinima && *altezza <= AltezzaMassima)) {
        return rifiuta(finestra,
                       QStringLiteral("L'altezza del codice articolo deve essere compresa tra 0,3 "
                                      "e 9,0 centimetri"),
                       runtime::vbExclamation);
    }
    const QString layout = finestra.TestoLayout();
    if (!finestra.FileExists(layout)) {
        return rifiuta(finestra,
                       QStringLiteral("Impossibile trovare il file di layout specificato: '") +
                           layout + QLatin1Char('\''),
                       runtime::vbExclamation);
    }
    if (finestra.NumeroSelezionati() == 0) {
        return rifiuta(finestra,
                       QStringLiteral("Per eseguire l'operazione di stampa è necessario "
                                      "specificare almeno un file"),
                       runtime::vbInformation);
    }
    const int numero = finestra.NumeroSelezionati();
    for (int i = numero; i >= 1; --i) {
        const QString percorso =
            composition::PercorsoFile(finestra.TestoIndirizzo(), finestra.TestoSelezionato(i));
        if (finestra.FileExists(percorso)) {
            continue;
        }
        const int risposta = finestra.MsgBox(
            QStringLiteral("Impossibile trovare il file immagine specificato: '") + percorso +
                QStringLiteral("'. Prememere 'Ok' per ignorare il file e proseguire, 'Annulla' "
                               "per terminare l'operazione"),
            runtime::vbExclamationOKCancel, runtime::ApplicationTitle);
        if (risposta != runtime::vbOK) {
            return false;
        }
        finestra.RimuoviSelezionato(i);
    }
    return true;
}

void cmdStampa_Click(FinestraStampa& finestra) {
    finestra.ImpostaPuntatore(runtime::vbArrowHourglass);
    if (ConvalidaImpostazioni(finestra)) {
        const bool anteprima = finestra.StatoAnteprima() == runtime::vbChecked;
        if (composition::ComponiDocumento(finestra, anteprima)) {
            finestra.SpostaStampati();
        }
    }
    finestra.ImpostaInformazioni(QStringLiteral("Pronto"));
    finestra.ImpostaPuntatore(runtime::vbDefault);
}

} // namespace lumetra::printjob
