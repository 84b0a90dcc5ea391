#pragma once
// A ContestoComposizione over plain values, for tests and command-line tools. It keeps the
// status texts and messages it was given, and answers message boxes through a callback
// (runtime::vbOK when none is set).

#include "ContestoComposizione.h"

#include <QStringList>

#include <functional>
#include <vector>

namespace lumetra::composition {

struct Messaggio {
    QString testo;
    int stile = 0;
    QString titolo;
};

class ContestoSemplice : public virtual ContestoComposizione {
public:
    // Settings, with the window's start values.
    QString layout;
    QString indirizzo;
    QStringList selezionati;
    int codiceEsterno = 0;
    int codiceInterno = 0;
    QString altezza = QStringLiteral("0,7");
    QString nomeFont = QStringLiteral("Times New Roman");
    bool grassetto = false;
    bool corsivo = false;
    QString copie = QStringLiteral("1");
    int adattamento = Publisher::lmPictureFitStretch;
    int ppiMinimo = PpiMinimoPredefinito;
    QString listino;
    QString chiave;
    QString modelloEsterno = QStringLiteral("{codice}");
    QString modelloInterno = QStringLiteral("{codice}");
    ImpostazioniBarre barre;
    // Answers the check before printing (Prosegui when none is set).
    std::function<RispostaControllo(const Controllo&)> rispondiControllo;
    Publisher::ApplicationFactory fabbrica;
    std::function<int(const Messaggio&)> rispondi;

    // What the composition showed.
    QStringList informazioni;
    std::vector<Messaggio> messaggi;
    float minimoProgresso = 0;
    float massimoProgresso = 100;
    float valoreProgresso = 0;
    bool progressoVisibile = false;
    std::vector<float> valoriProgresso;
    std::vector<Controllo> controlli; // every check the composition reported

    QString TestoLayout() const override { return layout; }
    QString TestoIndirizzo() const override { return indirizzo; }
    int NumeroSelezionati() const override { return static_cast<int>(selezionati.size()); }
    QString TestoSelezionato(int indice) const override;
    int CodiceArticoloEsterno() const override { return codiceEsterno; }
    int CodiceArticoloInterno() const override { return codiceInterno; }
    QString TestoAltezzaCodiceArticolo() const override { return altezza; }
    QString NomeFont() const override { return nomeFont; }
    bool FontGrassetto() const override { return grassetto; }
    bool FontCorsivo() const override { return corsivo; }
    QString TestoCopie() const override { return copie; }
    int Adattamento() const override { return adattamento; }
    int PpiMinimo() const override { return ppiMinimo; }
    QString TestoListino() const override { return listino; }
    QString ColonnaChiave() const override { return chiave; }
    QString ModelloTestoEsterno() const override { return modelloEsterno; }
    QString ModelloTestoInterno() const override { return modelloInterno; }
    ImpostazioniBarre Barre() const override { return barre; }
    RispostaControllo ControlloPrimaDellaStampa(const Controllo& controllo) override;
    void ImpostaInformazioni(const QString& testo) override { informazioni.append(testo); }
    void ImpostaMinimoProgresso(float minimo) override { minimoProgresso = minimo; }
    void ImpostaMassimoProgresso(float massimo) override { massimoProgresso = massimo; }
    float MassimoProgresso() const override { return massimoProgresso; }
    void ImpostaValoreProgresso(float valore) override;
    void ImpostaProgressoVisibile(bool visibile) override { progressoVisibile = visibile; }
    int MsgBox(const QString& messaggio, int stile, const QString& titolo) override;
    std::shared_ptr<Publisher::Application> CreaApplicazione() override;
};

} // namespace lumetra::composition
