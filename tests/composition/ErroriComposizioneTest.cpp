// The composition's error stretches against the recording fake, one row a failure: which
// messages it gives, where the job resumes or ends (its last calls and message boxes), whether
// it counts as done, and that it lets go of the application and the document. A picture that
// fails only when printed is the engine's (ComposizioneMotoreTest).
#include "SequenzaChiamate.h"

#include "ComponiDocumento.h"

#include <stdexcept>

namespace lumetra::composition::test {
namespace {

const QString Guasto = QStringLiteral("Guasto simulato");
const QString MsgNonInstallato = QStringLiteral(
    "Impossibile eseguire l'operazione perchè Microsoft Publisher 2002 non è stato installato");
const QString MsgNessunRettangolo =
    QStringLiteral("Il file layout specificato non contiene nessun rettango dove inserire le "
                   "immagini, controllare il file del Publischer");

QString MsgImmagine(const char* nome) {
    return QStringLiteral("Impossibile aprire il file immagine specificato: '%1'. Prememere 'Ok' "
                          "per ignorare il file e proseguire, 'Annulla' per terminare "
                          "l'operazione")
        .arg(QLatin1String(nome));
}

QString Fallita(const QString& riga, std::int32_t numero) {
    return riga + QStringLiteral(" => Errore(%1)").arg(numero);
}

enum class Fabbrica { Finta, Eccezione, Nulla };

struct Caso {
    std::string nome;
    QStringList guasti = {};    // each pattern fails the first call of the log it matches
    std::int32_t numero = 1004; // the error number they throw
    int file = 1;               // F1.jpg, F2.jpg, ... queued
    bool anteprima = false;
    bool risultato = false;    // ComponiDocumento's result; printed if not in preview
    QStringList messaggi = {}; // every text shown, in order
    int stile = 16;            // of the first one
    QStringList coda = {};     // the last lines of the log
    int risposta = lumetra::runtime::vbOK;
    Fabbrica fabbrica = Fabbrica::Finta;
    bool senzaRettangoli = false; // an oval and a group on page 1, a rectangle on page 2
    QString copie = QStringLiteral("1");
};

const QStringList FineNonGestito = {QStringLiteral("MsgBox(16)"),
                                    QStringLiteral("prgBar.Visible = False"),
                                    QStringLiteral("Application.Quit")};
const QStringList FinePulizia = {QStringLiteral("prgBar.Visible = False"),
                                 QStringLiteral("Document.Close"),
                                 QStringLiteral("Application.Quit")};

std::vector<Caso> Casi() {
    const QString apertura =
        QStringLiteral("lblInformazioni = \"Apertura Micorsoft Publischer in corso...\"");
    std::vector<Caso> casi = {
        {.nome = "publisher_mancante",
         .guasti = {"^CreateObject"},
         .numero = 429,
         .messaggi = {MsgNonInstallato},
         .stile = 0,
         .coda = {apertura, Fallita("CreateObject(\"Publisher.Application\")", 429), "MsgBox(0)"}},
        {.nome = "fabbrica_che_lancia",
         .messaggi = {MsgNonInstallato},
         .stile = 0,
         .coda = {apertura, "MsgBox(0)"},
         .fabbrica = Fabbrica::Eccezione},
        {.nome = "fabbrica_senza_oggetto",
         .messaggi = {MsgNonInstallato},
         .stile = 0,
         .coda = {apertura, "MsgBox(0)"},
         .fabbrica = Fabbrica::Nulla},

        // No rectangle: the clean-up point closes and quits in print mode, and only lets go in
        // preview.
        {.nome = "nessun_rettangolo",
         .messaggi = {MsgNessunRettangolo},
         .coda = QStringList{"MsgBox(16)"} + FinePulizia,
         .senzaRettangoli = true},
        {.nome = "nessun_rettangolo_anteprima",
         .anteprima = true,
         .messaggi = {MsgNessunRettangolo},
         .coda = {"Shape(1,2).Type -> 6", "MsgBox(16)", "prgBar.Visible = False"},
         .senzaRettangoli = true},

        // 'Ok' at a picture that cannot be added: the job goes on and prints.
        {.nome = "immagine_saltata",
         .guasti = {"AddPicture\\(\"/foto/F2\\.jpg\""},
         .numero = -2147024809,
         .file = 3,
         .risultato = true,
         .messaggi = {MsgImmagine("F2.jpg")},
         .stile = 49,
         .coda =
             QStringList{"Document.PrintOut(-1, -1, \"\", 1, True)", "Document.PictureWarnings"} +
             FinePulizia},
        // 'Annulla' ends the job at the clean-up point.
        {.nome = "annulla",
         .guasti = {"^Shape\\(2,2\\)\\.Left"},
         .file = 3,
         .messaggi = {MsgImmagine("F1.jpg")},
         .stile = 49,
         .coda = QStringList{"MsgBox(49)"} + FinePulizia,
         .risposta = lumetra::runtime::vbCancel},
        {.nome = "annulla_anteprima",
         .guasti = {"^Shape\\(2,2\\)\\.Left"},
         .file = 3,
         .anteprima = true,
         .messaggi = {MsgImmagine("F1.jpg")},
         .stile = 49,
         .coda = {"MsgBox(49)", "prgBar.Visible = False"},
         .risposta = lumetra::runtime::vbCancel},

        // Nothing to print: an empty queue (no page is added), or every picture skipped (no
        // page is shown).
        {.nome = "coda_vuota",
         .file = 0,
         .messaggi = {"Nessuna immagine è stata inserita nel documento: non ci sono pagine da "
                      "stampare"},
         .stile = 64,
         .coda = QStringList{"Shape(1,4).AutoShapeType -> 1", "MsgBox(64)"} + FinePulizia},
        {.nome = "tutte_saltate_anteprima",
         .guasti = {"AddPicture\\(\"/foto/F1", "AddPicture\\(\"/foto/F2"},
         .numero = 5,
         .file = 2,
         .anteprima = true,
         .messaggi = {MsgImmagine("F1.jpg"), MsgImmagine("F2.jpg"),
                      "Nessuna immagine è stata inserita nel documento: non ci sono pagine da "
                      "visualizzare"},
         .stile = 49,
         .coda = {Fallita("Shapes(2).AddPicture(\"/foto/F2.jpg\", 0, -1, 36, 80, 150, 150)", 5),
                  "MsgBox(49)", "MsgBox(64)", "prgBar.Visible = False"}},

        {.nome = "copie_non_valide",
         .messaggi = {"Impossibile stampare il documento: numero di copie non valido ('abc')"},
         .coda = QStringList{"lblInformazioni = \"Stampa documento in corso...\""} + FineNonGestito,
         .copie = "abc"},
        // After printing, a failure to close or to quit is told, but the pages are printed.
        {.nome = "errori_dopo_la_stampa",
         .guasti = {"^Document\\.Close", "^Application\\.Quit"},
         .risultato = true,
         .messaggi = {"Impossibile chiudere il documento: " + Guasto,
                      "Impossibile terminare Publisher: " + Guasto},
         .coda = {Fallita("Document.Close", 1004), "MsgBox(16)", Fallita("Application.Quit", 1004),
                  "MsgBox(16)"}},
    };

    // The layout error handler: one message per error number, wherever opening or scanning
    // fails; the application quits without the document being closed, in preview mode too.
    const std::pair<std::int32_t, QString> layout[] = {
        {-2130771955,
         QStringLiteral("Il file di layout è già utilizzato in Publisher. Chiudere la finestra du "
                        "Publisher con il file di layout selezionato o salvare il lavoro con un "
                        "altro nome dal Publisher che sta utilizzando il file di layout")},
        {70, QStringLiteral("Impossibile accedere ad il file di layout. Si è cercato di scrivere "
                            "su un disco protetto da scrittura o di accedere ad un file bloccato")},
        {53, QStringLiteral("Impossibile caricare il file di layout. Il file potrebbe essere "
                            "danneggiato")},
    };
    const QString punti[] = {
        QStringLiteral("Application.Open(\"/layout/catalogo.pub\", False, True, 3)"),
        QStringLiteral("Shapes(1).Count -> 4"), QStringLiteral("Shape(1,4).AutoShapeType -> 1")};
    for (const auto& [numero, messaggio] : layout) {
        for (const QString& punto : punti) {
            for (const bool anteprima : {false, true}) {
                casi.push_back(
                    {.nome = punto.toStdString() + " " + std::to_string(numero),
                     .guasti = {"^" + QRegularExpression::escape(punto)},
                     .numero = numero,
                     .anteprima = anteprima,
                     .messaggi = {messaggio},
                     .coda = {Fallita(punto, numero), "MsgBox(16)", "Application.Quit"}});
            }
        }
    }

    // Failures where the composition has no handler of its own: a message naming the step, the
    // progress bar hidden, the application told to quit without closing the document.
    const struct {
        const char* guasto;
        int file;
        bool anteprima;
        const char* fase;
    } nonGestiti[] = {
        {"^Pages\\.Add", 1, false, "Impossibile aggiungere una nuova pagina al documento"},
        {"^Pages\\.Add\\(1, 2, 1\\)", 3, false,
         "Impossibile aggiungere una nuova pagina al documento"},
        {"^Shape\\(2,4\\)\\.Delete", 2, false,
         "Impossibile eliminare i rettangoli dall'ultima pagina del documento"},
        {"^Shape\\(2,2\\)\\.Delete", 1, true,
         "Impossibile eliminare i rettangoli dall'ultima pagina del documento"},
        {"^Page\\(3\\)\\.Delete", 2, false,
         "Impossibile eliminare l'ultima pagina vuota del documento"},
        {"^Page\\(1\\)\\.Delete", 1, false,
         "Impossibile eliminare la pagina modello del documento"},
        {"^Application\\.ActiveDocument", 1, false, "Impossibile stampare il documento"},
        {"^Document\\.PrintOut", 1, false, "Impossibile stampare il documento"},
        {"^Application\\.ActiveWindow", 1, true,
         "Impossibile visualizzare le pagine del documento"},
        {"^Window\\.Visible", 1, true, "Impossibile visualizzare le pagine del documento"},
    };
    for (const auto& n : nonGestiti) {
        casi.push_back({.nome = n.guasto,
                        .guasti = {QString::fromLatin1(n.guasto)},
                        .file = n.file,
                        .anteprima = n.anteprima,
                        .messaggi = {QString::fromUtf8(n.fase) + QStringLiteral(": ") + Guasto},
                        .coda = FineNonGestito});
    }
    return casi;
}

TEST(ErroriComposizione, OgniGuastoFinisceComeAtteso) {
    for (const Caso& caso : Casi()) {
        SCOPED_TRACE(caso.nome + (caso.anteprima ? " (anteprima)" : ""));
        LavoroFinto l;
        if (caso.senzaRettangoli) {
            FormaFinta ovale = fake::Rettangolo(36, 80, 150, 150);
            ovale.tipoAutoForma = Publisher::msoShapeOval;
            FormaFinta gruppo = fake::Rettangolo(216, 80, 150, 150);
            gruppo.tipo = Publisher::msoGroup;
            l.finto.ImpostaLayout({{ovale, gruppo}, {fake::Rettangolo(36, 80, 150, 150)}});
        }
        for (const QString& guasto : caso.guasti)
            l.finto.Registro().FallisciSu(guasto, caso.numero, Guasto);
        if (caso.fabbrica == Fabbrica::Eccezione) {
            l.contesto.fabbrica = []() -> std::shared_ptr<Publisher::Application> {
                throw std::runtime_error("classe non registrata");
            };
        } else if (caso.fabbrica == Fabbrica::Nulla) {
            l.contesto.fabbrica = [] { return std::shared_ptr<Publisher::Application>(); };
        }
        l.Accoda(caso.file);
        l.contesto.copie = caso.copie;
        l.contesto.rispondi = [&](const Messaggio&) { return caso.risposta; };

        EXPECT_EQ(ComponiDocumento(l.contesto, caso.anteprima), caso.risultato);

        QStringList testi;
        for (const Messaggio& m : l.contesto.messaggi) {
            testi.append(m.testo);
            EXPECT_EQ(m.titolo, QStringLiteral("Lumetra"));
        }
        EXPECT_EQ(testi, caso.messaggi);
        if (!l.contesto.messaggi.empty()) {
            EXPECT_EQ(l.contesto.messaggi[0].stile, caso.stile);
        }
        const QStringList operazioni = l.Operazioni();
        EXPECT_EQ(operazioni.mid(operazioni.size() - caso.coda.size()), caso.coda);
        EXPECT_EQ(l.finto.Registro().Conta(QStringLiteral("^Document\\.PrintOut\\([^)]*\\)$")),
                  caso.risultato && !caso.anteprima ? 1 : 0);
        EXPECT_FALSE(l.contesto.progressoVisibile);
        EXPECT_TRUE(l.finto.ApplicazioneRilasciata());
        EXPECT_TRUE(l.finto.DocumentoRilasciato());
    }
}

// A caption that fails keeps what was already added: the picture and its external caption stay
// under the next file's picture, in the same slot.
TEST(ErroriComposizione, ErroreNellaDidascalia) {
    LavoroFinto l;
    l.Accoda(2);
    l.contesto.codiceEsterno = 2;
    l.contesto.codiceInterno = 1;
    l.finto.Registro().FallisciSu(QStringLiteral("^Font\\(2,7\\)\\.Name"), 1004);

    ASSERT_TRUE(ComponiDocumento(l.contesto, false));

    ASSERT_EQ(l.finto.NumeroPagine(), 1);
    QStringList descrizione;
    for (const FormaFinta& f : l.finto.Forme(1)) {
        descrizione.append((f.tipo == Publisher::msoPicture ? f.immagine : f.testo) +
                           QStringLiteral(" @%1").arg(f.sinistra));
    }
    // Title, oval, F1 with its external caption and the internal one that failed at its font,
    // then F2 in the same slot with both captions.
    EXPECT_EQ(descrizione, (QStringList{"Catalogo @36", " @400", "/foto/F1.jpg @36", "F1 @36",
                                        "F1 @36", "/foto/F2.jpg @36", "F2 @36", "F2 @36"}));
    EXPECT_EQ(l.contesto.messaggi.size(), 1u);
}

} // namespace
} // namespace lumetra::composition::test
