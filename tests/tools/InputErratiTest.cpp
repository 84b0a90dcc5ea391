// Bad inputs of every kind through lumetra-componi, one table: damaged, random and mislabelled
// layouts and pictures, special files named like inputs, files and folders an ordinary user may
// not open, decompression bombs, outputs onto the job's own files, into missing, read-only or
// special places and onto a full disk, no printer, names that are not UTF-8 or near the length
// limit, options out of place, libraries that talk. Each row gives the exit code and a line the
// user must read; no library's line and no English system text reaches the user; every file that
// was there before the run is byte-identical after it, and nothing but the asked-for PDF appears.
#include "CompoundFileWriter.h"
#include "FileNames.h"
#include "PubBuilder.h"
#include "TestImages.h"
#include "TestProcess.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>

namespace lumetra::composition::test {
namespace {

using runtime::fromNativeName;
using runtime::nativeName;
using testimages::writeBytes;

// Names as old Windows shares and archives leave them: Latin-1 bytes, not UTF-8.
const QString LayoutLatino1 = fromNativeName("cat\xE0logo.pub");
const QString FotoLatino1 = fromNativeName("imm\xE0gine.jpg");
// A PDF name of 250 bytes, Latin-1 among them: the file system allows 255.
const QString PdfLungo = fromNativeName("usc\xECta-" + QByteArray(236, 'a') + ".pdf");

void rinomina(const QString& da, const QString& a) {
    ASSERT_EQ(::rename(nativeName(da).constData(), nativeName(a).constData()), 0);
}

QByteArray casuali(int quanti, quint32 seme) {
    QByteArray byte(quanti, '\0');
    for (char& c : byte) {
        seme = seme * 1103515245u + 12345u;
        c = char(seme >> 16);
    }
    return byte;
}

QByteArray composto(const QByteArray& contents) {
    pub::CompoundFileWriter file;
    file.addStream(QStringLiteral("Contents"), contents);
    file.addStream(QStringLiteral("Altro"), QByteArray(600, 'x'));
    return file.build();
}

// The job's folder: L.pub (a page of two rectangles), foto/ with good pictures, and whatever
// the row adds. {L}, {D} and {O} in a row's arguments stand for the layout, the folder, the
// output.
struct Lavoro {
    QTemporaryDir dir;
    ~Lavoro() { // QTemporaryDir cannot name what is not UTF-8
        std::error_code errore;
        std::filesystem::remove_all(nativeName(dir.path()).toStdString(), errore);
    }
    QString L() const { return dir.filePath(QStringLiteral("L.pub")); }
    QString D() const { return dir.filePath(QStringLiteral("foto")); }
    QString in(const QString& nome) const { return QDir(D()).filePath(nome); }
};

struct Caso {
    const char* nome;
    std::function<void(Lavoro&)> prepara;
    QString argomenti; // after --layout {L} --cartella {D}
    int uscita;
    QString riga;     // a regular expression one line of stderr must match whole
    bool pdf = false; // the PDF {O} is written
    QString nomeUscita = QStringLiteral("uscita.pdf"); // {O}'s name in the job's folder
};

const QString Buona = QStringLiteral("buona.jpg");

// What the tool says of a layout it cannot find or cannot load, and of a picture (%1: its name)
// it cannot find, cannot place, or places although it is damaged.
const QString LayoutIntrovabile =
    QStringLiteral("Impossibile trovare il file di layout specificato: '.*'");
const QString LayoutDanneggiato =
    QStringLiteral("Impossibile caricare il file di layout\\. Il file potrebbe essere danneggiato");
const QString FotoIntrovabile =
    QStringLiteral("Impossibile trovare il file immagine specificato: '.*/%1': immagine saltata");
QString saltata(const char* motivo) {
    return QStringLiteral("Il file immagine '%1' non si può inserire: ") +
           QString::fromUtf8(motivo) + QStringLiteral(": immagine saltata");
}
const QString Saltata = saltata(".+");
const QString Danneggiata = QStringLiteral("avviso: danneggiata: '%1': .+");
const QString DueImmagini = QStringLiteral("Documento scritto in '.*': 2 immagini\\.");

void nulla(Lavoro&) {}

// The layout as `crea` leaves it (it is handed L.pub's path): the job ends with exit code 1.
Caso layout(const char* nome, const QString& riga, std::function<void(const QString&)> crea) {
    return {nome, [crea](Lavoro& l) { crea(l.L()); }, "--pdf {O} buona.jpg", 1, riga};
}
// The good picture and `file`, which `crea` makes in the pictures' folder: the job goes on and
// prints, and `riga` (%1: the name of `file`) tells what became of it.
Caso foto(const char* nome, const QString& file, const QString& riga,
          std::function<void(const QString&)> crea) {
    const QString atteso = riga.arg(QRegularExpression::escape(file));
    return {nome, [=](Lavoro& l) { crea(l.in(file)); }, "--pdf {O} buona.jpg " + file, 0, atteso,
            true};
}

std::vector<Caso> casi() {
    using L = Lavoro&;
    using P = const QString&;
    return {
        // Layouts.
        {"layout_mancante", [](L l) { QFile::remove(l.L()); }, "--pdf {O} buona.jpg", 1,
         "Impossibile trovare il file di layout specificato: '.*/L\\.pub'"},
        layout("layout_fifo", LayoutIntrovabile,
               [](P p) {
                   QFile::remove(p);
                   ::mkfifo(QFile::encodeName(p).constData(), 0644);
               }),
        layout("layout_collegamento_rotto", LayoutIntrovabile,
               [](P p) {
                   QFile::remove(p);
                   QFile::link(p + QStringLiteral(".non-esiste"), p);
               }),
        layout("layout_vuoto", LayoutDanneggiato, [](P p) { writeBytes(p, {}); }),
        layout("layout_casuale", LayoutDanneggiato, [](P p) { writeBytes(p, casuali(65536, 7)); }),
        layout("layout_troncato", LayoutDanneggiato,
               [](P p) {
                   const QByteArray b = testimages::readBytes(p);
                   writeBytes(p, b.left(b.size() / 3));
               }),
        layout("layout_danneggiato", LayoutDanneggiato,
               [](P p) {
                   QByteArray b = testimages::readBytes(p);
                   for (qsizetype i = 1024; i < b.size(); i += 97)
                       b[i] = char(b[i] ^ 0x5A);
                   writeBytes(p, b);
               }),
        layout("layout_versione_sconosciuta", LayoutDanneggiato,
               [](P p) {
                   writeBytes(p, composto(QByteArray("\xE8\xAC\x11\x00", 4) + casuali(200, 3)));
               }),
        layout("layout_publisher_2", LayoutDanneggiato,
               [](P p) {
                   writeBytes(p, composto(QByteArray("\xE8\xAC\x22\x00", 4) + casuali(400, 5)));
               }),
        layout("layout_documento_office", LayoutDanneggiato,
               [](P p) {
                   pub::CompoundFileWriter f;
                   f.addStream(QStringLiteral("WordDocument"), casuali(1000, 9));
                   writeBytes(p, f.build());
               }),
        layout("layout_enorme", LayoutDanneggiato,
               [](P p) {
                   QFile f(p);
                   f.open(QIODevice::ReadWrite);
                   f.resize(qint64(300) << 20); // sparse: nothing is written to disk
               }),
        layout("layout_senza_rettangoli",
               "Il file layout specificato non contiene nessun rettango dove inserire le "
               "immagini, controllare il file del Publischer",
               [](P p) {
                   pub::PubBuilder b;
                   b.addPage().addTextBox(36, 36, 300, 40, QStringLiteral("Solo un titolo"));
                   ASSERT_TRUE(b.save(p));
               }),

        {"layout_illeggibile", [](L l) { QFile::setPermissions(l.L(), {}); },
         "@nobody --pdf {O} buona.jpg", 1,
         "Impossibile accedere ad il file di layout\\. Si è cercato di scrivere su un disco "
         "protetto da scrittura o di accedere ad un file bloccato"},

        // The pictures' folder.
        {"cartella_mancante", [](L l) { QDir(l.D()).removeRecursively(); }, "--pdf {O} buona.jpg",
         1, "La cartella delle immagini '.*/foto' non esiste\\."},
        {"cartella_e_un_file",
         [](L l) {
             QDir(l.D()).removeRecursively();
             writeBytes(l.D(), "non una cartella\n");
         },
         "--pdf {O} buona.jpg", 1, "'.*/foto' non è una cartella\\."},
        {"cartella_chiusa",
         [](L l) { QFile::setPermissions(l.D(), QFileDevice::ReadOwner | QFileDevice::ReadOther); },
         "@nobody --pdf {O} buona.jpg", 1,
         "La cartella delle immagini '.*/foto' non è accessibile: accesso negato\\."},

        // Pictures: skipped or placed with a warning; the job goes on with the good one.
        foto("foto_mancante", "manca.jpg", FotoIntrovabile, [](P) {}),
        foto("foto_fifo", "tubo.png", FotoIntrovabile,
             [](P p) { ::mkfifo(QFile::encodeName(p).constData(), 0644); }),
        foto("foto_vuota", "vuota.jpg", Saltata, testimages::writeEmptyFile),
        foto("foto_casuale", "rumore.jpg", Saltata, [](P p) { writeBytes(p, casuali(40000, 11)); }),
        foto("jpeg_troncato", "tronca.jpg", "Immagini saltate \\(1\\): %1",
             [](P p) { testimages::writeTruncatedJpeg(p, QSize(300, 200), Qt::blue); }),
        foto("jpeg_dimensioni_finte", "finta.jpg", Danneggiata,
             [](P p) { testimages::writeJpegClaiming(p, QSize(64, 64), QSize(12000, 12000)); }),
        foto("png_troncato", "tronca.png", Danneggiata,
             [](P p) {
                 QImage i(300, 200, QImage::Format_RGB32);
                 i.fill(Qt::green);
                 testimages::writeTruncated(p, i, "PNG");
             }),
        foto("tiff_troncato", "tronca.tif", Danneggiata,
             [](P p) {
                 QImage i(200, 200, QImage::Format_RGB32);
                 i.fill(Qt::yellow);
                 testimages::writeTruncatedTiff(p, i);
             }),
        {"jpeg_troncato_incluso",
         [](L l) { testimages::writeTruncatedJpeg(l.in("t.jpg"), QSize(300, 200), Qt::blue); },
         "--includi-danneggiate --pdf {O} buona.jpg t.jpg", 0, DueImmagini, true},
        // Its directory is at the end, cut off.
        foto("tiff_senza_directory", "senza-directory.tif", Saltata,
             [](P p) {
                 testimages::writeTruncated(p, testimages::photoLikeImage({300, 200}), "tiff");
             }),
        foto("png_bomba", "bomba.png", saltata(".*troppo grande.*"),
             [](P p) {
                 QImage i(30000, 30000, QImage::Format_Mono);
                 i.fill(0);
                 ASSERT_TRUE(i.save(p));
             }),
        foto("gzip_bomba", "bomba.bmz", Saltata,
             [](P p) { writeBytes(p, testimages::gzip(QByteArray(200 << 20, '\0'))); }),
        foto("gzip_casuale", "rotto.wmz", Saltata,
             [](P p) { writeBytes(p, testimages::gzip(casuali(5000, 13))); }),
        foto("eps_senza_fine", "ciclo.eps", Saltata,
             [](P p) {
                 writeBytes(p, "%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 10 10\n{} loop\n");
             }),
        foto("wmf_casuale", "rumore.wmf", Saltata,
             [](P p) { writeBytes(p, QByteArray("\xD7\xCD\xC6\x9A", 4) + casuali(3000, 19)); }),
        foto("bmp_intestazione_assurda", "assurda.bmp", Saltata,
             [](P p) {
                 QByteArray b("BM", 2);
                 b += QByteArray("\x46\x00\x00\x00\x00\x00\x00\x00\x36\x00\x00\x00\x28\x00\x00\x00"
                                 "\xFF\xFF\xFF\x7F\xFF\xFF\xFF\x7F\x01\x00\x18\x00",
                                 28);
                 writeBytes(p, b + QByteArray(24, '\0'));
             }),
        foto("pcx_casuale", "rumore.pcx", Saltata,
             [](P p) { writeBytes(p, QByteArray("\x0A\x05\x01\x08", 4) + casuali(2000, 41)); }),
        // ImageMagick's reader costs 128 KiB a row, whatever the width.
        foto("pict_alta_e_stretta", "alta.pct", saltata(".*troppo grande \\(50 x 2000 pixel\\)"),
             [](P p) {
                 QByteArray b(512, '\0');
                 b += QByteArray("\x00\x00\x00\x00\x00\x00\x07\xd0\x00\x32\x00\x11\x02\xff", 14);
                 writeBytes(p, b + casuali(300, 43));
             }),
        {"gif_chiamata_jpg",
         [](L l) {
             QImage i(40, 40, QImage::Format_RGB32);
             i.fill(Qt::cyan);
             ASSERT_TRUE(i.save(l.in("vera-gif.jpg"), "GIF") ||
                         i.save(l.in("vera-gif.jpg"), "PNG"));
         },
         "--pdf {O} buona.jpg vera-gif.jpg", 0, "Documento scritto in '.*': 2 immagini\\.", true},
        {"foto_collegamento", [](L l) { QFile::link(l.in(Buona), l.in("collegata.jpg")); },
         "--pdf {O} buona.jpg collegata.jpg", 0, "Documento scritto in '.*': 2 immagini\\.", true},
        {"foto_illeggibile",
         [](L l) {
             testimages::writeJpeg(l.in("chiusa.jpg"), QSize(50, 50), Qt::blue);
             QFile::setPermissions(l.in("chiusa.jpg"), {});
         },
         "@nobody --pdf {O} buona.jpg chiusa.jpg", 0,
         "Il file immagine '.*/chiusa\\.jpg' non è accessibile: accesso negato: immagine saltata",
         true},
        {"tutte_mancanti", nulla, "--pdf {O} manca1.jpg manca2.jpg", 1,
         "Impossibile trovare il file immagine specificato: '.*/manca1\\.jpg': immagine saltata"},

        // The check alone: nothing written, whatever the destination.
        {"controlla_risoluzione",
         [](L l) {
             testimages::writePng(l.in("x.png"), {20, 15}, Qt::gray);
         },
         "--controlla --pdf {O} x.png", 3, "avviso: risoluzione: 'x\\.png': .+"},
        {"controlla_senza_rilievi", nulla,
         "@nocups --controlla --stampante --ppi-minimo 40 buona.jpg", 0,
         "Riepilogo: 1 immagine, 1 pagina, 1 spazio vuoto nell'ultima pagina, 1 foglio da "
         "stampare \\(1 pagina x 1 copia\\)"},
        {"controlla_listino",
         [](L l) { writeBytes(l.in("listino.csv"), "Codice;Prezzo\n00123;12,5\n"); },
         "--controlla --ppi-minimo 40 --listino {D}/listino.csv buona.jpg", 3,
         "avviso: listino: 'buona\\.jpg': .+"},
        {"controlla_senza_immagini", nulla, "--controlla manca.jpg", 1,
         "Impossibile trovare il file immagine specificato: '.*/manca\\.jpg': immagine saltata"},

        // Outputs.
        {"pdf_collegamento_a_una_foto",
         [](L l) { QFile::link(l.in(Buona), l.dir.filePath("uscita.pdf")); }, "--pdf {O} buona.jpg",
         1,
         "Il file '.*/uscita\\.pdf' non viene scritto: è il file '.*/buona\\.jpg' usato dal "
         "lavoro\\. Scegliere un altro nome\\."},
        {"pdf_collegamento_fisso_al_layout",
         [](L l) {
             ::link(QFile::encodeName(l.L()).constData(),
                    QFile::encodeName(l.dir.filePath("uscita.pdf")).constData());
         },
         "--pdf {O} buona.jpg", 1,
         "Il file '.*/uscita\\.pdf' non viene scritto: è il file '.*/L\\.pub' usato dal "
         "lavoro\\. Scegliere un altro nome\\."},
        {"pdf_su_un_altra_foto",
         [](L l) { testimages::writePng(l.in("altra.png"), QSize(30, 30), Qt::gray); },
         "--pdf {D}/altra.png buona.jpg", 1,
         "Il file '.*/altra\\.png' non viene scritto: è un file immagine\\. Scegliere un altro "
         "nome\\."},
        {"pdf_cartella_mancante", nulla, "--pdf {D}/non/esiste.pdf buona.jpg", 1,
         "La cartella '.*/non' non esiste\\."},
        {"pdf_cartella_sola_lettura",
         [](L l) {
             QDir(l.D()).mkdir(QStringLiteral("chiusa"));
             QFile::setPermissions(l.in("chiusa"), QFileDevice::ReadOther | QFileDevice::ExeOther |
                                                       QFileDevice::ReadOwner |
                                                       QFileDevice::ExeOwner);
         },
         "@nobody --pdf {D}/chiusa/uscita.pdf buona.jpg", 1,
         ".*Il file PDF non è stato scritto\\. Impossibile scrivere nella cartella '.*/chiusa': "
         "accesso negato"},
        {"pdf_dev_full", nulla, "--pdf /dev/full buona.jpg", 1,
         "'/dev/full' non è un file: scegliere un altro nome\\."},
        {"pdf_disco_pieno", [](L l) { writeBytes(l.dir.filePath("uscita.pdf"), "buono\n"); },
         "@fsize --pdf {O} buona.jpg buona.jpg", 1,
         ".*Il file PDF non è stato scritto\\. Impossibile scrivere il file '.*uscita\\.pdf': il "
         "file supera la dimensione massima consentita"},

        // Printing and the command line.
        {"nessuna_stampante", nulla, "@nocups --stampante buona.jpg", 1,
         ".*Nessuna stampante predefinita è configurata nel sistema.*"},
        {"copie_zero", nulla, "--copie 0 --pdf {O} buona.jpg", 2,
         "lumetra-componi: Il numero di copie deve essere tra 1 e 999: '0'"},
        {"nessuna_immagine", nulla, "--pdf {O}", 2,
         "lumetra-componi: Specificare almeno un file immagine"},
        {"altezza_9_5", nulla, "--altezza 9,5 --pdf {O} a.jpg", 2,
         "lumetra-componi: L'altezza del codice articolo deve essere compresa tra 0,3 e 9,0 "
         "centimetri: '9,5'"},
        {"due_destinazioni", nulla, "--pdf {O} --stampante a.jpg", 2,
         "lumetra-componi: Specificare una sola destinazione: --pdf FILE oppure --stampante"},
        {"adattamento_storto", nulla, "--adattamento storto --pdf {O} a.jpg", 2,
         "lumetra-componi: --adattamento accetta deforma, adatta o riempi: 'storto'"},
        {"ppi_minimo_zero", nulla, "--ppi-minimo 0 --pdf {O} a.jpg", 2,
         "lumetra-componi: La risoluzione minima deve essere un numero intero di pixel per "
         "pollice, almeno 1: '0'"},
        {"barre_senza_colonna", nulla, "--barre ean13 --pdf {O} a.jpg", 2,
         "lumetra-componi: --barre accetta code128, ean13:COLONNA o nessuno: 'ean13'"},
        {"barre_a_destra", nulla, "--barre code128 --barre-posizione destra --pdf {O} a.jpg", 2,
         "lumetra-componi: --barre-posizione accetta sopra o sotto: 'destra'"},
        {"barre_altezza_0_4", nulla, "--barre code128 --barre-altezza 0,4 --pdf {O} a.jpg", 2,
         "lumetra-componi: L'altezza del codice a barre deve essere compresa tra 0,5 e 9,0 "
         "centimetri: '0,4'"},
        {"chiave_senza_listino", nulla, "--chiave sku --pdf {O} a.jpg", 2,
         "lumetra-componi: --chiave richiede un listino: specificarlo con --listino"},
        {"listino_mancante", nulla, "--listino {D}/manca.csv --pdf {O} buona.jpg", 1,
         "Listino 'manca\\.csv': il file non esiste"},
        {"modello_senza_colonna", nulla, "--testo-esterno {prezzo} --esterno 2 --pdf {O} buona.jpg",
         1, "Testo esterno non valido: il campo \\{prezzo\\} richiede un listino"},
        {"lavoro_che_non_e_un_lavoro", nulla, "--lavoro {L} --pdf {O}", 1,
         "Lavoro 'L\\.pub': il file non è un lavoro di Lumetra"},
        {"lavoro_salvato_sul_layout", nulla, "--salva-lavoro {L} buona.jpg", 1,
         "Il file '.*/L\\.pub' non è un lavoro salvato: non viene sostituito"},
        {"opzione_sconosciuta", nulla, "--formato A4 --pdf {O} a.jpg", 2,
         "lumetra-componi: Opzione sconosciuta: --formato"},
        {"pdf_dopo_le_immagini", nulla, "buona.jpg --pdf {O}", 0,
         "Documento scritto in '.*': 1 immagine\\.", true},
        {"immagine_dopo_due_trattini",
         [](L l) { testimages::writeJpeg(l.in("--trattini.jpg"), QSize(40, 40), Qt::blue); },
         "--pdf {O} buona.jpg -- --trattini.jpg", 0, DueImmagini, true},

        // Names: not UTF-8, as long as the file system allows, too long.
        {"layout_latino1", [](L l) { rinomina(l.L(), l.dir.filePath(LayoutLatino1)); },
         "--pdf {O} --layout {D}/../" + LayoutLatino1 + " buona.jpg", 0,
         "Documento scritto in '.*': 1 immagine\\.", true},
        {"foto_latino1", [](L l) { rinomina(l.in(Buona), l.in(FotoLatino1)); },
         "--pdf {O} " + FotoLatino1 + " " + FotoLatino1, 0, DueImmagini, true},
        {"pdf_latino1_di_250_byte", nulla, "--pdf {O} buona.jpg buona.jpg", 0, DueImmagini, true,
         PdfLungo},
        {"pdf_nome_troppo_lungo", nulla, "--pdf {D}/" + QString(300, u'a') + " buona.jpg", 1,
         ".*Impossibile scrivere il file '.*': nome del file troppo lungo"},

        // A library that prints on its own (fontconfig without its configuration).
        {"libreria_che_parla", nulla, "@fontconfig --pdf {O} buona.jpg", 0,
         "Documento scritto in '.*': 1 immagine\\.", true},
    };
}

// Every file under `cartella` by its bytes (the names as the system has them): its SHA-1, or
// "speciale" for links and special files.
std::map<std::string, std::string> impronte(const QString& cartella) {
    namespace fs = std::filesystem;
    std::map<std::string, std::string> tutte;
    std::error_code errore;
    for (fs::recursive_directory_iterator it(nativeName(cartella).toStdString(),
                                             fs::directory_options::skip_permission_denied, errore),
         fine;
         it != fine; it.increment(errore)) {
        const fs::file_status stato = it->symlink_status(errore);
        if (fs::is_directory(stato))
            continue;
        tutte[it->path().native()] = "speciale";
        std::ifstream f;
        if (fs::is_regular_file(stato)) // opening a pipe would wait for a writer
            f.open(it->path(), std::ios::binary);
        const std::string byte{std::istreambuf_iterator<char>(f), {}};
        if (f.is_open() && !f.bad())
            tutte[it->path().native()] =
                QCryptographicHash::hash(QByteArrayView(byte), QCryptographicHash::Sha1)
                    .toHex()
                    .toStdString();
    }
    return tutte;
}

// setpriv's arguments that run a program as the user "nobody".
const QStringList Nobody{QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                         QStringLiteral("--clear-groups")};

TEST(InputErrati, OgniCasoFinisceComeAtteso) {
    // Whether "nobody" can run the program from where it was built.
    const bool nobodyRuns =
        ::geteuid() != 0 ||
        testsupport::startProgram(QStringLiteral("setpriv"),
                                  Nobody + QStringList{QStringLiteral("--"),
                                                       QStringLiteral(LUMETRA_COMPONI),
                                                       QStringLiteral("--help")})
                .exitCode == 0;
    for (const Caso& caso : casi()) {
        SCOPED_TRACE(caso.nome);
        Lavoro l;
        ASSERT_TRUE(l.dir.isValid());
        ASSERT_TRUE(QDir(l.dir.path()).mkdir(QStringLiteral("foto")));
        pub::PubBuilder b;
        auto& pagina = b.addPage();
        pagina.addRectangle(36, 36, 200, 150);
        pagina.addRectangle(300, 36, 200, 150);
        ASSERT_TRUE(b.save(l.L()));
        testimages::writeJpeg(l.in(Buona), QSize(120, 90), Qt::darkRed);
        caso.prepara(l);
        const QString uscita = l.dir.filePath(caso.nomeUscita);
        const auto prima = impronte(l.dir.path());

        QString testo = caso.argomenti;
        QString programma = QStringLiteral(LUMETRA_COMPONI);
        QStringList argomenti;
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        const QString modo = testo.startsWith(u'@') ? testo.section(u' ', 0, 0) : QString();
        testo.remove(0, modo.size());
        if (modo == u"@fsize") { // a full disk, as the program meets it: writes fail past 2 KiB
            argomenti << QStringLiteral("--fsize=2048") << programma;
            programma = QStringLiteral("prlimit");
        } else if (modo == u"@nobody" && ::geteuid() == 0) {
            // Permissions as an ordinary user meets them (root reads everything).
            if (!nobodyRuns) {
                std::printf("[ SKIPPED  ] %s: cannot run programs as 'nobody' here\n", caso.nome);
                continue;
            }
            argomenti << Nobody << QStringLiteral("--") << programma;
            programma = QStringLiteral("setpriv");
            for (const QString& p : {l.dir.path(), l.D()})
                if (QFileInfo(p).isDir() && QFile::permissions(p).testFlag(QFileDevice::ExeOwner))
                    QFile::setPermissions(p, QFile::permissions(p) | QFileDevice::WriteOther |
                                                 QFileDevice::ExeOther | QFileDevice::ReadOther);
        } else if (modo == u"@nocups") {
            ambiente.insert(QStringLiteral("CUPS_SERVER"), l.dir.filePath("nessun-cups.sock"));
        } else if (modo == u"@fontconfig") {
            ambiente.insert(QStringLiteral("FONTCONFIG_FILE"), l.dir.filePath("manca.conf"));
        }
        argomenti << QStringLiteral("--layout") << l.L() << QStringLiteral("--cartella") << l.D();
        for (QString parola : testo.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            parola.replace(QLatin1String("{L}"), l.L())
                .replace(QLatin1String("{D}"), l.D())
                .replace(QLatin1String("{O}"), uscita);
            argomenti << parola;
        }
        const testsupport::ProgramRun e = testsupport::startProgram(programma, argomenti, ambiente);

        EXPECT_EQ(e.exitCode, caso.uscita) << e.errors.toStdString();
        const QString errori = runtime::shownName(e.errors); // what the user reads
        const QRegularExpression riga(QStringLiteral("^(?:%1)$").arg(caso.riga),
                                      QRegularExpression::MultilineOption);
        EXPECT_TRUE(riga.match(errori).hasMatch()) << errori.toStdString();
        EXPECT_FALSE(e.errors.contains(QLatin1String("Documento scritto")) && !caso.pdf)
            << e.errors.toStdString();
        // Only the program's own lines: nothing a library printed (Qt, libwmf, libpng, CUPS,
        // fontconfig), no system reason in English.
        static const QRegularExpression libreria(
            QStringLiteral(
                "^(ERROR|WARNING|Warning|libpng|Fontconfig|Q[A-Za-z]+(::|:)|\\[|"
                "Destination)|No such file|Permission denied|Is a directory|Not a "
                "directory|File name too long|No space left|Read-only file|Input/output"),
            QRegularExpression::MultilineOption);
        EXPECT_FALSE(libreria.match(errori).hasMatch()) << errori.toStdString();
        // A job that prints says only what the check found and what became of its pictures,
        // and the good one is good.
        static const QRegularExpression estranea(
            QStringLiteral("^(?!avviso: |Riepilogo: |Attenzione: l'immagine '|Il file immagine '|"
                           "Immagini saltate \\(|Documento scritto in '|"
                           "Impossibile trovare il file immagine ).+$"),
            QRegularExpression::MultilineOption);
        EXPECT_FALSE(caso.pdf && estranea.match(errori).hasMatch()) << errori.toStdString();
        EXPECT_FALSE(errori.contains(QStringLiteral("'buona.jpg' è danneggiata")) ||
                     errori.contains(QStringLiteral("danneggiata: 'buona.jpg'")));
        auto dopo = impronte(l.dir.path());
        if (caso.pdf) {
            const std::string pdf = nativeName(uscita).toStdString();
            EXPECT_EQ(dopo.count(pdf), 1u) << "no PDF written";
            if (!prima.count(pdf))
                dopo.erase(pdf);
        }
        EXPECT_EQ(dopo, prima) << "an input changed, or a stray file was left";
    }
}

} // namespace
} // namespace lumetra::composition::test
