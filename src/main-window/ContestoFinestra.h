#pragma once
// The print command's and the composition's view of the window: every setting read from its
// control at the moment of use, the status line repainted at once.

#include "FinestraStampa.h"

#include <QStringList>

namespace lumetra::mainwindow {

class frmLumetra;

class ContestoFinestra : public printjob::FinestraStampa {
public:
    explicit ContestoFinestra(frmLumetra& finestra) : f_(finestra) {}

    QString TestoLayout() const override;
    QString TestoIndirizzo() const override;
    int NumeroSelezionati() const override;
    QString TestoSelezionato(int indice) const override;
    int CodiceArticoloEsterno() const override;
    int CodiceArticoloInterno() const override;
    QString TestoAltezzaCodiceArticolo() const override;
    QString NomeFont() const override;
    bool FontGrassetto() const override;
    bool FontCorsivo() const override;
    QString TestoCopie() const override;
    int Adattamento() const override;
    QString TestoListino() const override;
    QString ColonnaChiave() const override;
    QString ModelloTestoEsterno() const override;
    QString ModelloTestoInterno() const override;
    composition::ImpostazioniBarre Barre() const override;
    composition::RispostaControllo
    ControlloPrimaDellaStampa(const composition::Controllo& controllo) override;
    void ImpostaInformazioni(const QString& testo) override;
    void ImpostaMinimoProgresso(float minimo) override;
    void ImpostaMassimoProgresso(float massimo) override;
    float MassimoProgresso() const override;
    void ImpostaValoreProgresso(float valore) override;
    void ImpostaProgressoVisibile(bool visibile) override;
    void ImmagineDanneggiata(const QString& nome, const QString& motivo) override;
    int MsgBox(const QString& messaggio, int stile, const QString& titolo) override;
    std::shared_ptr<Publisher::Application> CreaApplicazione() override;

    void RimuoviSelezionato(int indice) override;
    int StatoAnteprima() const override;
    void SpostaStampati() override;
    bool FileExists(const QString& percorso) const override;
    void ImpostaPuntatore(int puntatore) override;

    // At the end of the job: one message listing the damaged pictures, if there were any.
    void MostraImmaginiDanneggiate();

private:
    frmLumetra& f_;
    QStringList danneggiate_;
};

} // namespace lumetra::mainwindow
