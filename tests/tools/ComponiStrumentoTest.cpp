// lumetra-componi end to end: a generated layout and pictures in, a PDF out, read back.
#include "FileNames.h"
#include "LetturaPdf.h"
#include "PubBuilder.h"
#include "StampaQt.h"
#include "TestImages.h"
#include "TestProcess.h"

#include <QDir>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace lumetra::composition::test {
namespace {

using lumetra::testsupport::ProgramRun;

ProgramRun Esegui(const QStringList& argomenti,
                  const QProcessEnvironment& ambiente = QProcessEnvironment::systemEnvironment()) {
    return lumetra::testsupport::startProgram(QStringLiteral(LUMETRA_COMPONI), argomenti, ambiente);
}

class ComponiStrumento : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("foto")));
        pub::PubBuilder builder;
        auto& pagina = builder.addPage();
        pagina.addTextBox(36, 20, 400, 36, QStringLiteral("Catalogo"));
        for (int s = 0; s < 12; ++s)
            pagina.addRectangle(36 + (s % 3) * 180, 80 + (s / 3) * 190, 150, 150);
        ASSERT_TRUE(builder.save(Layout()));
    }
    QString Layout() const { return dir.filePath(QStringLiteral("catalogo.pub")); }
    QString Foto() const { return dir.filePath(QStringLiteral("foto")); }
    QString Pdf() const { return dir.filePath(QStringLiteral("stampa.pdf")); }

    QTemporaryDir dir;
};

// 15 pictures, two of them damaged and one missing: two pages, both captions, the bad files
// reported and skipped.
TEST_F(ComponiStrumento, ComponeInPdf) {
    QStringList file;
    for (int i = 1; i <= 14; ++i) {
        const QString nome = QStringLiteral("ART-%1.jpg").arg(i, 2, 10, QLatin1Char('0'));
        testimages::writeJpeg(QDir(Foto()).filePath(nome), QSize(240, 180),
                              QColor::fromHsv(i * 25, 200, 220));
        file.append(nome);
    }
    testimages::writeDamagedJpeg(QDir(Foto()).filePath(QStringLiteral("ROTTA.jpg")));
    // Cut short: placed, found damaged while the pages are painted, skipped at the check.
    testimages::writeTruncatedJpeg(QDir(Foto()).filePath(QStringLiteral("TAGLIATA.jpg")),
                                   {400, 400}, Qt::red, 40);
    // The last name is Latin-1, as from an old share: placed, and captioned as it reads.
    const QString latino1 = runtime::fromNativeName("ART-14\xE0.jpg"), foto = Foto() + '/';
    ASSERT_EQ(
        ::rename(runtime::nativeName(foto + file.last()), runtime::nativeName(foto + latino1)), 0);
    file.last() = latino1;
    file.insert(3, QStringLiteral("ROTTA.jpg"));
    file.insert(5, QStringLiteral("MANCANTE.jpg"));
    file.insert(1, QStringLiteral("TAGLIATA.jpg"));

    const ProgramRun e =
        Esegui(QStringList{"--layout", Layout(), "--cartella", Foto(), "--esterno", "2",
                           "--interno", "1", "--altezza", "0,8", "--font", "DejaVu Sans",
                           "--grassetto", "--copie", "2", "--pdf", Pdf()} +
               file);

    ASSERT_EQ(e.exitCode, 0) << e.errors.toStdString();
    EXPECT_TRUE(e.errors.contains(QStringLiteral(
        "\nImmagini saltate (3): MANCANTE.jpg, ROTTA.jpg, TAGLIATA.jpg\nDocumento scritto in ")))
        << e.errors.toStdString();
    ASSERT_EQ(PagineDelPdf(Pdf()), 2);
    // Page 1: ART-01 .. ART-12, each code twice (below and inside).
    const QStringList prima = TestiDelPdf(Pdf(), 1);
    for (int i = 1; i <= 12; ++i) {
        const QString codice = QStringLiteral("ART-%1").arg(i, 2, 10, QLatin1Char('0'));
        EXPECT_EQ(prima.count(codice), 2) << codice.toStdString();
    }
    EXPECT_FALSE(prima.contains(QStringLiteral("ROTTA")));
    const QStringList seconda = TestiDelPdf(Pdf(), 2);
    EXPECT_EQ(seconda.count(QStringLiteral("ART-13")), 2);
    EXPECT_EQ(seconda.count(QStringLiteral("ART-14à")), 2);
    EXPECT_TRUE(seconda.contains(QStringLiteral("Catalogo")));
    // Slot 4 of page 1 (second row, first column) holds ART-04, the file after the damaged one.
    const QImage pagina = PaginaDelPdf(Pdf(), 1, 72);
    ASSERT_FALSE(pagina.isNull());
    const QColor letto = pagina.pixelColor(36 + 75, 80 + 190 + 100);
    const QColor atteso = QColor::fromHsv(4 * 25, 200, 220);
    EXPECT_LE(std::abs(letto.red() - atteso.red()) + std::abs(letto.green() - atteso.green()) +
                  std::abs(letto.blue() - atteso.blue()),
              30)
        << letto.name().toStdString();
    const QString font = lumetra::testsupport::runProgram(QStringLiteral("pdffonts"), {Pdf()});
    EXPECT_TRUE(font.contains(QStringLiteral("Bold"))) << font.toStdString();
}

