#pragma once
// A job saved at the user's request (.lumetra, JSON) and read back: the layout, the folder, the
// queue in order, the captions, the font, copies, fit, the price list and its key, the barcode.
// Paths inside the job file's folder are kept relative to it, so a job folder can move; others
// stay whole.

#include "AtomicFile.h"
#include "ContestoComposizione.h"
#include "ImpostazioniCatalogo.h"

#include <QString>
#include <QStringList>

namespace lumetra::composition {

struct LavoroSalvato {
    QString layout;
    QString cartella;
    QStringList coda;      // entry texts (file names), in order
    int codiceEsterno = 0; // 0 none, 1 above, 2 below
    int codiceInterno = 0; // 0 none, 1 left, 2 right
    QString altezza = QStringLiteral("0,7");
    QString nomeFont = QStringLiteral("Times New Roman");
    bool grassetto = false;
    bool corsivo = false;
    QString copie = QStringLiteral("1");
    int adattamento = 0; // Publisher::PictureFormat::Fit
    QString listino;
    QString chiave;
    QString modelloEsterno = QStringLiteral("{codice}");
    QString modelloInterno = QStringLiteral("{codice}");
    ImpostazioniBarre barre;
};

// The job a context describes: every setting as read now, the queue in order.
LavoroSalvato LavoroDi(const ContestoComposizione& contesto);

// Writes the job atomically. An existing file is replaced only with Replace::Allowed and only
// when it is a saved job itself; the layout and the price list are never written over.
runtime::FileWriteResult SalvaLavoro(const QString& file, const LavoroSalvato& lavoro,
                                     runtime::Replace sostituisci);

// Reads a saved job, its paths made whole again. Throws runtime::Error (ErrLavoroNonValido, the
// file named) when the file cannot be read or is no job.
LavoroSalvato ApriLavoro(const QString& file);

} // namespace lumetra::composition
