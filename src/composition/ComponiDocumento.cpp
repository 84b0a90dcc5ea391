#include "ComponiDocumento.h"

#include "CatalogoLavoro.h"
#include "CodiceArticolo.h"
#include "CodiceBarre.h"
#include "Length.h"
#include "PercorsoFile.h"
#include "VerificaLavoro.h"

#include <QHash>
#include <QSet>
#include <QStringList>
#include <QTemporaryDir>

#include <cmath>
#include <cstdint>
#include <new>
#include <utility>
#include <vector>

namespace lumetra::composition {
namespace {

using Publisher::Error;

// Values Publisher's Open receives.
constexpr bool ApriSolaLettura = false;
constexpr bool ApriAggiungiRecenti = true;
constexpr int ApriSaveChanges = 3;
// AddPicture: embedded, not linked.
constexpr int ImmagineCollegata = 0;
constexpr int ImmagineSalvataNelDocumento = -1;
// Pages.Add: one page, duplicating page 1's objects.
constexpr int PagineDaAggiungere = 1;
constexpr int DuplicaOggetti = 1;

const QString MsgNonInstallato = QStringLiteral(
    "Impossibile eseguire l'operazione perchè Microsoft Publisher 2002 non è stato installato");
const QString MsgLayoutGiaAperto =
    QStringLiteral("Il file di layout è già utilizzato in Publisher. Chiudere la finestra du "
                   "Publisher con il file di layout selezionato o salvare il lavoro con un altro "
                   "nome dal Publisher che sta utilizzando il file di layout");
const QString MsgLayoutNegato =
    QStringLiteral("Impossibile accedere ad il file di layout. Si è cercato di scrivere su un "
                   "disco protetto da scrittura o di accedere ad un file bloccato");
const QString MsgLayoutDanneggiato =
    QStringLiteral("Impossibile caricare il file di layout. Il file potrebbe essere danneggiato");
const QString MsgNessunRettangolo =
    QStringLiteral("Il file layout specificato non contiene nessun rettango dove inserire le "
                   "immagini, controllare il file del Publischer");

// The failure of one object-model call, whatever was thrown.
struct Guasto {
    std::int32_t numero = 0;
    QString descrizione;
};

Guasto GuastoCorrente() {
    try {
        throw;
    } catch (const Error& e) {
        return {e.Number(), e.Description()};
    } catch (const std::bad_alloc&) {
        return {runtime::ErrMemoriaInsufficiente, QStringLiteral("Memoria insufficiente")};
    } catch (const std::exception& e) {
        return {0, QString::fromLocal8Bit(e.what())};
    } catch (...) {
        return {0, QString()};
    }
}

// txtCopie as a whole number; the field only ever holds one, anything else fails the printing.
int NumeroCopie(const QString& testo) {
    const std::optional<double> valore = runtime::parseDecimal(testo);
    if (!valore || std::fabs(*valore) >= 2147483647.0) {
        throw Error(runtime::ErrTipoNonValido,
                    QStringLiteral("numero di copie non valido ('%1')").arg(testo));
    }
    return static_cast<int>(std::nearbyint(*valore));
}

class Composizione {
public:
    Composizione(ContestoComposizione& contesto, bool anteprima)
        : c_(contesto), anteprima_(anteprima) {}

    bool Esegui() {
        QString errore;
        catalogo_ = CatalogoLavoro::Prepara(c_, &errore);
        if (!catalogo_) {
            c_.MsgBox(errore, runtime::vbCritical, runtime::ApplicationTitle);
            return false;
        }
        if (!AvviaPublisher()) {
            return false;
        }
        try {
            CaricaLayout();
        } catch (...) {
            return GestoreErroreLayout(GuastoCorrente());
        }
        if (slot_.empty()) {
            c_.MsgBox(MsgNessunRettangolo, runtime::vbCritical, runtime::ApplicationTitle);
            return Pulizia();
        }
        try {
            if (ComponiPagine() && Controlla() && StampaOVisualizza()) {
                RiferisciDanni();
            }
        } catch (...) {
            return GestoreErroreNonPrevisto(GuastoCorrente());
        }
        return Pulizia();
    }

private:
    // Stage 1, steps 1 to 4.
    bool AvviaPublisher() {
        c_.ImpostaInformazioni(QStringLiteral("Apertura Micorsoft Publischer in corso..."));
        try {
            app_ = c_.CreaApplicazione();
        } catch (...) {
            app_.reset();
        }
        if (!app_) {
            c_.MsgBox(MsgNonInstallato, runtime::vbOKOnly, runtime::ApplicationTitle);
            return false;
        }
        return true;
    }

