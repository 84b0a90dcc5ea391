// The composition through the built-in engine: layouts written by the test-layout writer, real
// pictures, and a PrintOut that writes a PDF, read back with poppler-utils. What gets printed:
// pages, pictures in their slots, captions. The object-model calls, the status texts and the
// messages of each stretch (a page filled exactly, the preview) are pinned against the recording
// fake (SequenzaChiamateTest, ErroriComposizioneTest); full pages in queue order, copies and the
// shown preview by the window's, lumetra-componi's and the preview window's own runs.
#include "ComponiDocumento.h"
#include "ContestoSemplice.h"
#include "EngineApplication.h"
#include "LetturaPdf.h"
#include "PercorsoFile.h"
#include "PubBuilder.h"
#include "StampaQt.h"
#include "TestImages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRectF>
#include <QTemporaryDir>

#include <ZXing/ReadBarcode.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace lumetra::composition::test {
namespace {

using pub::PubItem;
using Pagina = std::vector<PubItem>;

constexpr int Dpi = 144;
// How far a colour read from the rendered page may be from the expected one, per channel; how
// far a word's box may be from where it belongs, in points.
constexpr int TolleranzaColore = 14;
constexpr double Tolleranza = 1.5;
constexpr double AltezzaDidascalia = 0.7 * 72 / 2.54; // "0,7 cm"
// Fill of the layout's auto shapes: a rectangle left on a page shows it.
const QColor ColoreForma(128, 128, 128);

// Rectangle s (0 to 11, reading order) of the standard layout's 3 columns and 4 rows.
QRectF Slot(int s) {
    return {36.0 + (s % 3) * 180.0, 80.0 + (s / 3) * 195.0, 150.0, 150.0};
}

PubItem Grigia(PubItem forma) {
    forma.style.fill = ColoreForma.rgb();
    return forma;
}
PubItem Rettangolo(const QRectF& r) {
    return Grigia(PubItem::rectangle(r.x(), r.y(), r.width(), r.height()));
}
PubItem Testo(const QRectF& r, const QString& testo) {
    PubItem casella = PubItem::textBox(r.x(), r.y(), r.width(), r.height(), testo);
    casella.style.fill.reset();
    casella.style.line.reset();
    return casella;
}

// The standard layout: a title, the 12 slots, an oval.
Pagina Griglia() {
    Pagina pagina = {Testo({36, 20, 300, 30}, QStringLiteral("Catalogo"))};
    for (int s = 0; s < 12; ++s)
        pagina.push_back(Rettangolo(Slot(s)));
    pagina.push_back(Grigia(PubItem::oval(500, 20, 40, 30)));
    return pagina;
}

// Colour of the i-th queued picture (from 0).
QColor Colore(int i) {
    return QColor::fromHsv((i * 47) % 360, 220, 230);
}

// "ART001.jpg", "ART002.jpg", ...
QStringList Nomi(int quanti) {
    QStringList nomi;
    for (int i = 1; i <= quanti; ++i)
        nomi.append(QStringLiteral("ART%1.jpg").arg(i, 3, 10, QLatin1Char('0')));
    return nomi;
}

// A context that empties a queued picture's file in place when the status reads `quando`: the
// picture was placed, and can no longer be drawn.
class ContestoCheSvuota : public ContestoSemplice {
public:
    QString daSvuotare, quando;
    void ImpostaInformazioni(const QString& testo) override {
        ContestoSemplice::ImpostaInformazioni(testo);
        if (testo == quando && !daSvuotare.isEmpty()) {
            EXPECT_TRUE(QFile(daSvuotare).resize(0));
        }
    }
};

// One job: the layout written and the context pointed at it, at a folder of pictures and at
// the engine; after the run, the PDF it printed.
class Lavoro {
public:
    explicit Lavoro(const std::vector<Pagina>& pagine) {
        QDir(dir_.path()).mkdir(QStringLiteral("foto"));
        pub::PubBuilder builder;
        builder.pageSize(595.28, 841.89);
        for (const Pagina& forme : pagine) {
            pub::PubPage& pagina = builder.addPage();
            for (const PubItem& forma : forme)
                pagina.add(forma);
        }
        contesto.layout = dir_.filePath(QStringLiteral("layout.pub"));
        EXPECT_TRUE(builder.save(contesto.layout));
        contesto.indirizzo = dir_.filePath(QStringLiteral("foto"));
        engine::EngineOptions opzioni;
        opzioni.pdfFile = Pdf();
        auto crea = engine::engineFactory(opzioni);
        contesto.fabbrica = [this, crea]() -> std::shared_ptr<Publisher::Application> {
            auto creata = crea();
            applicazione_ = std::dynamic_pointer_cast<engine::EngineApplication>(creata);
            return creata;
        };
    }

