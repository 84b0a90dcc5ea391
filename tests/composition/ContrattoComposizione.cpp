#include "ContrattoComposizione.h"

namespace lumetra::composition::test {

LayoutProva ContrattoBase::Griglia() {
    LayoutProva layout;
    std::vector<FormaProva> pagina;
    pagina.push_back({TipoForma::CasellaTesto, {36, 20, 300, 30}, QStringLiteral("Catalogo")});
    for (int s = 0; s < SlotGriglia; ++s)
        pagina.push_back({TipoForma::Rettangolo, Slot(s), QString()});
    pagina.push_back({TipoForma::Ovale, {500, 20, 40, 30}, QString()});
    layout.pagine.push_back(pagina);
    return layout;
}

Riquadro ContrattoBase::Slot(int s) {
    return {36.0 + (s % 3) * 180.0, 80.0 + (s / 3) * 195.0, 150.0, 150.0};
}

QColor ContrattoBase::Colore(int i) {
    return QColor::fromHsv((i * 47) % 360, 220, 230);
}

void ContrattoBase::Prepara(BackendComposizione& backend, const LayoutProva& layout) {
    b_ = &backend;
    contesto.layout = backend.CreaLayout(layout);
    contesto.indirizzo = backend.Cartella();
    contesto.fabbrica = backend.Fabbrica();
}

void ContrattoBase::Accoda(const QStringList& nomi) {
    for (const QString& nome : nomi) {
        b_->CreaImmagine(nome, Colore(static_cast<int>(contesto.selezionati.size())));
        contesto.selezionati.append(nome);
    }
}

QStringList ContrattoBase::Nomi(int quanti) {
    QStringList nomi;
    for (int i = 1; i <= quanti; ++i)
        nomi.append(QStringLiteral("ART%1.jpg").arg(i, 3, 10, QLatin1Char('0')));
    return nomi;
}

::testing::AssertionResult ContrattoBase::ColoreVicino(int pagina, double x, double y,
                                                       QColor atteso) {
    const QColor letto = b_->ColoreIn(pagina, x, y);
    const int tolleranza = b_->TolleranzaColore();
    if (std::abs(letto.red() - atteso.red()) <= tolleranza &&
        std::abs(letto.green() - atteso.green()) <= tolleranza &&
        std::abs(letto.blue() - atteso.blue()) <= tolleranza)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "pagina " << pagina << " (" << x << ", " << y << "): letto "
           << letto.name().toStdString() << ", atteso " << atteso.name().toStdString();
}

QStringList ContrattoBase::Parole(int pagina) {
    QStringList parole;
    for (const TestoLetto& t : b_->Testi(pagina))
        parole.append(t.testo);
    return parole;
}

void ContrattoBase::VerificaSlotPieno(int pagina, int slot, int file) {
    const Riquadro r = Slot(slot);
    EXPECT_TRUE(ColoreVicino(pagina, r.CentroX(), r.CentroY(), Colore(file)))
        << "slot " << slot << ", file " << file;
}

void ContrattoBase::VerificaSlotVuoto(int pagina, int slot) {
    const Riquadro r = Slot(slot);
    // Neither a picture nor the layout's (filled) rectangle is left.
    EXPECT_TRUE(ColoreVicino(pagina, r.CentroX(), r.CentroY(), Qt::white)) << "slot " << slot;
}

void ContrattoBase::VerificaTerminatoSenzaStampa() {
    EXPECT_EQ(b_->Stampe(), 0);
    EXPECT_TRUE(b_->Terminato());
    EXPECT_FALSE(contesto.progressoVisibile);
}

} // namespace lumetra::composition::test
