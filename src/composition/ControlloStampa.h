#pragma once
// The check before printing: what a composed job would put wrong on paper, found before any paper
// is used. Findings are data (kind, file, text, where on which page); the front ends show them.

#include <QRectF>
#include <QString>

#include <vector>

namespace lumetra::composition {

enum class TipoRilievo {
    Danneggiata,
    Risoluzione,
    Deformata,
    Duplicato,
    Didascalia,
    Listino,
    Barre,
    Pagina
};

// The kind as the command-line composer prints it: "danneggiata", "risoluzione", "deformata",
// "duplicato", "didascalia", "listino", "barre", "pagina".
QString NomeTipo(TipoRilievo tipo);
// The heading of the kind's group in the window: "Immagini danneggiate", ...
QString TitoloTipo(TipoRilievo tipo);

struct Rilievo {
    TipoRilievo tipo = TipoRilievo::Danneggiata;
    QString file;    // the picture's queue entry text; the layout's path for Pagina
    QString testo;   // Italian: what is wrong
    int pagina = 0;  // page of the composed document it concerns, from 1 (0: none)
    QRectF riquadro; // where on that page, in points (empty: the page as a whole)
};

// The job as it will be printed; no finding by itself.
struct Riepilogo {
    int immagini = 0;
    int pagine = 0;
    int spaziVuoti = 0; // slots left empty on the last page
    int copie = 1;
    int Fogli() const { return pagine * copie; }
    // "Riepilogo: 14 immagini, 2 pagine, 2 spazi vuoti nell'ultima pagina, 4 fogli da stampare
    // (2 pagine x 2 copie)".
    QString Testo() const;
};

struct Controllo {
    std::vector<Rilievo> rilievi; // in the order found; the front ends group them by kind
    Riepilogo riepilogo;
    bool HaRilievi() const { return !rilievi.empty(); }
    bool HaDanneggiate() const;
};

enum class RispostaControllo {
    Prosegui,         // print or show as composed (damaged pictures with what they hold)
    SaltaDanneggiate, // compose again without the damaged pictures, then print or show
    Annulla,          // nothing printed or shown; the job gives false
};

// The check's limits.
inline constexpr int PpiMinimoPredefinito = 150;
// Proportions that differ by more than a third under the stretch are visibly distorted.
inline constexpr double DeformazioneMassima = 4.0 / 3.0;
// A caption set below this size, in points, cannot be read on paper.
inline constexpr double CorpoMinimoDidascalia = 6.0;

} // namespace lumetra::composition