    // Stage 1, steps 6 to 9: open the layout and collect page 1's rectangles, in collection order.
    void CaricaLayout() {
        c_.ImpostaInformazioni(QStringLiteral("Caricamento layout in corso..."));
        doc_ = app_->Open(c_.TestoLayout(), ApriSolaLettura, ApriAggiungiRecenti, ApriSaveChanges);
        if (!doc_) {
            throw Error(0, QString());
        }
        c_.ImpostaInformazioni(QStringLiteral("Verifica layout in corso..."));
        const auto forme = doc_->Pages()->Item(1)->Shapes();
        const int numero = forme->Count();
        for (int n = 1; n <= numero; ++n) {
            const auto forma = forme->Item(n);
            if (forma->Type() == Publisher::msoAutoShape &&
                forma->AutoShapeType() == Publisher::msoShapeRectangle) {
                slot_.push_back(n);
            }
        }
    }

    bool GestoreErroreLayout(const Guasto& guasto) {
        const QString& messaggio = guasto.numero == runtime::ErrLayoutGiaAperto ? MsgLayoutGiaAperto
                                   : guasto.numero == runtime::ErrPermessoNegato
                                       ? MsgLayoutNegato
                                       : MsgLayoutDanneggiato;
        c_.MsgBox(messaggio, runtime::vbCritical, runtime::ApplicationTitle);
        Lascia();
        return false;
    }

    // An error where the composition has no handler of its own: the step that failed is named,
    // the application is told to quit, as after a layout error, and the job gives false.
    bool GestoreErroreNonPrevisto(const Guasto& guasto) {
        QString messaggio = fase_;
        if (!guasto.descrizione.isEmpty()) {
            messaggio += QStringLiteral(": ") + guasto.descrizione;
        }
        c_.MsgBox(messaggio, runtime::vbCritical, runtime::ApplicationTitle);
        c_.ImpostaProgressoVisibile(false);
        Lascia();
        return false;
    }

    // Quits the application without closing the document first, and drops every reference.
    void Lascia() {
        doc_.reset();
        try {
            app_->Quit();
        } catch (...) {
        }
        app_.reset();
    }

    std::shared_ptr<Publisher::Page> PaginaDiLavoro() {
        const auto pagine = doc_->Pages();
        return pagine->Item(pagine->Count());
    }

    // Gives the number of pages before the one added.
    int AggiungiPaginaDiLavoro() {
        fase_ = QStringLiteral("Impossibile aggiungere una nuova pagina al documento");
        const auto pagine = doc_->Pages();
        const int numero = pagine->Count();
        pagine->Add(PagineDaAggiungere, numero, DuplicaOggetti);
        return numero;
    }

    // Deletes the working page's rectangles, from the highest slot down.
    void EliminaRettangoli() {
        fase_ =
            QStringLiteral("Impossibile eliminare i rettangoli dall'ultima pagina del documento");
        const auto forme = PaginaDiLavoro()->Shapes();
        for (auto j = slot_.size(); j-- > 0;) {
            forme->Item(slot_[j])->Delete();
        }
    }

    void MostraPaginaInserita() {
        ++contatorePagine_;
        c_.ImpostaInformazioni(
            QStringLiteral("Inserimento pagina '%1' in corso...").arg(contatorePagine_));
    }

