// The composition's calls to the object model, in order and with their arguments, interleaved
// with what it shows (status text, progress bar, message boxes): every stage and the captions.
#include "SequenzaChiamate.h"

#include "ComponiDocumento.h"

#include <optional>

namespace lumetra::composition::test {
namespace {

// Every stage of a one-picture job, in order, printed and shown. The preview shows the document
// and lets go of it: no printing, no closing, no quitting.
TEST(SequenzaChiamate, OgniFaseInOrdine) {
    const QStringList comuni = {
        QStringLiteral("lblInformazioni = \"Apertura Micorsoft Publischer in corso...\""),
        QStringLiteral("CreateObject(\"Publisher.Application\")"),
        QStringLiteral("lblInformazioni = \"Caricamento layout in corso...\""),
        QStringLiteral("Application.Open(\"/layout/catalogo.pub\", False, True, 3)"),
        QStringLiteral("lblInformazioni = \"Verifica layout in corso...\""),
        QStringLiteral("Pages.Item(1)"),
        QStringLiteral("Shapes(1).Count -> 4"),
        QStringLiteral("Shapes(1).Item(1)"),
        QStringLiteral("Shape(1,1).Type -> 17"),
        QStringLiteral("Shapes(1).Item(2)"),
        QStringLiteral("Shape(1,2).Type -> 1"),
        QStringLiteral("Shape(1,2).AutoShapeType -> 1"),
        QStringLiteral("Shapes(1).Item(3)"),
        QStringLiteral("Shape(1,3).Type -> 1"),
        QStringLiteral("Shape(1,3).AutoShapeType -> 9"),
        QStringLiteral("Shapes(1).Item(4)"),
        QStringLiteral("Shape(1,4).Type -> 1"),
        QStringLiteral("Shape(1,4).AutoShapeType -> 1"),
        QStringLiteral("Pages.Count -> 1"),
        QStringLiteral("Pages.Add(1, 1, 1)"),
        QStringLiteral("prgBar.Max = 1"),
        QStringLiteral("prgBar.Min = 0"),
        QStringLiteral("prgBar.Visible = True"),
        QStringLiteral("prgBar.Value = 1"),
        QStringLiteral("Pages.Count -> 2"),
        QStringLiteral("Pages.Item(2)"),
        QStringLiteral("Shapes(2).Item(2)"),
        QStringLiteral("lblInformazioni = \"Caricamento immagine 'F1.jpg' in corso...\""),
        QStringLiteral("Shape(2,2).Left -> 36"),
        QStringLiteral("Shape(2,2).Top -> 80"),
        QStringLiteral("Shape(2,2).Width -> 150"),
        QStringLiteral("Shape(2,2).Height -> 150"),
        QStringLiteral("Shapes(2).AddPicture(\"/foto/F1.jpg\", 0, -1, 36, 80, 150, 150)"),
        QStringLiteral("Pages.Count -> 2"),
        QStringLiteral("Pages.Item(2)"),
        QStringLiteral("Shapes(2).Item(4)"),
        QStringLiteral("Shape(2,4).Delete"),
        QStringLiteral("Shapes(2).Item(2)"),
        QStringLiteral("Shape(2,2).Delete"),
        QStringLiteral("lblInformazioni = \"Inserimento pagina '1' in corso...\""),
        QStringLiteral("prgBar.Value = 1"),
        QStringLiteral("Pages.Item(1)"),
        QStringLiteral("Page(1).Delete"),
    };
    const std::pair<bool, QStringList> fini[] = {
        {false,
         {QStringLiteral("lblInformazioni = \"Stampa documento in corso...\""),
          QStringLiteral("Application.ActiveDocument"),
          QStringLiteral("Document.PrintOut(-1, -1, \"\", 2, True)"),
          QStringLiteral("Document.PictureWarnings"), QStringLiteral("prgBar.Visible = False"),
          QStringLiteral("Document.Close"), QStringLiteral("Application.Quit")}},
        {true,
         {QStringLiteral("Application.ActiveWindow"), QStringLiteral("Window.Visible = True"),
          QStringLiteral("Document.PictureWarnings"), QStringLiteral("prgBar.Visible = False")}},
    };
    for (const auto& [anteprima, fine] : fini) {
        SCOPED_TRACE(anteprima ? "anteprima" : "stampa");
        LavoroFinto l;
        l.Accoda(1);
        l.contesto.copie = QStringLiteral("2");

        ASSERT_TRUE(ComponiDocumento(l.contesto, anteprima));

        EXPECT_EQ(l.Operazioni(), comuni + fine);
        EXPECT_TRUE(l.finto.ApplicazioneRilasciata());
        EXPECT_TRUE(l.finto.DocumentoRilasciato());
    }
}

// Full pages are turned by deleting their rectangles from the highest slot down and appending
// a copy of page 1; the last page's rectangles go too, and no page is added after it. When the
// pictures fill the last page exactly, the page added by the last turn is deleted.
TEST(SequenzaChiamate, GiriDiPagina) {
    const QStringList dueGiri = {
        QStringLiteral("Pages.Add(1, 1, 1)"),
        QStringLiteral("Shapes(2).AddPicture(\"/foto/F1.jpg\", 0, -1, 36, 80, 150, 150)"),
        QStringLiteral("Shapes(2).AddPicture(\"/foto/F2.jpg\", 0, -1, 216, 80, 150, 150)"),
        QStringLiteral("Shape(2,4).Delete"),
        QStringLiteral("Shape(2,2).Delete"),
        QStringLiteral("lblInformazioni = \"Inserimento pagina '1' in corso...\""),
        QStringLiteral("Pages.Add(1, 2, 1)"),
        QStringLiteral("Shapes(3).AddPicture(\"/foto/F3.jpg\", 0, -1, 36, 80, 150, 150)"),
        QStringLiteral("Shapes(3).AddPicture(\"/foto/F4.jpg\", 0, -1, 216, 80, 150, 150)"),
        QStringLiteral("Shape(3,4).Delete"),
        QStringLiteral("Shape(3,2).Delete"),
        QStringLiteral("lblInformazioni = \"Inserimento pagina '2' in corso...\""),
        QStringLiteral("Pages.Add(1, 3, 1)"),
    };
    const std::pair<int, QStringList> righe[] = {
        {5,
         {QStringLiteral("Shapes(4).AddPicture(\"/foto/F5.jpg\", 0, -1, 36, 80, 150, 150)"),
          QStringLiteral("Shape(4,4).Delete"), QStringLiteral("Shape(4,2).Delete"),
          QStringLiteral("lblInformazioni = \"Inserimento pagina '3' in corso...\""),
          QStringLiteral("Page(1).Delete")}},
        {4, {QStringLiteral("Page(4).Delete"), QStringLiteral("Page(1).Delete")}},
    };
    for (const auto& [file, fine] : righe) {
        SCOPED_TRACE(file);
        LavoroFinto l;
        l.Accoda(file);

        ASSERT_TRUE(ComponiDocumento(l.contesto, false));

        EXPECT_EQ(l.Righe(QStringLiteral("Delete|Pages\\.Add|AddPicture|Inserimento pagina")),
                  dueGiri + fine);
        QStringList valori;
        for (int i = 1; i <= file; ++i)
            valori.append(QStringLiteral("prgBar.Value = %1").arg(i));
        EXPECT_EQ(l.Righe(QStringLiteral("^prgBar\\.Value")), valori + QStringList{valori.last()});
    }
}

// The captions of one picture as they are left: external above, centred, as high as the caption
// height; internal top-left, narrowed to its text (6 characters of 6 points and two margins of
// 2.88 need 41.76 points: 42) on white; both fitted, in the chosen font. How the internal box
// gets there is the table below; where they land on a page, the engine's suite.
TEST(SequenzaChiamate, DidascalieSopraESinistra) {
    LavoroFinto l;
    l.contesto.selezionati = {QStringLiteral("ABC123.jpg")};
    l.contesto.codiceEsterno = 1;
    l.contesto.codiceInterno = 1;
    l.contesto.nomeFont = QStringLiteral("Arial");
    l.contesto.grassetto = true;

    ASSERT_TRUE(ComponiDocumento(l.contesto, false));

    QStringList didascalie;
    for (const FormaFinta& f : l.finto.Forme(1)) {
        if (f.tipo == Publisher::msoTextBox && f.testo != QStringLiteral("Catalogo"))
            didascalie.append(QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9 %10 %11")
                                  .arg(f.testo)
                                  .arg(f.sinistra)
                                  .arg(f.alto)
                                  .arg(f.larghezza)
                                  .arg(f.altezza)
                                  .arg(f.allineamento)
                                  .arg(f.adattamento)
                                  .arg(f.font)
                                  .arg(f.grassetto)
                                  .arg(f.corsivo)
                                  .arg(f.riempimento ? *f.riempimento : -1));
    }
    EXPECT_EQ(
        didascalie,
        (QStringList{QStringLiteral("ABC123 36 %1 150 %2 1 2 Arial 1 0 -1")
                         .arg(80 - Altezza07)
                         .arg(Altezza07),
                     QStringLiteral("ABC123 36 80 42 %1 0 2 Arial 1 0 16777215").arg(Altezza07)}));
}

// The internal caption's box as it is left, and how many times it was widened. It is narrowed
// to its text ("X.Y.Z": 30 points of text and 5.76 of margins fit in 36 points) keeping the
// edge it is aligned to; left and width move together, so a right-aligned box keeps the right
// edge it had after the first step. A code wider than the picture is neither narrowed nor
// filled. An engine that never reports a fit while the box is narrowed: the widening stops at
// the picture's width. The box is as high as the caption height asked for.
TEST(SequenzaChiamate, RiquadroDellaDidascaliaInterna) {
    const struct {
        const char* nome;
        int interno;
        double larghezzaCarattere;
        bool traboccaSenzaAdattamento;
        int allargamenti;
        double sinistra;
        double larghezza;
        std::optional<std::int32_t> riempimento;
    } righe[] = {
        {"X.Y.Z.png", 2, 6, false, 36, 151, 36, 0xFFFFFF},
        {"ABC123.jpg", 1, 30, false, 0, 36, 150, std::nullopt},
        {"A.jpg", 1, 6, true, 150, 36, 150, 0xFFFFFF},
        {"A.jpg", 2, 6, true, 150, 37, 150, 0xFFFFFF},
    };
    for (const auto& riga : righe) {
        SCOPED_TRACE(std::string(riga.nome) + " " + std::to_string(riga.interno));
        LavoroFinto l;
        l.finto.ImpostaLarghezzaCarattere(riga.larghezzaCarattere);
        l.finto.ImpostaTraboccaSenzaAdattamento(riga.traboccaSenzaAdattamento);
        l.contesto.selezionati = {QString::fromLatin1(riga.nome)};
        l.contesto.codiceInterno = riga.interno;
        l.contesto.altezza = QStringLiteral("1,5");

        ASSERT_TRUE(ComponiDocumento(l.contesto, false));

        EXPECT_EQ(l.Righe(QStringLiteral("^Shape\\(2,6\\)\\.Width = ")).size(), riga.allargamenti);
        EXPECT_EQ(l.Righe(QStringLiteral("AddTextbox")),
                  QStringList{QStringLiteral("Shapes(2).AddTextbox(1, 36, 80, 150, \"1,5 cm\")")});
        const FormaFinta riquadro = l.finto.Forme(1).back();
        EXPECT_DOUBLE_EQ(riquadro.altezza, 1.5 * 72 / 2.54);
        EXPECT_EQ(riquadro.sinistra, riga.sinistra);
        EXPECT_EQ(riquadro.larghezza, riga.larghezza);
        EXPECT_EQ(riquadro.riempimento, riga.riempimento);
        EXPECT_EQ(riquadro.allineamento, riga.interno == 1 ? Publisher::pbParagraphAlignmentLeft
                                                           : Publisher::pbParagraphAlignmentRight);
        EXPECT_EQ(riquadro.adattamento, Publisher::pbTextAutoFitBestFit);
    }
}

} // namespace
} // namespace lumetra::composition::test
