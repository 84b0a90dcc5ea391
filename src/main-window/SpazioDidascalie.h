#pragma once
// Whether what goes outside the pictures fits: the room above and below the picture rectangles
// of a layout's page 1 (up to the next rectangle on that side, or the page's edge) against the
// external caption and the barcode placed there. A warning only: the job prints all the same.

#include "ImpostazioniCatalogo.h"

#include <QRectF>
#include <QString>

#include <optional>
#include <vector>

namespace lumetra::mainwindow {

struct PaginaLayout {
    double altezza = 0;             // points
    std::vector<QRectF> rettangoli; // the picture rectangles, points from the top-left corner
};

// Page 1 of a layout file; nothing when it cannot be read (the print command tells why).
std::optional<PaginaLayout> LeggiPaginaLayout(const QString& file);

// What goes outside each picture, in centimetres, on each side.
struct Ingombro {
    double didascaliaSopra = 0;
    double didascaliaSotto = 0;
    double barreSopra = 0;
    double barreSotto = 0;
};

// From the settings as typed: the external caption's position (0 none, 1 above, 2 below), its
// height for one line and its model (a line for each \n more), and the barcode. A height that is
// no number takes no room (the print command refuses it).
Ingombro IngombroDi(int posizioneEsterna, const QString& altezza, const QString& modello,
                    const composition::ImpostazioniBarre& barre);

// The Italian warning when on a side more goes than there is room; empty otherwise.
QString AvvisoSpazio(const PaginaLayout& pagina, const Ingombro& ingombro);

} // namespace lumetra::mainwindow