// A print server that takes the connection and never answers (the system completes the
// connection, nothing reads or replies): the job fails after the bounded wait, saying so after
// the check's summary, and the tool does not report it printed.
TEST_F(ComponiStrumento, ServerDiStampaCheNonRisponde) {
    const int muto = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in indirizzo{};
    indirizzo.sin_family = AF_INET;
    indirizzo.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t lunghezza = sizeof indirizzo;
    auto* generico = reinterpret_cast<sockaddr*>(&indirizzo);
    ASSERT_EQ(::bind(muto, generico, lunghezza), 0);
    ASSERT_EQ(::listen(muto, 4), 0);
    ASSERT_EQ(::getsockname(muto, generico, &lunghezza), 0);
    const QString server = QStringLiteral("127.0.0.1:%1").arg(ntohs(indirizzo.sin_port));
    testimages::writeJpeg(QDir(Foto()).filePath(QStringLiteral("A.jpg")), QSize(100, 100), Qt::red);
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert(QStringLiteral("CUPS_SERVER"), server);

    const ProgramRun e = Esegui(
        {"--layout", Layout(), "--cartella", Foto(), "--ppi-minimo", "40", "--stampante", "A.jpg"},
        ambiente);
    ::close(muto);

    EXPECT_EQ(e.exitCode, 1);
    EXPECT_EQ(e.errors, QStringLiteral("Riepilogo: 1 immagine, 1 pagina, 11 spazi vuoti "
                                       "nell'ultima pagina, 1 foglio da stampare (1 pagina x 1 "
                                       "copia)\nImpossibile stampare il documento: La stampante "
                                       "predefinita non è disponibile: il server di stampa '%1' "
                                       "non ha risposto entro 15 secondi\n")
                            .arg(server));
}

// A price list for the captions and a barcode, run directly; the same job saved into its folder,
// the folder moved and the saved job run: the same document. Files given beside it win.
TEST_F(ComponiStrumento, ListinoELavoroSalvato) {
    const QStringList foto{"00123.jpg", "ART-02.jpg", "ART-03.jpg"};
    for (int i = 0; i < 3; ++i)
        testimages::writeJpeg(QDir(Foto()).filePath(foto[i]), {240, 180},
                              QColor::fromHsv(i * 90, 200, 220));
    testimages::writeBytes(dir.filePath("listino.csv"), "Codice;Descrizione;Prezzo\n"
                                                        "00123;Vaso blu;12,5\n"
                                                        "ART-02;Ciotola;1.234,00\n"
                                                        "ART-03;Piatto;3\n");
    const QStringList lavoro =
        QStringList{"--layout", Layout(),    "--cartella",
                    Foto(),     "--listino", dir.filePath("listino.csv")} +
        QStringLiteral("--esterno 2 --interno 1 --altezza 0,5 --testo-esterno "
                       "{codice}\\n{descrizione} --testo-interno {prezzo} --barre code128 "
                       "--barre-altezza 1")
            .split(u' ') +
        foto;
    QTemporaryDir altrove;
    const QString diretta = altrove.filePath("diretta.pdf"),
                  salvato = altrove.filePath("salvato.pdf");
    const ProgramRun e = Esegui(lavoro + QStringList{"--pdf", diretta});
    ASSERT_EQ(e.exitCode, 0) << e.errors.toStdString();
    const QString testo = TestiDelPdf(diretta, 1).join(u' ');
    for (const char* atteso :
         {"00123 Vaso blu", "ART-02 Ciotola", "€ 12,50", "€ 1.234,00", "€ 3,00"})
        EXPECT_TRUE(testo.contains(QString::fromUtf8(atteso))) << testo.toStdString();

    const QString file = dir.filePath("catalogo.lumetra"), spostata = altrove.filePath("spostata");
    const ProgramRun s = Esegui(lavoro + QStringList{"--salva-lavoro", file});
    ASSERT_EQ(s.exitCode, 0) << s.errors.toStdString();
    EXPECT_EQ(s.errors, QStringLiteral("Lavoro salvato in '%1'.\n").arg(file));
    ASSERT_TRUE(QDir().rename(dir.path(), spostata));
    const QString daRieseguire = QDir(spostata).filePath("catalogo.lumetra");
    const ProgramRun r = Esegui({"--lavoro", daRieseguire, "--pdf", salvato});
    ASSERT_EQ(r.exitCode, 0) << r.errors.toStdString();
    EXPECT_EQ(TestiDelPdf(salvato, 1), TestiDelPdf(diretta, 1));
    EXPECT_EQ(PaginaDelPdf(salvato, 1, 72), PaginaDelPdf(diretta, 1, 72)); // the barcodes too

    const ProgramRun f = Esegui({"--lavoro", daRieseguire, "--testo-interno", "{descrizione}",
                                 "--pdf", salvato, "ART-03.jpg"});
    ASSERT_EQ(f.exitCode, 0) << f.errors.toStdString();
    EXPECT_EQ(TestiDelPdf(salvato, 1).count("Piatto"), 2);
    EXPECT_FALSE(TestiDelPdf(salvato, 1).contains("Vaso"));
}

// Help on the command line; wrong ones are InputErratiTest's rows.
TEST_F(ComponiStrumento, Aiuto) {
    const ProgramRun aiuto = Esegui({QStringLiteral("--help")});
    EXPECT_EQ(aiuto.exitCode, 0);
    EXPECT_TRUE(aiuto.output.startsWith("Uso: lumetra-componi"));
}

} // namespace
} // namespace lumetra::composition::test