    // Makes a picture for each name, each in the next colour, and queues it.
    void Accoda(const QStringList& nomi) {
        for (const QString& nome : nomi) {
            const QColor colore = Colore(static_cast<int>(contesto.selezionati.size()));
            testimages::writeJpeg(PercorsoFile(contesto.indirizzo, nome), QSize(200, 200), colore,
                                  95);
            contesto.selezionati.append(nome);
        }
    }

    QString Pdf() const { return dir_.filePath(QStringLiteral("stampa.pdf")); }
    bool Stampato() const { return QFile::exists(Pdf()); }
    int Pagine() const { return PagineDelPdf(Pdf()); }
    bool Terminato() const { return applicazione_ && applicazione_->hasQuit(); }

    QStringList Parole(int pagina) const { return TestiDelPdf(Pdf(), pagina); }

    ::testing::AssertionResult ColoreIn(int pagina, QPointF punto, QColor atteso) {
        auto it = immagini_.find(pagina);
        if (it == immagini_.end())
            it = immagini_.emplace(pagina, PaginaDelPdf(Pdf(), pagina, Dpi)).first;
        const QPoint pixel(static_cast<int>(punto.x() * Dpi / 72.0),
                           static_cast<int>(punto.y() * Dpi / 72.0));
        const QColor letto =
            it->second.valid(pixel) ? it->second.pixelColor(pixel) : QColor(Qt::transparent);
        if (std::abs(letto.red() - atteso.red()) <= TolleranzaColore &&
            std::abs(letto.green() - atteso.green()) <= TolleranzaColore &&
            std::abs(letto.blue() - atteso.blue()) <= TolleranzaColore)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << "pagina " << pagina << " (" << punto.x() << ", " << punto.y() << "): letto "
               << letto.name().toStdString() << ", atteso " << atteso.name().toStdString();
    }
    // The picture of queue entry f fills slot s; f < 0: neither a picture nor the layout's
    // rectangle is left there.
    void VerificaSlot(int pagina, int s, int f) {
        EXPECT_TRUE(ColoreIn(pagina, Slot(s).center(), f < 0 ? QColor(Qt::white) : Colore(f)))
            << "slot " << s << ", file " << f;
    }