    // Stage 2. Gives false when the job ends at the clean-up point instead of being printed:
    // 'Annulla' at a picture that could not be placed, or nothing placed at all.
    bool ComponiPagine() {
        fase_ = QStringLiteral("Impossibile preparare il documento");
        const int numero = c_.NumeroSelezionati();
        if (numero <= 0) {
            return NienteDaStampare();
        }
        pagineLayout_ = AggiungiPaginaDiLavoro();
        contatorePagine_ = 0;
        fase_ = QStringLiteral("Impossibile preparare il documento");
        c_.ImpostaMassimoProgresso(static_cast<float>(numero));
        c_.ImpostaMinimoProgresso(0);
        c_.ImpostaProgressoVisibile(true);
        inserite_ = 0;
        for (int i = 1; i <= numero; ++i) {
            fase_ = QStringLiteral("Impossibile preparare il documento");
            c_.ImpostaValoreProgresso(static_cast<float>(i));
            if (esclusi_.contains(c_.TestoSelezionato(i))) {
                continue;
            }
            try {
                InserisciImmagine(i);
                ++inserite_;
            } catch (const Error& e) {
                c_.ImmagineNonInserita(c_.TestoSelezionato(i), e.Description());
                if (!GestoreErroreImmagine(c_.TestoSelezionato(i))) {
                    return false;
                }
            } catch (...) {
                c_.ImmagineNonInserita(c_.TestoSelezionato(i), QString());
                if (!GestoreErroreImmagine(c_.TestoSelezionato(i))) {
                    return false;
                }
            }
            if (usati_ == static_cast<int>(slot_.size())) {
                EliminaRettangoli();
                MostraPaginaInserita();
                AggiungiPaginaDiLavoro();
                usati_ = 0;
            }
        }
        if (inserite_ == 0) {
            return NienteDaStampare();
        }
        if (usati_ == 0) {
            fase_ = QStringLiteral("Impossibile eliminare l'ultima pagina vuota del documento");
            const auto pagine = doc_->Pages();
            pagine->Item(pagine->Count())->Delete();
        } else {
            EliminaRettangoli();
            MostraPaginaInserita();
        }
        c_.ImpostaValoreProgresso(c_.MassimoProgresso());
        fase_ = QStringLiteral("Impossibile eliminare la pagina modello del documento");
        doc_->Pages()->Item(1)->Delete();
        return true;
    }

    // Stage 2, steps 6 to 10 for queue entry i.
    void InserisciImmagine(int i) {
        const auto forme = PaginaDiLavoro()->Shapes();
        auto rettangolo = forme->Item(slot_[static_cast<size_t>(usati_)]);
        const QString nome = c_.TestoSelezionato(i);
        c_.ImpostaInformazioni(QStringLiteral("Caricamento immagine '%1' in corso...").arg(nome));
        const QString percorso = PercorsoFile(c_.TestoIndirizzo(), nome);
        const Publisher::Variant sinistra = rettangolo->Left();
        const Publisher::Variant alto = rettangolo->Top();
        const Publisher::Variant larghezza = rettangolo->Width();
        const Publisher::Variant altezza = rettangolo->Height();
        const auto immagine =
            forme->AddPicture(percorso, ImmagineCollegata, ImmagineSalvataNelDocumento, sinistra,
                              alto, larghezza, altezza);
        if (!immagine) {
            throw Error(0, QString());
        }
        percorsi_.insert(percorso, nome);
        auto formato = immagine->PictureFormat();
        const int adattamento = c_.Adattamento();
        if (formato && adattamento != Publisher::lmPictureFitStretch) {
            formato->SetFit(adattamento);
        }
        const TestiImmagine testi = catalogo_->Per(CodiceDaDidascalia(nome));
        const auto didascalie = AggiungiCodiciArticolo(*forme, *immagine, testi, c_);
        // Where it all lies once the template page is gone: after the layout's other pages.
        const int pagina = pagineLayout_ + contatorePagine_;
        const QRectF riquadro(sinistra.Number(), alto.Number(), larghezza.Number(),
                              altezza.Number());
        AggiungiCatalogo(*forme, nome, testi, pagina, riquadro, didascalie);
        verifica_.Slot(usati_, pagina, riquadro);
        verifica_.Immagine(nome, pagina, riquadro, std::move(formato));
        for (const DidascaliaAggiunta& didascalia : didascalie) {
            verifica_.Didascalia(nome, pagina, didascalia.riquadro, didascalia.corpo);
        }
        ++usati_;
    }

