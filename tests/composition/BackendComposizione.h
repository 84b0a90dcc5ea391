#pragma once
// What the composition's contract suite needs from a document engine: layouts and pictures to
// work on, the application factory, and a view of the printed pages in the terms a PDF read back
// gives (page count, colour at a point, words with their boxes).

#include "PublisherApi.h"

#include <QColor>
#include <QString>

#include <vector>

namespace lumetra::composition::test {

struct Riquadro {
    double sinistra = 0;
    double alto = 0;
    double larghezza = 0;
    double altezza = 0;
    double Destra() const { return sinistra + larghezza; }
    double Basso() const { return alto + altezza; }
    double CentroX() const { return sinistra + larghezza / 2; }
    double CentroY() const { return alto + altezza / 2; }
};

enum class TipoForma { Rettangolo, RettangoloArrotondato, Ovale, CasellaTesto };

struct FormaProva {
    TipoForma tipo = TipoForma::Rettangolo;
    Riquadro riquadro;
    QString testo; // text boxes only
};

// Sizes in points; page 1 first.
struct LayoutProva {
    double larghezza = 595.28;
    double altezza = 841.89;
    std::vector<std::vector<FormaProva>> pagine;
};

struct TestoLetto {
    QString testo;
    Riquadro riquadro;
};

class BackendComposizione {
public:
    // Fill of the layout's auto shapes: a rectangle left on a page shows it.
    static inline const QColor ColoreForma = QColor(128, 128, 128);

    virtual ~BackendComposizione() = default;

    // Writes the layout and gives the path to open.
    virtual QString CreaLayout(const LayoutProva& layout) = 0;
    // A path whose layout cannot be loaded (damaged file).
    virtual QString CreaLayoutIllegibile() = 0;
    // The folder of the pictures, and pictures of one colour in it.
    virtual QString Cartella() = 0;
    virtual void CreaImmagine(const QString& nome, QColor colore) = 0;
    // A picture that cannot be placed (damaged file).
    virtual void CreaImmagineIllegibile(const QString& nome) = 0;

    virtual Publisher::ApplicationFactory Fabbrica() = 0;

    // After the run. Print jobs sent (PrintOut calls that went through).
    virtual int Stampe() = 0;
    // Pages of the last print job.
    virtual int NumeroPagine() = 0;
    // Colour of the last printed document at a point of page p (from 1), in points.
    virtual QColor ColoreIn(int pagina, double x, double y) = 0;
    // Words of page p with their boxes.
    virtual std::vector<TestoLetto> Testi(int pagina) = 0;
    // Quit was called on the application.
    virtual bool Terminato() = 0;
    // The document window was made visible.
    virtual bool FinestraMostrata() = 0;
    // How far a read colour may be from the expected one, per channel; how far a read position
    // may be from the expected one, in points.
    virtual int TolleranzaColore() const = 0;
    virtual double TolleranzaPosizione() const = 0;
};

} // namespace lumetra::composition::test
