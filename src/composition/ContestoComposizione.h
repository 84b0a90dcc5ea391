#pragma once
// What the composition reads and drives around it: the job settings, the status line, the message
// box and the creation of the application object.
//
// The composition reads every setting at the moment of use, never caches it. The main window
// implements this over its controls; tests and command-line tools implement it with plain values
// (ContestoSemplice). Implementations do not throw.

#include "Application.h"
#include "ControlloStampa.h"
#include "ImpostazioniCatalogo.h"
#include "PublisherApi.h"
#include "VbConstants.h"

#include <QString>

#include <memory>

namespace lumetra::composition {

class ContestoComposizione {
public:
    virtual ~ContestoComposizione() = default;

    // txtLayout: full path of the layout file, as typed.
    virtual QString TestoLayout() const = 0;
    // txtIndirizzo: the image folder, as stored by the folder choice.
    virtual QString TestoIndirizzo() const = 0;

    // lvwSelezionati: number of queue entries, and the text (bare file name) of entry i, from 1.
    virtual int NumeroSelezionati() const = 0;
    virtual QString TestoSelezionato(int indice) const = 0;

    // Item data of the selected entries of cmbCodiceArticoloEsterno (0 "Nessuno", 1 "Sopra",
    // 2 "Sotto") and cmbCodiceArticoloInterno (0 "Nessuno", 1 "Sinistra", 2 "Destra").
    virtual int CodiceArticoloEsterno() const = 0;
    virtual int CodiceArticoloInterno() const = 0;

    // txtAltezzaCodiceArticolo: caption height in centimetres, as typed ("0,7").
    virtual QString TestoAltezzaCodiceArticolo() const = 0;

    // dlgFont: FontName, FontBold, FontItalic.
    virtual QString NomeFont() const = 0;
    virtual bool FontGrassetto() const = 0;
    virtual bool FontCorsivo() const = 0;

    // txtCopie: number of copies, as text.
    virtual QString TestoCopie() const = 0;

    // How pictures fill their boxes (Publisher::PictureFormat::Fit values; the stretch unless
    // the user chose otherwise) and the lowest resolution, in pixels per inch, the check before
    // printing accepts.
    virtual int Adattamento() const { return Publisher::lmPictureFitStretch; }
    virtual int PpiMinimo() const { return PpiMinimoPredefinito; }

    // The price list (full path; empty: none) and its key column (empty: the first named like
    // an article code).
    virtual QString TestoListino() const { return {}; }
    virtual QString ColonnaChiave() const { return {}; }
    // The external and internal captions' text models ("{codice}": the article code alone).
    virtual QString ModelloTestoEsterno() const { return QStringLiteral("{codice}"); }
    virtual QString ModelloTestoInterno() const { return QStringLiteral("{codice}"); }
    virtual ImpostazioniBarre Barre() const { return {}; }

    // lblInformazioni: sets the status text and repaints the label at once.
    virtual void ImpostaInformazioni(const QString& testo) = 0;

    // prgBar.
    virtual void ImpostaMinimoProgresso(float minimo) = 0;
    virtual void ImpostaMassimoProgresso(float massimo) = 0;
    virtual float MassimoProgresso() const = 0;
    // Sets the value and repaints the bar at once.
    virtual void ImpostaValoreProgresso(float valore) = 0;
    virtual void ImpostaProgressoVisibile(bool visibile) = 0;

    // A queued picture could not be placed, or could not be drawn when the document was
    // printed: its entry text and why, in Italian (the engine's description: missing, damaged, a
    // format that cannot be read). Called just before the image error message; the window has
    // nothing to add to that message and ignores it, headless front ends report the file and
    // the reason.
    virtual void ImmagineNonInserita(const QString& nome, const QString& motivo) {
        (void)nome;
        (void)motivo;
    }
    // A placed picture's file is damaged (a photo cut short: what it holds was placed): its
    // entry text and what is wrong, in Italian. Called after the job was printed or shown, once
    // for each damaged picture; the window lists them in one message at the end of the job,
    // headless front ends write a warning.
    virtual void ImmagineDanneggiata(const QString& nome, const QString& motivo) {
        (void)nome;
        (void)motivo;
    }
    // The check before printing, after the composition and before anything is printed or shown;
    // called for every job that reached it. The window asks only when there are findings;
    // headless front ends report them and the summary.
    virtual RispostaControllo ControlloPrimaDellaStampa(const Controllo& controllo) {
        (void)controllo;
        return RispostaControllo::Prosegui;
    }
    // After SaltaDanneggiate: the job as composed again without the damaged pictures (its
    // summary, and the findings that remain), before it is printed or shown. Nothing is asked.
    virtual void LavoroRicomposto(const Controllo& controllo) { (void)controllo; }
    // True when the job stops at the check whatever it finds (ControlloPrimaDellaStampa always
    // gives Annulla): the pages are then not painted ahead of it, only the pictures read.
    virtual bool SoloControllo() const { return false; }
    // Modal message box with the given caption; gives vbOK or vbCancel (Escape and closing the box
    // give vbCancel).
    virtual int MsgBox(const QString& messaggio, int stile, const QString& titolo) = 0;

    // Creates the application object; throws Publisher::Error (or any std::exception) when none
    // can be created.
    virtual std::shared_ptr<Publisher::Application> CreaApplicazione() = 0;
};

} // namespace lumetra::composition