    // The picture's barcode, and what the catalogue found wrong with it.
    void AggiungiCatalogo(Publisher::Shapes& forme, const QString& nome, const TestiImmagine& testi,
                          int pagina, const QRectF& riquadro,
                          const std::vector<DidascaliaAggiunta>& didascalie) {
        if (!testi.nelListino) {
            verifica_.Catalogo({TipoRilievo::Listino, nome,
                                QStringLiteral("il codice '%1' non è nel listino '%2'")
                                    .arg(CodiceDaDidascalia(nome), catalogo_->NomeListino()),
                                pagina, riquadro});
        }
        if (!testi.erroreBarre.isEmpty()) {
            verifica_.Catalogo({TipoRilievo::Barre, nome, testi.erroreBarre, pagina, riquadro});
        }
        if (!testi.barre) {
            return;
        }
        const ImpostazioniBarre& barre = catalogo_->Barre();
        std::optional<QRectF> didascalia;
        if (c_.CodiceArticoloEsterno() == barre.posizione && testi.righeEsterno > 0 &&
            !didascalie.empty()) {
            didascalia = didascalie.front().riquadro;
        }
        const std::optional<QRectF> posto = PostoCodiceBarre(riquadro, barre, didascalia);
        if (!posto) {
            return;
        }
        if (!cartellaBarre_) {
            cartellaBarre_ = std::make_unique<QTemporaryDir>();
        }
        const QString file =
            cartellaBarre_->filePath(QStringLiteral("barre-%1.svg").arg(++codiciBarre_));
        AggiungiCodiceBarre(forme, *testi.barre, *posto, file);
    }

    // 'Ok' skips the file (while placing, its slot goes to the next one; at printing, its box
    // stays empty); 'Annulla' ends the job.
    bool GestoreErroreImmagine(const QString& nome) {
        const QString messaggio =
            QStringLiteral("Impossibile aprire il file immagine specificato: '%1'. Prememere 'Ok' "
                           "per ignorare il file e proseguire, 'Annulla' per terminare "
                           "l'operazione")
                .arg(nome);
        return c_.MsgBox(messaggio, runtime::vbExclamationOKCancel, runtime::ApplicationTitle) ==
               runtime::vbOK;
    }

    bool NienteDaStampare() {
        c_.MsgBox(anteprima_ ? QStringLiteral("Nessuna immagine è stata inserita nel documento: "
                                              "non ci sono pagine da visualizzare")
                             : QStringLiteral("Nessuna immagine è stata inserita nel documento: "
                                              "non ci sono pagine da stampare"),
                  runtime::vbInformation, runtime::ApplicationTitle);
        return false;
    }

    // The check before printing. Printing, the pages are painted first (Prepara) and the check
    // takes the damage the engine found drawing them: each picture is read once. Gives false
    // when the user chose not to go on: the job ends at the clean-up point, nothing sent. Told
    // to skip the damaged pictures, the document is composed again without them (their slots
    // go to the pictures after them, as for a picture that could not be placed) and painted
    // again.
    bool Controlla() {
        fase_ = QStringLiteral("Impossibile controllare il documento prima della stampa");
        if (verifica_.HaImmaginiDaLeggere()) {
            c_.ImpostaInformazioni(QStringLiteral("Controllo prima della stampa in corso..."));
        }
        const bool dipinta = Prepara();
        controllo_ = {verifica_.Verifica(Limiti(!dipinta, dipinta)), RiepilogoLavoro()};
        const RispostaControllo risposta = c_.ControlloPrimaDellaStampa(controllo_);
        if (risposta == RispostaControllo::Annulla) {
            Scarta();
            return false;
        }
        if (risposta != RispostaControllo::SaltaDanneggiate || !controllo_.HaDanneggiate()) {
            return true;
        }
        Scarta();
        for (const Rilievo& rilievo : controllo_.rilievi) {
            if (rilievo.tipo == TipoRilievo::Danneggiata) {
                esclusi_.insert(rilievo.file);
            }
        }
        if (!Ricomponi()) {
            return false;
        }
        const bool ridipinta = Prepara();
        controllo_ = {verifica_.Verifica(Limiti(false, ridipinta)), RiepilogoLavoro()};
        c_.LavoroRicomposto(controllo_);
        return true;
    }

    // Printing: the output painted ahead of the check and held by the engine, which finds each
    // picture's damage as it draws it. Pictures it cannot draw at all are damaged ones for the
    // check, asked about as at printing if the job goes on. Gives true when the engine painted
    // the pages: what it found is then the check's. Nothing is painted for the preview, for the
    // check alone, or for copies that are no number (printing then fails on them).
    bool Prepara() {
        preparata_ = false;
        inAttesa_.clear();
        if (anteprima_ || c_.SoloControllo()) {
            return false;
        }
        int copie = 0;
        try {
            copie = NumeroCopie(c_.TestoCopie());
        } catch (const Error&) {
            return false;
        }
        const QString fase =
            std::exchange(fase_, QStringLiteral("Impossibile stampare il documento"));
        bool dipinta = true;
        try {
            dipinta = doc_->PrepareOutput(-1, -1, QString(), copie, true);
            preparata_ = true;
        } catch (const Error& e) {
            inAttesa_ = NonDisegnateOppureRilancia(e);
        }
        fase_ = fase;
        return dipinta;
    }

