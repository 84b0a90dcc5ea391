#pragma once
// The contract suite's backend over the recording fake: nothing is written to disk; the printed
// pages are read from the fake's document model.

#include "BackendComposizione.h"
#include "PublisherFinto.h"

#include <QHash>

namespace lumetra::composition::test {

class BackendFinto : public BackendComposizione {
public:
    fake::PublisherFinto& Finto() { return finto_; }

    QString CreaLayout(const LayoutProva& layout) override;
    QString CreaLayoutIllegibile() override;
    QString Cartella() override { return QStringLiteral("/foto"); }
    void CreaImmagine(const QString& nome, QColor colore) override;
    void CreaImmagineIllegibile(const QString& nome) override;
    Publisher::ApplicationFactory Fabbrica() override { return finto_.Fabbrica(); }
    int Stampe() override;
    int NumeroPagine() override;
    QColor ColoreIn(int pagina, double x, double y) override;
    std::vector<TestoLetto> Testi(int pagina) override;
    bool Terminato() override { return finto_.Terminato(); }
    bool FinestraMostrata() override { return finto_.FinestraVisibile(); }
    int TolleranzaColore() const override { return 0; }
    double TolleranzaPosizione() const override { return 0.01; }

private:
    fake::PublisherFinto finto_;
    QHash<QString, QColor> colori_;
};

} // namespace lumetra::composition::test
