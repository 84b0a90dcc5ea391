#include "LavoroComponi.h"

#include "Diagnostics.h"

#include <QDir>

namespace lumetra::componi {
namespace {

// A path as given on the command line, whole: the saved job is read from elsewhere.
QString Completo(const QString& percorso) {
    return percorso.isEmpty() ? percorso
                              : QDir::cleanPath(QDir::current().absoluteFilePath(percorso));
}

} // namespace

std::vector<rigadicomando::Parola> ParoleDelLavoro(const composition::LavoroSalvato& l) {
    std::vector<rigadicomando::Parola> parole{
        {QStringLiteral("--layout"), l.layout},
        {QStringLiteral("--cartella"), l.cartella},
        {QStringLiteral("--esterno"), QString::number(l.codiceEsterno)},
        {QStringLiteral("--interno"), QString::number(l.codiceInterno)},
        {QStringLiteral("--altezza"), l.altezza},
        {QStringLiteral("--font"), l.nomeFont},
        {QStringLiteral("--copie"), l.copie},
        {QStringLiteral("--adattamento"), NomeAdattamento(l.adattamento)},
        {QStringLiteral("--listino"), l.listino},
        {QStringLiteral("--chiave"), l.chiave},
        {QStringLiteral("--testo-esterno"), l.modelloEsterno},
        {QStringLiteral("--testo-interno"), l.modelloInterno},
        {QStringLiteral("--barre"), composition::TestoTipoBarre(l.barre)},
        {QStringLiteral("--barre-posizione"),
         l.barre.posizione == 1 ? QStringLiteral("sopra") : QStringLiteral("sotto")},
        {QStringLiteral("--barre-altezza"), l.barre.altezza}};
    if (l.grassetto) {
        parole.push_back({QStringLiteral("--grassetto"), {}});
    }
    if (l.corsivo) {
        parole.push_back({QStringLiteral("--corsivo"), {}});
    }
    return parole;
}

void Imposta(ContestoRigaDiComando& contesto, const Argomenti& a) {
    contesto.layout = a.layout;
    contesto.indirizzo = a.cartella;
    contesto.codiceEsterno = a.esterno;
    contesto.codiceInterno = a.interno;
    contesto.altezza = a.altezza;
    contesto.nomeFont = a.font;
    contesto.grassetto = a.grassetto;
    contesto.corsivo = a.corsivo;
    contesto.copie = QString::number(a.copie);
    contesto.adattamento = a.adattamento;
    contesto.ppiMinimo = a.ppiMinimo;
    contesto.soloControllo = a.controlla;
    contesto.includiDanneggiate = a.includiDanneggiate;
    contesto.listino = a.listino;
    contesto.chiave = a.chiave;
    contesto.modelloEsterno = a.modelloEsterno;
    contesto.modelloInterno = a.modelloInterno;
    contesto.barre = a.barre;
    contesto.selezionati = a.file;
}

composition::LavoroSalvato LavoroDi(const Argomenti& a) {
    ContestoRigaDiComando contesto(false);
    Imposta(contesto, a);
    composition::LavoroSalvato l = composition::LavoroDi(contesto);
    l.layout = Completo(l.layout);
    l.cartella = Completo(l.cartella);
    l.listino = Completo(l.listino);
    return l;
}

int SalvaLavoro(const Argomenti& a) {
    const runtime::FileWriteResult esito =
        composition::SalvaLavoro(a.salvaLavoro, LavoroDi(a), runtime::Replace::Allowed);
    if (!esito.written()) {
        runtime::tellUser(esito.message);
        return 1;
    }
    runtime::tellUser(QStringLiteral("Lavoro salvato in '%1'.").arg(a.salvaLavoro));
    return 0;
}

} // namespace lumetra::componi
