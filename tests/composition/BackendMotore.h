#pragma once
// The contract suite's backend over the built-in engine: real layouts written by the test-layout
// writer, real pictures, and a PrintOut that writes a PDF file, read back with poppler-utils
// (pdfinfo, pdftotext -bbox, pdftoppm).

#include "BackendComposizione.h"
#include "EngineApplication.h"

#include <QImage>
#include <QTemporaryDir>

#include <map>

namespace lumetra::composition::test {

class BackendMotore : public BackendComposizione {
public:
    BackendMotore();

    QString CreaLayout(const LayoutProva& layout) override;
    QString CreaLayoutIllegibile() override;
    QString Cartella() override;
    void CreaImmagine(const QString& nome, QColor colore) override;
    void CreaImmagineIllegibile(const QString& nome) override;
    Publisher::ApplicationFactory Fabbrica() override;
    int Stampe() override;
    int NumeroPagine() override;
    QColor ColoreIn(int pagina, double x, double y) override;
    std::vector<TestoLetto> Testi(int pagina) override;
    bool Terminato() override;
    bool FinestraMostrata() override;
    int TolleranzaColore() const override { return 14; }
    double TolleranzaPosizione() const override { return 1.5; }

    QString Pdf() const { return dir_.filePath(QStringLiteral("stampa.pdf")); }

private:
    const QImage& Pagina(int pagina);

    QTemporaryDir dir_;
    std::shared_ptr<engine::EngineApplication> ultima_;
    std::map<int, QImage> pagine_;
};

} // namespace lumetra::composition::test
