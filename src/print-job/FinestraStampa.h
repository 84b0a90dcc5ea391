#pragma once
// What the print command reads and changes in the window, besides what the composition reads:
// the queue's removals, the "Visualizza pagine" check box, the filing of printed files and the
// file-system checks.

#include "ContestoComposizione.h"

namespace lumetra::printjob {

class FinestraStampa : public virtual composition::ContestoComposizione {
public:
    // Removes entry i (from 1) of the queue; the entry goes to no other list.
    virtual void RimuoviSelezionato(int indice) = 0;
    // chkAnteprima: 0 unchecked, 1 checked, 2 grey.
    virtual int StatoAnteprima() const = 0;
    // Moves every queued entry to the printed files.
    virtual void SpostaStampati() = 0;
    // True only for an existing file, never for a folder.
    virtual bool FileExists(const QString& percorso) const = 0;
    // The application-wide mouse pointer (13 busy, 0 default).
    virtual void ImpostaPuntatore(int puntatore) = 0;
};

} // namespace lumetra::printjob