    // Drops the output painted for the check.
    void Scarta() {
        if (preparata_) {
            preparata_ = false;
            doc_->DiscardOutput();
        }
    }

    bool Ricomponi() {
        fase_ = QStringLiteral("Impossibile comporre di nuovo il documento");
        doc_->Close();
        doc_.reset();
        slot_.clear();
        percorsi_.clear();
        verifica_ = {};
        nonDisegnate_.clear();
        usati_ = 0;
        CaricaLayout();
        return !slot_.empty() && ComponiPagine();
    }

    // conDanni: the damage the engine found drawing the pictures, by their entry text.
    LimitiControllo Limiti(bool leggiImmagini, bool conDanni) const {
        LimitiControllo limiti;
        if (conDanni) {
            for (const auto& avviso : doc_->PictureWarnings()) {
                limiti.danni.insert(percorsi_.value(avviso.FileName, avviso.FileName),
                                    avviso.Description);
            }
        }
        limiti.adattamento = c_.Adattamento();
        limiti.ppiMinimo = c_.PpiMinimo();
        limiti.layout = c_.TestoLayout();
        limiti.leggiImmagini = leggiImmagini;
        if (const auto pagina = doc_->PageSetup()) {
            limiti.pagina = QSizeF(pagina->PageWidth(), pagina->PageHeight());
        }
        return limiti;
    }

    Riepilogo RiepilogoLavoro() const {
        Riepilogo riepilogo;
        riepilogo.immagini = inserite_;
        riepilogo.pagine = pagineLayout_ - 1 + contatorePagine_;
        riepilogo.spaziVuoti = usati_ > 0 ? static_cast<int>(slot_.size()) - usati_ : 0;
        try {
            riepilogo.copie = NumeroCopie(c_.TestoCopie());
        } catch (const Error&) {
            riepilogo.copie = 1;
        }
        return riepilogo;
    }

    // The findings for the document's window, each naming its file.
    std::vector<Publisher::CheckNote> NoteDelControllo() const {
        std::vector<Publisher::CheckNote> note;
        for (const Rilievo& rilievo : controllo_.rilievi) {
            note.push_back({rilievo.pagina, rilievo.riquadro, NomeTipo(rilievo.tipo),
                            QStringLiteral("'%1': %2").arg(rilievo.file, rilievo.testo),
                            TitoloTipo(rilievo.tipo)});
        }
        return note;
    }

    // Stage 3. Gives false when the job ends at the clean-up point instead: 'Annulla' at a
    // picture that could not be drawn.
    bool StampaOVisualizza() {
        if (anteprima_) {
            fase_ = QStringLiteral("Impossibile visualizzare le pagine del documento");
            doc_->SetCheckNotes(NoteDelControllo(), controllo_.riepilogo.Testo());
            app_->ActiveWindow()->SetVisible(true);
        } else {
            fase_ = QStringLiteral("Impossibile stampare il documento");
            c_.ImpostaInformazioni(QStringLiteral("Stampa documento in corso..."));
            const int copie = NumeroCopie(c_.TestoCopie());
            if (!Stampa(copie)) {
                return false;
            }
        }
        risultato_ = true;
        return true;
    }

    // Sends the output painted for the check, or paints and sends it. A picture that the
    // engine could not draw fails it with nothing printed; each such picture is handled as one
    // that could not be placed, and after 'Ok' to every one the document is painted and printed
    // again, their boxes left empty. Another error goes to the caller.
    bool Stampa(int copie) {
        std::vector<Publisher::PictureWarning> nuove = std::exchange(inAttesa_, {});
        for (;;) {
            if (!AccettaNonDisegnate(nuove)) {
                return false;
            }
            try {
                if (!std::exchange(preparata_, false)) {
                    doc_->PrepareOutput(-1, -1, QString(), copie, true);
                }
                app_->ActiveDocument()->CommitOutput();
                return true;
            } catch (const Error& e) {
                nuove = NonDisegnateOppureRilancia(e);
            }
        }
    }

    // Called while handling `e`, a failed painting: the pictures it could not draw that were not
    // yet asked about; `e` again when it failed for another cause or names no new picture.
    std::vector<Publisher::PictureWarning> NonDisegnateOppureRilancia(const Error& e) {
        if (e.Number() == runtime::ErrImmagineNonValida) {
            std::vector<Publisher::PictureWarning> nuove = NonDisegnate();
            if (!nuove.empty()) {
                return nuove;
            }
        }
        throw;
    }