    ContestoCheSvuota contesto;

private:
    QTemporaryDir dir_;
    std::shared_ptr<engine::EngineApplication> applicazione_;
    std::map<int, QImage> immagini_;
};

// The layout's later pages stay and come first; their rectangles are no slots, nor is a rounded
// rectangle. Slots follow page 1's collection order, not their place on the page.
TEST(ComposizioneMotore, OrdineDellaCollezioneEAltrePagine) {
    Lavoro l({{Rettangolo(Slot(11)), Grigia(PubItem::roundedRectangle(216, 275, 150, 150)),
               Rettangolo(Slot(0))},
              {Testo({36, 20, 300, 30}, QStringLiteral("Retro")), Rettangolo(Slot(5))}});
    l.Accoda(Nomi(3));

    ASSERT_TRUE(ComponiDocumento(l.contesto, false));

    ASSERT_EQ(l.Pagine(), 3);
    EXPECT_EQ(l.Parole(1), QStringList{QStringLiteral("Retro")});
    EXPECT_TRUE(l.ColoreIn(1, Slot(5).center(), ColoreForma));
    l.VerificaSlot(2, 11, 0);
    l.VerificaSlot(2, 0, 1);
    l.VerificaSlot(3, 11, 2);
    l.VerificaSlot(3, 0, -1);
}

// A picture that cannot be read when the document is painted for the check is asked about as
// one that cannot be placed: 'Ok' prints the others with its box left empty, 'Annulla' writes
// nothing. Emptied after the painting, it is not read again: the output holds it.
TEST(ComposizioneMotore, ImmagineIllegibileAllaStampa) {
    const struct {
        const char* quando;
        int risposta;
    } righe[] = {{"Controllo prima della stampa in corso...", runtime::vbOK},
                 {"Controllo prima della stampa in corso...", runtime::vbCancel},
                 {"Stampa documento in corso...", runtime::vbCancel}};
    for (const auto& riga : righe) {
        SCOPED_TRACE(riga.quando);
        Lavoro l({Griglia()});
        l.Accoda(Nomi(3));
        l.contesto.daSvuotare = PercorsoFile(l.contesto.indirizzo, QStringLiteral("ART002.jpg"));
        l.contesto.quando = QString::fromUtf8(riga.quando);
        l.contesto.rispondi = [&](const Messaggio&) { return riga.risposta; };
        const bool dipinta = l.contesto.quando.startsWith(QStringLiteral("Stampa"));

        EXPECT_EQ(ComponiDocumento(l.contesto, false), dipinta || riga.risposta == runtime::vbOK);

        ASSERT_EQ(l.contesto.messaggi.size(), dipinta ? 0u : 1u);
        if (!dipinta) {
            EXPECT_EQ(l.contesto.messaggi[0].testo,
                      QStringLiteral("Impossibile aprire il file immagine specificato: "
                                     "'ART002.jpg'. Prememere 'Ok' per ignorare il file e "
                                     "proseguire, 'Annulla' per terminare l'operazione"));
            EXPECT_EQ(l.contesto.messaggi[0].stile, runtime::vbExclamationOKCancel);
        }
        EXPECT_TRUE(l.Terminato());
        ASSERT_EQ(l.Stampato(), dipinta || riga.risposta == runtime::vbOK);
        if (l.Stampato()) {
            l.VerificaSlot(1, 0, 0);
            l.VerificaSlot(1, 1, dipinta ? 1 : -1);
            l.VerificaSlot(1, 2, 2);
        }
    }
}

// The codes where they were asked for. External: below or above the picture, centred on it,
// within the caption height. Internal: in the picture's top strip at its left or right edge,
// on a white box that ends after the text. Code = name without its last extension; a name
// whose only dot leads gives no caption text.
TEST(ComposizioneMotore, DidascalieAlloroPosto) {
    const struct {
        int esterno; // 1 above, 2 below
        int interno; // 1 left, 2 right
        QStringList nomi;
        QStringList codici; // of the first pictures; the others give no text
    } righe[] = {
        {2, 1, {"ABC123.jpg", "A.B.jpg", ".jpg"}, {"ABC123", "A.B"}},
        {1, 2, {"XY9.jpg"}, {"XY9"}},
    };
    for (const auto& riga : righe) {
        SCOPED_TRACE(riga.nomi.join(' ').toStdString());
        Lavoro l({Griglia()});
        l.Accoda(riga.nomi);
        l.contesto.codiceEsterno = riga.esterno;
        l.contesto.codiceInterno = riga.interno;

        ASSERT_TRUE(ComponiDocumento(l.contesto, false));
        ASSERT_EQ(l.Pagine(), 1);

        const std::vector<ParolaPdf> parole = ParoleDelPdf(l.Pdf(), 1);
        for (int i = 0; i < riga.nomi.size(); ++i) {
            const QRectF foto = Slot(i);
            if (i >= riga.codici.size()) {
                // The picture, and no text over it.
                l.VerificaSlot(1, i, i);
                for (const ParolaPdf& p : parole)
                    EXPECT_TRUE(p.xMin > foto.right() || p.xMax < foto.left())
                        << p.testo.toStdString();
                continue;
            }
            std::vector<QRectF> trovati;
            for (const ParolaPdf& p : parole) {
                if (p.testo == riga.codici[i])
                    trovati.push_back(QRectF(QPointF(p.xMin, p.yMin), QPointF(p.xMax, p.yMax)));
            }
            ASSERT_EQ(trovati.size(), 2u) << riga.codici[i].toStdString();
            std::sort(trovati.begin(), trovati.end(),
                      [](const QRectF& a, const QRectF& b) { return a.top() < b.top(); });
            const bool sotto = riga.esterno == 2;
            const QRectF esterno = trovati[sotto ? 1 : 0];
            const QRectF interno = trovati[sotto ? 0 : 1];
            const double striscia = sotto ? foto.bottom() : foto.top() - AltezzaDidascalia;
            EXPECT_NEAR(esterno.center().x(), foto.center().x(), Tolleranza + 1);
            EXPECT_GE(esterno.top(), striscia - Tolleranza);
            EXPECT_LE(esterno.bottom(), striscia + AltezzaDidascalia + Tolleranza);

            const bool sinistra = riga.interno == 1;
            const double margine =
                sinistra ? interno.left() - foto.left() : foto.right() - interno.right();
            EXPECT_GE(margine, 0);
            EXPECT_LE(margine, 6);
            EXPECT_GE(interno.top(), foto.top() - Tolleranza);
            EXPECT_LE(interno.bottom(), foto.top() + AltezzaDidascalia + Tolleranza);
            EXPECT_TRUE(l.ColoreIn(1, {interno.center().x(), foto.top() + 1}, Qt::white));
            const double altroLato = sinistra ? foto.right() - 4 : foto.left() + 4;
            EXPECT_TRUE(l.ColoreIn(1, {altroLato, foto.top() + 1}, Colore(i)));
        }
    }
}

// What the check before printing finds, kind and file, on real pictures in a real layout:
// resolution and distortion after fitting, pictures cut short, codes twice, captions over the
// next row or off the page or too small to read, slots beyond the page. The summary comes with
// every job; a clean job has no finding.
TEST(ComposizioneMotore, ControlloPrimaDellaStampa) {
    const QRectF alto(36, 40, 150, 150), sotto(36, 204, 150, 150); // 5 mm apart
    const QRectF fondo(216, 760, 150, 70), fuori(500, 300, 150, 150), stretto(216, 40, 30, 150);
    const struct {
        const char* caso;
        std::vector<QRectF> slot;
        std::vector<std::pair<QString, QSize>> foto; // size 0: a JPEG cut at 40%
        int esterno;
        int adattamento;
        QStringList attesi; // "kind:file"
    } righe[] = {
        {"pulito", {alto}, {{"A.jpg", {400, 400}}}, 0, 0, {}},
        {"piccola e tagliata",
         {alto, sotto},
         {{"P.jpg", {100, 100}}, {"T.jpg", {}}},
         0,
         0,
         {"danneggiata:T.jpg", "risoluzione:P.jpg"}},
        {"panorama deformato",
         {alto},
         {{"W.jpg", {1200, 300}}},
         0,
         0,
         {"deformata:W.jpg", "risoluzione:W.jpg"}}, // 300 pixels over 150 points: 144 ppi
        {"panorama adattato", {alto}, {{"W.jpg", {1200, 300}}}, 0, 1, {}},
        {"panorama riempito", {alto}, {{"W.jpg", {1200, 300}}}, 0, 2, {"risoluzione:W.jpg"}},
        {"codice ripetuto",
         {alto, sotto},
         {{"PS-3035.jpg", {400, 400}}, {"ps-3035.png", {400, 400}}},
         0,
         0,
         {"duplicato:ps-3035.png"}},
        {"didascalie",
         {alto, sotto, fondo, stretto},
         {{"A.jpg", {400, 400}},
          {"B.jpg", {400, 400}},
          {"C.jpg", {400, 190}},
          {"CODICE-LUNGHISSIMO-12345.jpg", {80, 400}}},
         2,
         0,
         {"didascalia:A.jpg", "didascalia:C.jpg", "didascalia:CODICE-LUNGHISSIMO-12345.jpg"}},
        {"rettangolo fuori pagina", {fuori}, {{"A.jpg", {400, 400}}}, 0, 0, {"pagina:layout.pub"}},
    };
    for (const auto& riga : righe) {
        SCOPED_TRACE(riga.caso);
        Pagina pagina;
        for (const QRectF& slot : riga.slot)
            pagina.push_back(Rettangolo(slot));
        Lavoro l({pagina});
        for (const auto& [nome, misura] : riga.foto) {
            const QString percorso = PercorsoFile(l.contesto.indirizzo, nome);
            if (misura.isEmpty())
                testimages::writeTruncatedJpeg(percorso, {400, 400}, Qt::red);
            else if (nome.endsWith(QStringLiteral(".png")))
                testimages::writePng(percorso, testimages::photoLikeImage(misura));
            else
                testimages::writeJpeg(percorso, testimages::photoLikeImage(misura));
            l.contesto.selezionati.append(nome);
        }
        l.contesto.codiceEsterno = riga.esterno;
        l.contesto.adattamento = riga.adattamento;
        l.contesto.copie = QStringLiteral("2");

        ASSERT_TRUE(ComponiDocumento(l.contesto, false));

        ASSERT_EQ(l.contesto.controlli.size(), 1u);
        const Controllo& controllo = l.contesto.controlli[0];
        QStringList trovati;
        for (const Rilievo& r : controllo.rilievi)
            trovati.append(NomeTipo(r.tipo) + u':' + QFileInfo(r.file).fileName());
        trovati.sort();
        EXPECT_EQ(trovati, riga.attesi) << controllo.riepilogo.Testo().toStdString();
        EXPECT_EQ(controllo.riepilogo.immagini, static_cast<int>(riga.foto.size()));
        EXPECT_EQ(controllo.riepilogo.spaziVuoti,
                  static_cast<int>(riga.slot.size() - riga.foto.size()));
        EXPECT_EQ(controllo.riepilogo.Fogli(), 2);
    }
}

// A shop's price list in the captions and barcodes under the pictures, read back from the PDF:
// the words of each caption, each barcode by zxing-cpp from a 300 dpi rendering of the page; a
// code the list lacks and an EAN-13 of a wrong check digit are findings of the check.
TEST(ComposizioneMotore, CatalogoDalListino) {
    const QByteArray listino = "Codice;Descrizione;Prezzo;EAN\n"
                               "ART001;Vaso;12,5;4006381333931\n"
                               "ART002;Ciotola;1.234,00;4006381333932\n";
    const struct {
        const char* barre;
        QStringList letti;  // zxing's reading under each picture ("": none)
        QStringList attesi; // findings, "kind:file"
    } righe[] = {
        {"code128", {"ART001", "ART002", "ART003"}, {"listino:ART003.jpg"}},
        {"ean13:ean", {"4006381333931", "", ""}, {"listino:ART003.jpg", "barre:ART002.jpg"}},
    };
    for (const auto& riga : righe) {
        SCOPED_TRACE(riga.barre);
        Lavoro l({Griglia()});
        l.Accoda(Nomi(3));
        QFile file(QFileInfo(l.contesto.layout).dir().filePath(QStringLiteral("listino.csv")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(listino);
        file.close();
        l.contesto.listino = file.fileName();
        l.contesto.codiceEsterno = 2;
        l.contesto.codiceInterno = 2;
        l.contesto.modelloEsterno = QStringLiteral("{codice}\\n{descrizione}");
        l.contesto.modelloInterno = QStringLiteral("{prezzo}");
        ASSERT_TRUE(LeggiTipoBarre(QString::fromLatin1(riga.barre), l.contesto.barre));

        ASSERT_TRUE(ComponiDocumento(l.contesto, false))
            << (l.contesto.messaggi.empty() ? "" : l.contesto.messaggi[0].testo.toStdString());

        const QString testo = l.Parole(1).join(u' ');
        for (const char* atteso : {"ART001 Vaso", "ART002 Ciotola", "€ 12,50", "€ 1.234,00"})
            EXPECT_TRUE(testo.contains(QString::fromUtf8(atteso))) << testo.toStdString();
        QStringList trovati;
        for (const Rilievo& r : l.contesto.controlli.at(0).rilievi) {
            if (r.tipo == TipoRilievo::Listino || r.tipo == TipoRilievo::Barre)
                trovati.append(NomeTipo(r.tipo) + u':' + r.file);
        }
        EXPECT_EQ(trovati, riga.attesi);
        const QImage pagina =
            PaginaDelPdf(l.Pdf(), 1, 300).convertToFormat(QImage::Format_Grayscale8);
        for (int i = 0; i < 3; ++i) {
            // Below the picture and its two caption lines, 1,5 cm high.
            const QRectF barre(Slot(i).left(), Slot(i).bottom() + 2 * AltezzaDidascalia,
                               Slot(i).width(), 1.5 * 72 / 2.54);
            const QImage ritaglio = pagina.copy(
                QRectF(barre.topLeft() * 300 / 72, barre.size() * 300 / 72).toAlignedRect());
            const ZXing::Result letto = ZXing::ReadBarcode(
                {ritaglio.constBits(), ritaglio.width(), ritaglio.height(), ZXing::ImageFormat::Lum,
                 static_cast<int>(ritaglio.bytesPerLine())});
            EXPECT_EQ(QString::fromStdString(letto.text()), riga.letti[i]) << "foto " << i;
        }
    }
}

// The answers to the check: Annulla prints nothing; skipping the damaged pictures composes
// again without them, the next picture taking the slot; going on prints what they hold.
TEST(ComposizioneMotore, RisposteAlControllo) {
    for (const auto risposta : {RispostaControllo::Annulla, RispostaControllo::SaltaDanneggiate,
                                RispostaControllo::Prosegui}) {
        Lavoro l({Griglia()});
        testimages::writeTruncatedJpeg(PercorsoFile(l.contesto.indirizzo, "T.jpg"), {400, 400},
                                       Colore(0), 40);
        l.contesto.selezionati.append(QStringLiteral("T.jpg"));
        l.Accoda({QStringLiteral("B.jpg")});
        l.contesto.rispondiControllo = [&](const Controllo&) {
            EXPECT_FALSE(l.Stampato()); // found while painting, told before anything is written
            return risposta;
        };

        EXPECT_EQ(ComponiDocumento(l.contesto, false), risposta != RispostaControllo::Annulla);
        // Nothing left beside the output: no painted file waiting.
        EXPECT_EQ(QDir(QFileInfo(l.Pdf()).path()).entryList(QDir::Files | QDir::Hidden).size(),
                  risposta == RispostaControllo::Annulla ? 1 : 2);

        ASSERT_EQ(l.contesto.controlli.size(), 1u);
        EXPECT_TRUE(l.contesto.controlli[0].HaDanneggiate());
        EXPECT_TRUE(l.Terminato());
        ASSERT_EQ(l.Stampato(), risposta != RispostaControllo::Annulla);
        if (risposta == RispostaControllo::SaltaDanneggiate) {
            l.VerificaSlot(1, 0, 1);
            l.VerificaSlot(1, 1, -1);
        } else if (risposta == RispostaControllo::Prosegui) {
            l.VerificaSlot(1, 1, 1);
        }
    }
}

} // namespace
} // namespace lumetra::composition::test
