#include "ContestoSemplice.h"

namespace lumetra::composition {

QString ContestoSemplice::TestoSelezionato(int indice) const {
    if (indice < 1 || indice > selezionati.size()) {
        return QString();
    }
    return selezionati.at(indice - 1);
}

void ContestoSemplice::ImpostaValoreProgresso(float valore) {
    valoreProgresso = valore;
    valoriProgresso.push_back(valore);
}

int ContestoSemplice::MsgBox(const QString& messaggio, int stile, const QString& titolo) {
    messaggi.push_back({messaggio, stile, titolo});
    return rispondi ? rispondi(messaggi.back()) : runtime::vbOK;
}

std::shared_ptr<Publisher::Application> ContestoSemplice::CreaApplicazione() {
    if (!fabbrica) {
        throw Publisher::Error(429, QStringLiteral("Nessuna applicazione disponibile"));
    }
    return fabbrica();
}

RispostaControllo ContestoSemplice::ControlloPrimaDellaStampa(const Controllo& controllo) {
    controlli.push_back(controllo);
    return rispondiControllo ? rispondiControllo(controllo) : RispostaControllo::Prosegui;
}

} // namespace lumetra::composition
