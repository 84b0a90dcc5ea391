#pragma once
// Fixture of the composition's contract suite: a standard layout (a title, 12 rectangles in
// 3 columns and 4 rows, an oval), pictures of distinct colours, and checks on the printed pages.

#include "BackendComposizione.h"
#include "ContestoSemplice.h"

#include "StampaQt.h"

#include <gtest/gtest.h>

#include <optional>

namespace lumetra::composition::test {

class ContrattoBase {
public:
    static constexpr int SlotGriglia = 12;

    // The standard layout; Slot(s) is the box of its rectangle s (0 to 11, reading order).
    static LayoutProva Griglia();
    static Riquadro Slot(int s);
    // Colour of the i-th picture made by Accoda (from 0).
    static QColor Colore(int i);
    // "ART001.jpg", "ART002.jpg", ...
    static QStringList Nomi(int quanti);

    // Writes the layout and points the context at it, at the backend's folder and factory.
    void Prepara(BackendComposizione& backend, const LayoutProva& layout);
    // Makes a picture for each name, each in the next colour, and queues it.
    void Accoda(const QStringList& nomi);

    ::testing::AssertionResult ColoreVicino(int pagina, double x, double y, QColor atteso);
    QStringList Parole(int pagina);
    void VerificaSlotPieno(int pagina, int slot, int file);
    void VerificaSlotVuoto(int pagina, int slot);
    void VerificaTerminatoSenzaStampa();

    ContestoSemplice contesto;

private:
    BackendComposizione* b_ = nullptr;
};

template <typename Backend>
class ContrattoComposizione : public ::testing::Test, public ContrattoBase {
protected:
    Backend backend;
};

} // namespace lumetra::composition::test