    // Asks about each picture the engine could not draw; false at 'Annulla'.
    bool AccettaNonDisegnate(const std::vector<Publisher::PictureWarning>& nuove) {
        for (const auto& avviso : nuove) {
            const QString nome = percorsi_.value(avviso.FileName, avviso.FileName);
            c_.ImmagineNonInserita(nome, avviso.Description);
            if (!GestoreErroreImmagine(nome)) {
                return false;
            }
        }
        return true;
    }

    // The pictures the engine could not draw and that were not yet asked about.
    std::vector<Publisher::PictureWarning> NonDisegnate() {
        std::vector<Publisher::PictureWarning> nuove;
        for (auto& avviso : doc_->PictureWarnings()) {
            if (avviso.NotDrawn && !nonDisegnate_.contains(avviso.FileName)) {
                nonDisegnate_.append(avviso.FileName);
                nuove.push_back(std::move(avviso));
            }
        }
        return nuove;
    }

    // The pictures the engine found damaged, told by their entry text. Only a report: a failure
    // to give it changes nothing of the job.
    void RiferisciDanni() {
        std::vector<Publisher::PictureWarning> avvisi;
        try {
            avvisi = doc_->PictureWarnings();
        } catch (...) {
            return;
        }
        // Those the check before printing found were told then.
        QSet<QString> giaDette;
        for (const Rilievo& rilievo : controllo_.rilievi) {
            if (rilievo.tipo == TipoRilievo::Danneggiata) {
                giaDette.insert(rilievo.file);
            }
        }
        for (const auto& avviso : avvisi) {
            const QString nome = percorsi_.value(avviso.FileName, avviso.FileName);
            if (!avviso.NotDrawn && !giaDette.contains(nome)) {
                c_.ImmagineDanneggiata(nome, avviso.Description);
            }
        }
    }

    // Stage 4, the clean-up point. After printing, a failure to close the document or quit is
    // told to the user but does not undo the result: the pages are printed.
    bool Pulizia() {
        c_.ImpostaProgressoVisibile(false);
        if (anteprima_) {
            doc_.reset();
            app_.reset();
            return risultato_;
        }
        try {
            doc_->Close();
        } catch (...) {
            MostraErrorePulizia(QStringLiteral("Impossibile chiudere il documento"));
        }
        doc_.reset();
        try {
            app_->Quit();
        } catch (...) {
            MostraErrorePulizia(QStringLiteral("Impossibile terminare Publisher"));
        }
        app_.reset();
        return risultato_;
    }

    void MostraErrorePulizia(const QString& cosa) {
        const Guasto guasto = GuastoCorrente();
        c_.MsgBox(guasto.descrizione.isEmpty() ? cosa
                                               : cosa + QStringLiteral(": ") + guasto.descrizione,
                  runtime::vbCritical, runtime::ApplicationTitle);
    }

    ContestoComposizione& c_;
    const bool anteprima_;
    std::shared_ptr<Publisher::Application> app_;
    std::shared_ptr<Publisher::Document> doc_;
    std::vector<std::int32_t> slot_;
    QHash<QString, QString> percorsi_; // path given to AddPicture -> entry text
    QStringList nonDisegnate_;         // pictures the engine could not draw, as asked about
    std::vector<Publisher::PictureWarning> inAttesa_; // the painting for the check found so
    QSet<QString> esclusi_; // entries left out: damaged, and the user said skip them
    VerificaLavoro verifica_;
    Controllo controllo_;
    int pagineLayout_ = 1; // pages of the layout, page 1 the template
    int inserite_ = 0;
    int usati_ = 0;
    int contatorePagine_ = 0;
    bool preparata_ = false; // an output painted for the check is held by the engine
    bool risultato_ = false;
    QString fase_;
    std::optional<CatalogoLavoro> catalogo_;
    std::unique_ptr<QTemporaryDir> cartellaBarre_; // the barcodes' drawings, until the job ends
    int codiciBarre_ = 0;
};

} // namespace

bool ComponiDocumento(ContestoComposizione& contesto, bool Anteprima) {
    try {
        return Composizione(contesto, Anteprima).Esegui();
    } catch (...) {
        return false;
    }
}

} // namespace lumetra::composition
