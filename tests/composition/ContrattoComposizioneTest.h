#pragma once
// The composition's contract, run against every backend: what the user sees (result, messages,
// status texts, progress bar) and what gets printed (pages, pictures in their slots, captions).
// Included by exactly one source file of each test program, which instantiates it for its
// backend (INSTANTIATE_TYPED_TEST_SUITE_P).

#include "ComponiDocumento.h"
#include "ContrattoComposizione.h"

namespace lumetra::composition::test {

namespace {

const QString MsgNonInstallato = QStringLiteral(
    "Impossibile eseguire l'operazione perchè Microsoft Publisher 2002 non è stato installato");
const QString MsgNessunRettangolo =
    QStringLiteral("Il file layout specificato non contiene nessun rettango dove inserire le "
                   "immagini, controllare il file del Publischer");
const QString MsgLayoutDanneggiato =
    QStringLiteral("Impossibile caricare il file di layout. Il file potrebbe essere danneggiato");

QString MsgImmagine(const QString& nome) {
    return QStringLiteral("Impossibile aprire il file immagine specificato: '") + nome +
           QStringLiteral("'. Prememere 'Ok' per ignorare il file e proseguire, 'Annulla' per "
                          "terminare l'operazione");
}

QString Inserimento(int pagina) {
    return QStringLiteral("Inserimento pagina '%1' in corso...").arg(pagina);
}

QString Caricamento(const QString& nome) {
    return QStringLiteral("Caricamento immagine '%1' in corso...").arg(nome);
}

constexpr double AltezzaDidascalia = 0.7 * 72 / 2.54; // "0,7 cm"

} // namespace

TYPED_TEST_SUITE_P(ContrattoComposizione);

// 14 pictures into 12 slots: a full page and a page of two, printed once in collated copies.
TYPED_TEST_P(ContrattoComposizione, RiempieLePagineNellOrdineDellaCoda) {
    this->Prepara(this->backend, this->Griglia());
    this->Accoda(this->Nomi(14));
    this->contesto.copie = QStringLiteral("3");

    ASSERT_TRUE(ComponiDocumento(this->contesto, false));

    EXPECT_TRUE(this->contesto.messaggi.empty());
    QStringList attese = {QStringLiteral("Apertura Micorsoft Publischer in corso..."),
                          QStringLiteral("Caricamento layout in corso..."),
                          QStringLiteral("Verifica layout in corso...")};
    for (int i = 0; i < 14; ++i) {
        attese.append(Caricamento(this->contesto.selezionati.at(i)));
        if (i == 11)
            attese.append(Inserimento(1));
    }
    attese.append(Inserimento(2));
    attese.append(QStringLiteral("Stampa documento in corso..."));
    EXPECT_EQ(this->contesto.informazioni, attese);
    std::vector<float> valori;
    for (int i = 1; i <= 14; ++i)
        valori.push_back(static_cast<float>(i));
    valori.push_back(14);
    EXPECT_EQ(this->contesto.valoriProgresso, valori);
    EXPECT_EQ(this->contesto.massimoProgresso, 14);
    EXPECT_EQ(this->contesto.minimoProgresso, 0);
    EXPECT_FALSE(this->contesto.progressoVisibile);

    EXPECT_EQ(this->backend.Stampe(), 1);
    EXPECT_TRUE(this->backend.Terminato());
    ASSERT_EQ(this->backend.NumeroPagine(), 2);
    for (int s = 0; s < 12; ++s)
        this->VerificaSlotPieno(1, s, s);
    this->VerificaSlotPieno(2, 0, 12);
    this->VerificaSlotPieno(2, 1, 13);
    for (int s = 2; s < 12; ++s)
        this->VerificaSlotVuoto(2, s);
    // The template's other shapes are copied onto every page; no caption was asked for.
    EXPECT_EQ(this->Parole(1), QStringList{QStringLiteral("Catalogo")});
    EXPECT_EQ(this->Parole(2), QStringList{QStringLiteral("Catalogo")});
}

// As many pictures as slots: the page added by the last turn is deleted again.
TYPED_TEST_P(ContrattoComposizione, PaginaPienaSenzaPaginaVuotaInFondo) {
    this->Prepara(this->backend, this->Griglia());
    this->Accoda(this->Nomi(12));

    ASSERT_TRUE(ComponiDocumento(this->contesto, false));

    EXPECT_EQ(this->contesto.informazioni.at(this->contesto.informazioni.size() - 2),
              Inserimento(1));
    ASSERT_EQ(this->backend.NumeroPagine(), 1);
    for (int s = 0; s < 12; ++s)
        this->VerificaSlotPieno(1, s, s);
}

// The layout's later pages stay and come first; their rectangles are no slots. Slots follow
// page 1's collection order, not their place on the page.
TYPED_TEST_P(ContrattoComposizione, OrdineDellaCollezioneEAltrePagine) {
    LayoutProva layout;
    layout.pagine.push_back({{TipoForma::Rettangolo, this->Slot(11), QString()},
                             {TipoForma::RettangoloArrotondato, this->Slot(4), QString()},
                             {TipoForma::Rettangolo, this->Slot(0), QString()}});
    layout.pagine.push_back({{TipoForma::CasellaTesto, {36, 20, 300, 30}, QStringLiteral("Retro")},
                             {TipoForma::Rettangolo, this->Slot(5), QString()}});
    this->Prepara(this->backend, layout);
    this->Accoda(this->Nomi(3));

    ASSERT_TRUE(ComponiDocumento(this->contesto, false));

    ASSERT_EQ(this->backend.NumeroPagine(), 3);
    EXPECT_EQ(this->Parole(1), QStringList{QStringLiteral("Retro")});
    // The rectangle of page 2 is no slot: it stays, empty.
    EXPECT_TRUE(this->ColoreVicino(1, this->Slot(5).CentroX(), this->Slot(5).CentroY(),
                                   BackendComposizione::ColoreForma));
    this->VerificaSlotPieno(2, 11, 0);
    this->VerificaSlotPieno(2, 0, 1);
    this->VerificaSlotPieno(3, 11, 2);
    this->VerificaSlotVuoto(3, 0);
}

// "Visualizza pagine": the document is shown, nothing printed, the application keeps running.
TYPED_TEST_P(ContrattoComposizione, AnteprimaMostraSenzaStampare) {
    this->Prepara(this->backend, this->Griglia());
    this->Accoda(this->Nomi(2));

    ASSERT_TRUE(ComponiDocumento(this->contesto, true));

    EXPECT_TRUE(this->contesto.messaggi.empty());
    EXPECT_TRUE(this->backend.FinestraMostrata());
    EXPECT_FALSE(this->backend.Terminato());
    EXPECT_EQ(this->backend.Stampe(), 0);
    EXPECT_FALSE(this->contesto.progressoVisibile);
    EXPECT_EQ(this->contesto.informazioni.back(), Inserimento(1));
}

TYPED_TEST_P(ContrattoComposizione, LayoutSenzaRettangoli) {
    LayoutProva layout;
    layout.pagine.push_back({{TipoForma::RettangoloArrotondato, this->Slot(0), QString()},
                             {TipoForma::Ovale, this->Slot(1), QString()},
                             {TipoForma::CasellaTesto, this->Slot(2), QStringLiteral("Titolo")}});
    layout.pagine.push_back({{TipoForma::Rettangolo, this->Slot(0), QString()}});
    this->Prepara(this->backend, layout);
    this->Accoda(this->Nomi(2));

    EXPECT_FALSE(ComponiDocumento(this->contesto, false));

    ASSERT_EQ(this->contesto.messaggi.size(), 1u);
    EXPECT_EQ(this->contesto.messaggi[0].testo, MsgNessunRettangolo);
    EXPECT_EQ(this->contesto.messaggi[0].stile, 16);
    EXPECT_EQ(this->contesto.messaggi[0].titolo, QStringLiteral("Lumetra"));
    EXPECT_EQ(this->contesto.informazioni.back(), QStringLiteral("Verifica layout in corso..."));
    this->VerificaTerminatoSenzaStampa();
}

TYPED_TEST_P(ContrattoComposizione, PublisherMancante) {
    this->Prepara(this->backend, this->Griglia());
    this->Accoda(this->Nomi(1));
    this->contesto.fabbrica = []() -> std::shared_ptr<Publisher::Application> {
        throw Publisher::Error(429, QStringLiteral("Impossibile creare l'oggetto"));
    };

    EXPECT_FALSE(ComponiDocumento(this->contesto, false));

    ASSERT_EQ(this->contesto.messaggi.size(), 1u);
    EXPECT_EQ(this->contesto.messaggi[0].testo, MsgNonInstallato);
    EXPECT_EQ(this->contesto.messaggi[0].stile, 0);
    EXPECT_EQ(this->contesto.messaggi[0].titolo, QStringLiteral("Lumetra"));
    EXPECT_EQ(this->contesto.informazioni,
              QStringList{QStringLiteral("Apertura Micorsoft Publischer in corso...")});
    EXPECT_EQ(this->backend.Stampe(), 0);
}

TYPED_TEST_P(ContrattoComposizione, LayoutDanneggiato) {
    this->Prepara(this->backend, this->Griglia());
    this->contesto.layout = this->backend.CreaLayoutIllegibile();
    this->Accoda(this->Nomi(1));

    EXPECT_FALSE(ComponiDocumento(this->contesto, true));

    ASSERT_EQ(this->contesto.messaggi.size(), 1u);
    EXPECT_EQ(this->contesto.messaggi[0].testo, MsgLayoutDanneggiato);
    EXPECT_EQ(this->contesto.messaggi[0].stile, 16);
    EXPECT_EQ(this->contesto.informazioni.back(), QStringLiteral("Caricamento layout in corso..."));
    // Also in preview mode the application is told to quit.
    EXPECT_TRUE(this->backend.Terminato());
    EXPECT_FALSE(this->backend.FinestraMostrata());
    EXPECT_EQ(this->backend.Stampe(), 0);
}

// 'Ok' skips the picture and gives its slot to the next one.
TYPED_TEST_P(ContrattoComposizione, ImmagineIllegibileSaltata) {
    this->Prepara(this->backend, this->Griglia());
    this->Accoda({QStringLiteral("A1.jpg")});
    this->backend.CreaImmagineIllegibile(QStringLiteral("ROTTA.jpg"));
    this->contesto.selezionati.append(QStringLiteral("ROTTA.jpg"));
    this->Accoda({QStringLiteral("C3.jpg")});

    ASSERT_TRUE(ComponiDocumento(this->contesto, false));

    ASSERT_EQ(this->contesto.messaggi.size(), 1u);
    EXPECT_EQ(this->contesto.messaggi[0].testo, MsgImmagine(QStringLiteral("ROTTA.jpg")));
    EXPECT_EQ(this->contesto.messaggi[0].stile, 49);
    EXPECT_EQ(this->contesto.messaggi[0].titolo, QStringLiteral("Lumetra"));
    EXPECT_EQ(this->backend.Stampe(), 1);
    ASSERT_EQ(this->backend.NumeroPagine(), 1);
    this->VerificaSlotPieno(1, 0, 0);
    this->VerificaSlotPieno(1, 1, 2);
    this->VerificaSlotVuoto(1, 2);
}

// 'Annulla' ends the job at the clean-up point: nothing printed, the application quits.
TYPED_TEST_P(ContrattoComposizione, ImmagineIllegibileAnnulla) {
    this->Prepara(this->backend, this->Griglia());
    this->Accoda({QStringLiteral("A1.jpg")});
    this->backend.CreaImmagineIllegibile(QStringLiteral("ROTTA.jpg"));
    this->contesto.selezionati.append(QStringLiteral("ROTTA.jpg"));
    this->Accoda({QStringLiteral("C3.jpg")});
    this->contesto.rispondi = [](const Messaggio&) { return lumetra::runtime::vbCancel; };

    EXPECT_FALSE(ComponiDocumento(this->contesto, false));

    ASSERT_EQ(this->contesto.messaggi.size(), 1u);
    EXPECT_EQ(this->contesto.informazioni.back(), Caricamento(QStringLiteral("ROTTA.jpg")));
    this->VerificaTerminatoSenzaStampa();
}

// Every queued file was dropped before the composition began: nothing to print.
TYPED_TEST_P(ContrattoComposizione, CodaVuota) {
    this->Prepara(this->backend, this->Griglia());

    EXPECT_FALSE(ComponiDocumento(this->contesto, false));

    ASSERT_EQ(this->contesto.messaggi.size(), 1u);
    EXPECT_EQ(this->contesto.messaggi[0].stile, 64);
    EXPECT_TRUE(this->contesto.messaggi[0].testo.startsWith(QStringLiteral("Nessuna immagine")));
    this->VerificaTerminatoSenzaStampa();
}

// External code below, internal code top-left: code = name without its last extension; a name
// whose only dot leads gives no caption text.
TYPED_TEST_P(ContrattoComposizione, DidascalieSottoESinistra) {
    this->Prepara(this->backend, this->Griglia());
    this->Accoda({QStringLiteral("ABC123.jpg"), QStringLiteral("A.B.jpg"), QStringLiteral(".jpg")});
    this->contesto.codiceEsterno = 2;
    this->contesto.codiceInterno = 1;

    ASSERT_TRUE(ComponiDocumento(this->contesto, false));
    ASSERT_EQ(this->backend.NumeroPagine(), 1);

    const double tol = this->backend.TolleranzaPosizione();
    const std::vector<TestoLetto> testi = this->backend.Testi(1);
    const QStringList codici = {QStringLiteral("ABC123"), QStringLiteral("A.B")};
    for (int i = 0; i < 2; ++i) {
        const Riquadro foto = this->Slot(i);
        std::vector<TestoLetto> trovati;
        for (const TestoLetto& t : testi) {
            if (t.testo == codici[i])
                trovati.push_back(t);
        }
        ASSERT_EQ(trovati.size(), 2u) << codici[i].toStdString();
        const bool primoEsterno = trovati[0].riquadro.alto > trovati[1].riquadro.alto;
        const Riquadro esterno = trovati[primoEsterno ? 0 : 1].riquadro;
        const Riquadro interno = trovati[primoEsterno ? 1 : 0].riquadro;
        // Below the picture, centred on it, within the caption height.
        EXPECT_NEAR(esterno.CentroX(), foto.CentroX(), tol + 1);
        EXPECT_GE(esterno.alto, foto.Basso() - tol);
        EXPECT_LE(esterno.Basso(), foto.Basso() + AltezzaDidascalia + tol);
        // Inside the picture's top strip, at its left edge, on a white box that ends after the
        // text.
        EXPECT_GE(interno.sinistra, foto.sinistra);
        EXPECT_LE(interno.sinistra, foto.sinistra + 6);
        EXPECT_GE(interno.alto, foto.alto - tol);
        EXPECT_LE(interno.Basso(), foto.alto + AltezzaDidascalia + tol);
        EXPECT_TRUE(this->ColoreVicino(1, interno.CentroX(), foto.alto + 1, Qt::white));
        EXPECT_TRUE(this->ColoreVicino(1, foto.Destra() - 4, foto.alto + 1, this->Colore(i)));
    }
    // ".jpg": the picture and two empty caption boxes, no text.
    this->VerificaSlotPieno(1, 2, 2);
    for (const TestoLetto& t : testi) {
        EXPECT_TRUE(t.riquadro.sinistra > this->Slot(2).Destra() ||
                    t.riquadro.Destra() < this->Slot(2).sinistra)
            << t.testo.toStdString();
    }
}

// External code above, internal code top-right.
TYPED_TEST_P(ContrattoComposizione, DidascalieSopraEDestra) {
    this->Prepara(this->backend, this->Griglia());
    this->Accoda({QStringLiteral("XY9.jpg")});
    this->contesto.codiceEsterno = 1;
    this->contesto.codiceInterno = 2;

    ASSERT_TRUE(ComponiDocumento(this->contesto, false));

    const double tol = this->backend.TolleranzaPosizione();
    const Riquadro foto = this->Slot(0);
    std::vector<Riquadro> trovati;
    for (const TestoLetto& t : this->backend.Testi(1)) {
        if (t.testo == QStringLiteral("XY9"))
            trovati.push_back(t.riquadro);
    }
    ASSERT_EQ(trovati.size(), 2u);
    const bool primoEsterno = trovati[0].alto < trovati[1].alto;
    const Riquadro esterno = trovati[primoEsterno ? 0 : 1];
    const Riquadro interno = trovati[primoEsterno ? 1 : 0];
    EXPECT_NEAR(esterno.CentroX(), foto.CentroX(), tol + 1);
    EXPECT_LE(esterno.Basso(), foto.alto + tol);
    EXPECT_GE(esterno.alto, foto.alto - AltezzaDidascalia - tol);
    EXPECT_LE(interno.Destra(), foto.Destra());
    EXPECT_GE(interno.Destra(), foto.Destra() - 6);
    EXPECT_GE(interno.alto, foto.alto - tol);
    EXPECT_LE(interno.Basso(), foto.alto + AltezzaDidascalia + tol);
    EXPECT_TRUE(this->ColoreVicino(1, interno.CentroX(), foto.alto + 1, Qt::white));
    EXPECT_TRUE(this->ColoreVicino(1, foto.sinistra + 4, foto.alto + 1, this->Colore(0)));
}

REGISTER_TYPED_TEST_SUITE_P(ContrattoComposizione, RiempieLePagineNellOrdineDellaCoda,
                            AnteprimaMostraSenzaStampare, PaginaPienaSenzaPaginaVuotaInFondo,
                            OrdineDellaCollezioneEAltrePagine, LayoutSenzaRettangoli,
                            PublisherMancante, LayoutDanneggiato, ImmagineIllegibileSaltata,
                            ImmagineIllegibileAnnulla, CodaVuota, DidascalieSottoESinistra,
                            DidascalieSopraEDestra);

} // namespace lumetra::composition::test
