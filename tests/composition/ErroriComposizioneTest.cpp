// The composition's error stretches against the recording fake: which message each failure
// gives, where the job resumes or ends, and in what state the application is left.
#include "SequenzaChiamate.h"

#include "ComponiDocumento.h"

#include <stdexcept>

namespace lumetra::composition::test {
namespace {

const QString Guasto = QStringLiteral("Guasto simulato");

class ErroriComposizione : public SequenzaChiamate {
protected:
    void FallisciSu(const QString& modello, std::int32_t numero = 1004, int occorrenza = 1) {
        finto.Registro().FallisciSu(modello, numero, occorrenza, Guasto);
    }
    QStringList Coda(int righe) const {
        const QStringList operazioni = Operazioni();
        return operazioni.mid(operazioni.size() - righe);
    }
};

TEST_F(ErroriComposizione, PublisherMancante) {
    DueSlot();
    Accoda(1);
    FallisciSu(QStringLiteral("^CreateObject"), 429);

    EXPECT_FALSE(ComponiDocumento(contesto, false));

    EXPECT_EQ(Operazioni(), (QStringList{
                                "lblInformazioni = \"Apertura Micorsoft Publischer in corso...\"",
                                "CreateObject(\"Publisher.Application\") => Errore(429)",
                                "MsgBox(0)",
                            }));
    EXPECT_EQ(contesto.messaggi[0].testo,
              QStringLiteral("Impossibile eseguire l'operazione perchè Microsoft Publisher 2002 "
                             "non è stato installato"));
}

TEST_F(ErroriComposizione, FabbricaCheNonDaUnOggettoPublisher) {
    Accoda(1);
    contesto.fabbrica = []() -> std::shared_ptr<Publisher::Application> {
        throw std::runtime_error("classe non registrata");
    };
    EXPECT_FALSE(ComponiDocumento(contesto, false));
    contesto.fabbrica = [] { return std::shared_ptr<Publisher::Application>(); };
    EXPECT_FALSE(ComponiDocumento(contesto, false));

    ASSERT_EQ(contesto.messaggi.size(), 2u);
    EXPECT_EQ(contesto.messaggi[0].stile, 0);
    EXPECT_EQ(contesto.messaggi[1].testo, contesto.messaggi[0].testo);
}

// The layout error handler: one message per error number, wherever opening or scanning fails;
// the application quits without the document being closed, in preview mode too.
TEST(ErroriLayout, TreMessaggiEUscitaSenzaChiudere) {
    const std::pair<std::int32_t, QString> messaggi[] = {
        {-2130771955,
         QStringLiteral("Il file di layout è già utilizzato in Publisher. Chiudere la finestra du "
                        "Publisher con il file di layout selezionato o salvare il lavoro con un "
                        "altro nome dal Publisher che sta utilizzando il file di layout")},
        {70, QStringLiteral("Impossibile accedere ad il file di layout. Si è cercato di scrivere "
                            "su un disco protetto da scrittura o di accedere ad un file bloccato")},
        {53, QStringLiteral("Impossibile caricare il file di layout. Il file potrebbe essere "
                            "danneggiato")},
    };
    const QString punti[] = {QStringLiteral("^Application\\.Open"),
                             QStringLiteral("^Shapes\\(1\\)\\.Count"),
                             QStringLiteral("^Shape\\(1,4\\)\\.AutoShapeType")};
    for (const auto& [numero, messaggio] : messaggi) {
        for (const QString& punto : punti) {
            for (const bool anteprima : {false, true}) {
                SCOPED_TRACE(punto.toStdString() + " " + std::to_string(numero) +
                             (anteprima ? " anteprima" : " stampa"));
                fake::PublisherFinto finto;
                finto.ImpostaLayout(
                    {{fake::Rettangolo(36, 80, 150, 150), fake::Rettangolo(216, 80, 150, 150),
                      fake::Rettangolo(36, 280, 150, 150), fake::Rettangolo(216, 280, 150, 150)}});
                finto.Registro().FallisciSu(punto, numero);
                ContestoRegistrato contesto(finto.Registro());
                contesto.layout = QStringLiteral("/layout/l.pub");
                contesto.fabbrica = finto.Fabbrica();
                contesto.selezionati = {QStringLiteral("a.jpg")};

                EXPECT_FALSE(ComponiDocumento(contesto, anteprima));

                ASSERT_EQ(contesto.messaggi.size(), 1u);
                EXPECT_EQ(contesto.messaggi[0].testo, messaggio);
                EXPECT_EQ(contesto.messaggi[0].stile, 16);
                EXPECT_EQ(contesto.messaggi[0].titolo, QStringLiteral("Lumetra"));
                const QStringList operazioni = finto.Registro().Operazioni();
                EXPECT_TRUE(operazioni.at(operazioni.size() - 3)
                                .startsWith(punto.mid(1).remove(QLatin1Char('\\'))));
                EXPECT_EQ(operazioni.mid(operazioni.size() - 2),
                          (QStringList{"MsgBox(16)", "Application.Quit"}));
                EXPECT_FALSE(finto.DocumentoChiuso());
                EXPECT_TRUE(finto.ApplicazioneRilasciata());
                EXPECT_TRUE(finto.DocumentoRilasciato());
            }
        }
    }
}

// No rectangle: the clean-up point closes and quits in print mode, and only lets go in preview.
TEST_F(ErroriComposizione, NessunRettangolo) {
    FormaFinta ovale = fake::Rettangolo(36, 80, 150, 150);
    ovale.tipoAutoForma = Publisher::msoShapeOval;
    FormaFinta gruppo = fake::Rettangolo(216, 80, 150, 150);
    gruppo.tipo = Publisher::msoGroup;
    finto.ImpostaLayout({{ovale, gruppo}, {fake::Rettangolo(36, 80, 150, 150)}});
    Accoda(1);

    EXPECT_FALSE(ComponiDocumento(contesto, false));
    EXPECT_EQ(Coda(4), (QStringList{"MsgBox(16)", "prgBar.Visible = False", "Document.Close",
                                    "Application.Quit"}));

    finto.Registro().Svuota();
    EXPECT_FALSE(ComponiDocumento(contesto, true));
    EXPECT_EQ(Coda(3),
              (QStringList{"Shape(1,2).Type -> 6", "MsgBox(16)", "prgBar.Visible = False"}));
    EXPECT_TRUE(finto.ApplicazioneRilasciata());
    EXPECT_TRUE(finto.DocumentoRilasciato());
}

// 'Ok' at a picture that cannot be added: the next file takes the same slot.
TEST_F(ErroriComposizione, ImmagineSaltataLasciaLoSlotAlFileSeguente) {
    DueSlot();
    Accoda(3);
    FallisciSu(QStringLiteral("AddPicture\\(\"/foto/F2\\.jpg\""), -2147024809);

    ASSERT_TRUE(ComponiDocumento(contesto, false));

    EXPECT_EQ(Righe(QStringLiteral("AddPicture|MsgBox")),
              (QStringList{
                  "Shapes(2).AddPicture(\"/foto/F1.jpg\", 0, -1, 36, 80, 150, 150)",
                  "Shapes(2).AddPicture(\"/foto/F2.jpg\", 0, -1, 216, 80, 150, 150) => "
                  "Errore(-2147024809)",
                  "MsgBox(49)",
                  "Shapes(2).AddPicture(\"/foto/F3.jpg\", 0, -1, 216, 80, 150, 150)",
              }));
    ASSERT_EQ(contesto.messaggi.size(), 1u);
    EXPECT_EQ(contesto.messaggi[0].testo,
              QStringLiteral("Impossibile aprire il file immagine specificato: 'F2.jpg'. Prememere "
                             "'Ok' per ignorare il file e proseguire, 'Annulla' per terminare "
                             "l'operazione"));
    EXPECT_EQ(finto.NumeroPagine(), 1);
}

// A caption that fails keeps what was already added: the picture and its external caption stay
// under the next file's picture, in the same slot.
TEST_F(ErroriComposizione, ErroreNellaDidascalia) {
    DueSlot();
    Accoda(2);
    contesto.codiceEsterno = 2;
    contesto.codiceInterno = 1;
    FallisciSu(QStringLiteral("^Font\\(2,7\\)\\.Name"));

    ASSERT_TRUE(ComponiDocumento(contesto, false));

    ASSERT_EQ(finto.NumeroPagine(), 1);
    const auto forme = finto.Forme(1);
    QStringList descrizione;
    for (const FormaFinta& f : forme) {
        descrizione.append(f.tipo == Publisher::msoPicture
                               ? f.immagine + QStringLiteral(" @%1").arg(f.sinistra)
                               : f.testo + QStringLiteral(" @%1").arg(f.sinistra));
    }
    // Title, oval, F1 with its external caption and the internal one that failed at its font,
    // then F2 in the same slot with both captions.
    EXPECT_EQ(descrizione, (QStringList{"Catalogo @36", " @400", "/foto/F1.jpg @36", "F1 @36",
                                        "F1 @36", "/foto/F2.jpg @36", "F2 @36", "F2 @36"}));
    EXPECT_EQ(contesto.messaggi.size(), 1u);
}

TEST_F(ErroriComposizione, AnnullaTerminaAlPuntoDiPulizia) {
    DueSlot();
    Accoda(3);
    FallisciSu(QStringLiteral("^Shape\\(2,2\\)\\.Left"));
    contesto.rispondi = [](const Messaggio&) { return lumetra::runtime::vbCancel; };

    EXPECT_FALSE(ComponiDocumento(contesto, false));
    EXPECT_EQ(Coda(4), (QStringList{"MsgBox(49)", "prgBar.Visible = False", "Document.Close",
                                    "Application.Quit"}));
    EXPECT_TRUE(contesto.messaggi[0].testo.contains(QStringLiteral("'F1.jpg'")));

    finto.Registro().Svuota();
    FallisciSu(QStringLiteral("^Shape\\(2,2\\)\\.Left"));
    EXPECT_FALSE(ComponiDocumento(contesto, true));
    EXPECT_EQ(Coda(2), (QStringList{"MsgBox(49)", "prgBar.Visible = False"}));
    EXPECT_EQ(Righe(QStringLiteral("Quit|Close")).size(), 0);
    EXPECT_FALSE(finto.FinestraVisibile());
    EXPECT_TRUE(finto.ApplicazioneRilasciata());
}

// Nothing to print: an empty queue, or every picture skipped. No page is printed or shown.
TEST_F(ErroriComposizione, NienteDaStampare) {
    DueSlot();
    EXPECT_FALSE(ComponiDocumento(contesto, false));
    EXPECT_EQ(Righe(QStringLiteral("Pages\\.Add")).size(), 0);
    EXPECT_EQ(Coda(4), (QStringList{"MsgBox(64)", "prgBar.Visible = False", "Document.Close",
                                    "Application.Quit"}));

    finto.Registro().Svuota();
    Accoda(2);
    FallisciSu(QStringLiteral("AddPicture"), 5, 1);
    FallisciSu(QStringLiteral("AddPicture"), 5, 2);
    EXPECT_FALSE(ComponiDocumento(contesto, true));
    EXPECT_EQ(Righe(QStringLiteral("^MsgBox")),
              (QStringList{"MsgBox(49)", "MsgBox(49)", "MsgBox(64)"}));
    EXPECT_EQ(Righe(QStringLiteral("Page\\(1\\)\\.Delete|ActiveWindow")).size(), 0);
    EXPECT_EQ(contesto.messaggi.back().testo,
              QStringLiteral("Nessuna immagine è stata inserita nel documento: non ci sono pagine "
                             "da visualizzare"));
}

// Failures where the composition has no handler of its own: a message naming the step, the
// progress bar hidden, the application told to quit, false.
TEST(ErroriNonGestiti, MessaggioUscitaEFalso) {
    struct Caso {
        const char* modello;
        int occorrenza;
        int file;
        bool anteprima;
        const char* messaggio;
    };
    const Caso casi[] = {
        {"^Pages\\.Add", 1, 1, false, "Impossibile aggiungere una nuova pagina al documento"},
        {"^Pages\\.Add", 2, 3, false, "Impossibile aggiungere una nuova pagina al documento"},
        {"^Shape\\(2,4\\)\\.Delete", 1, 2, false,
         "Impossibile eliminare i rettangoli dall'ultima pagina del documento"},
        {"^Shape\\(2,2\\)\\.Delete", 1, 1, true,
         "Impossibile eliminare i rettangoli dall'ultima pagina del documento"},
        {"^Page\\(3\\)\\.Delete", 1, 2, false,
         "Impossibile eliminare l'ultima pagina vuota del documento"},
        {"^Page\\(1\\)\\.Delete", 1, 1, false,
         "Impossibile eliminare la pagina modello del documento"},
        {"^Application\\.ActiveDocument", 1, 1, false, "Impossibile stampare il documento"},
        {"^Document\\.PrintOut", 1, 1, false, "Impossibile stampare il documento"},
        {"^Application\\.ActiveWindow", 1, 1, true,
         "Impossibile visualizzare le pagine del documento"},
        {"^Window\\.Visible", 1, 1, true, "Impossibile visualizzare le pagine del documento"},
    };
    for (const Caso& caso : casi) {
        SCOPED_TRACE(caso.modello);
        fake::PublisherFinto finto;
        finto.ImpostaLayout({LayoutDueSlot()});
        finto.Registro().FallisciSu(QString::fromUtf8(caso.modello), 1004, caso.occorrenza, Guasto);
        ContestoRegistrato contesto(finto.Registro());
        contesto.layout = QStringLiteral("/layout/l.pub");
        contesto.indirizzo = QStringLiteral("/foto");
        contesto.fabbrica = finto.Fabbrica();
        for (int i = 1; i <= caso.file; ++i)
            contesto.selezionati.append(QStringLiteral("F%1.jpg").arg(i));
        EXPECT_FALSE(ComponiDocumento(contesto, caso.anteprima));

        ASSERT_EQ(contesto.messaggi.size(), 1u);
        EXPECT_EQ(contesto.messaggi[0].testo,
                  QString::fromUtf8(caso.messaggio) + QStringLiteral(": ") + Guasto);
        EXPECT_EQ(contesto.messaggi[0].stile, 16);
        const QStringList operazioni = finto.Registro().Operazioni();
        EXPECT_EQ(operazioni.mid(operazioni.size() - 3),
                  (QStringList{"MsgBox(16)", "prgBar.Visible = False", "Application.Quit"}));
        EXPECT_FALSE(finto.DocumentoChiuso());
        EXPECT_EQ(finto.Registro().Conta(QStringLiteral("PrintOut\\([^)]*\\)$")), 0);
        EXPECT_TRUE(finto.ApplicazioneRilasciata());
        EXPECT_FALSE(contesto.progressoVisibile);
    }
}

TEST_F(ErroriComposizione, CopieNonValide) {
    DueSlot();
    Accoda(1);
    contesto.copie = QStringLiteral("abc");

    EXPECT_FALSE(ComponiDocumento(contesto, false));

    ASSERT_EQ(contesto.messaggi.size(), 1u);
    EXPECT_EQ(contesto.messaggi[0].testo,
              QStringLiteral("Impossibile stampare il documento: numero di copie non valido "
                             "('abc')"));
    EXPECT_EQ(Righe(QStringLiteral("PrintOut")).size(), 0);
    EXPECT_TRUE(finto.Terminato());
}

// After printing, a failure to close or to quit is told, but the pages are printed: true.
TEST_F(ErroriComposizione, ErroriDopoLaStampa) {
    DueSlot();
    Accoda(1);
    FallisciSu(QStringLiteral("^Document\\.Close"));
    FallisciSu(QStringLiteral("^Application\\.Quit"));

    EXPECT_TRUE(ComponiDocumento(contesto, false));

    ASSERT_EQ(contesto.messaggi.size(), 2u);
    EXPECT_EQ(contesto.messaggi[0].testo,
              QStringLiteral("Impossibile chiudere il documento: ") + Guasto);
    EXPECT_EQ(contesto.messaggi[1].testo,
              QStringLiteral("Impossibile terminare Publisher: ") + Guasto);
    EXPECT_TRUE(finto.ApplicazioneRilasciata());
}

// Internal code wider than the picture: no narrowing and no fill; alignment and font only.
TEST_F(ErroriComposizione, DidascaliaInternaTroppoLarga) {
    DueSlot();
    finto.ImpostaLarghezzaCarattere(30);
    contesto.selezionati = {QStringLiteral("ABC123.jpg")};
    contesto.codiceInterno = 1;
    contesto.corsivo = true;

    ASSERT_TRUE(ComponiDocumento(contesto, false));

    EXPECT_EQ(Righe(QStringLiteral("^Shape\\(2,6\\)\\.Width =|RGB")).size(), 0);
    const FormaFinta riquadro = finto.Forme(1).back();
    EXPECT_EQ(riquadro.larghezza, 150);
    EXPECT_FALSE(riquadro.riempimento.has_value());
    EXPECT_EQ(riquadro.allineamento, Publisher::pbParagraphAlignmentLeft);
    EXPECT_TRUE(riquadro.corsivo);
    EXPECT_EQ(riquadro.adattamento, Publisher::pbTextAutoFitBestFit);
}

// An engine that never reports a fit while the box is narrowed: the widening stops at the
// picture's width, on both sides.
TEST_F(ErroriComposizione, RestringimentoLimitatoDallaLarghezzaDellImmagine) {
    DueSlot();
    finto.ImpostaTraboccaSenzaAdattamento(true);
    contesto.selezionati = {QStringLiteral("A.jpg"), QStringLiteral("B.jpg")};
    contesto.codiceInterno = 1;

    ASSERT_TRUE(ComponiDocumento(contesto, false));

    EXPECT_EQ(Righe(QStringLiteral("^Shape\\(2,6\\)\\.Width = ")).size(), 150u);
    const auto forme = finto.Forme(1);
    ASSERT_EQ(forme.size(), 6u); // title, oval, two pictures, two captions
    EXPECT_EQ(forme[3].larghezza, 150);
    EXPECT_EQ(forme[3].sinistra, 36);
    EXPECT_EQ(forme[5].larghezza, 150);

    finto.Registro().Svuota();
    contesto.codiceInterno = 2;
    ASSERT_TRUE(ComponiDocumento(contesto, false));
    const auto destra = finto.Forme(1);
    EXPECT_EQ(destra[3].larghezza, 150);
    EXPECT_EQ(destra[3].sinistra + destra[3].larghezza, 187);
}

} // namespace
} // namespace lumetra::composition::test
