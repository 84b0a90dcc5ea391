// Bad inputs of every kind through lumetra-componi, one table: damaged, random and mislabelled
// layouts and pictures, special files named like inputs, files and folders an ordinary user may
// not open, decompression bombs, outputs onto the job's own files, into missing, read-only or
// special places and onto a full disk, no printer. Each row gives the exit code and a line the
// user must read; every file that was there before the run is byte-identical after it, and
// nothing but the asked-for PDF appears.
#include "CompoundFileWriter.h"
#include "PubBuilder.h"
#include "TestImages.h"
#include "TestProcess.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <map>

namespace lumetra::composition::test {
namespace {

void scrivi(const QString& percorso, const QByteArray& byte) {
    testimages::writeBytes(percorso, byte);
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
    layoutwriter::CompoundFileWriter file;
    file.addStream(QStringLiteral("Contents"), contents);
    file.addStream(QStringLiteral("Altro"), QByteArray(600, 'x'));
    return file.build();
}

// The job's folder: L.pub (a page of two rectangles), foto/ with good pictures, and whatever
// the row adds. {L}, {D} and {O} in a row's arguments stand for the layout, the folder, the
// output.
struct Lavoro {
    QTemporaryDir dir;
    QString L() const { return dir.filePath(QStringLiteral("L.pub")); }
    QString D() const { return dir.filePath(QStringLiteral("foto")); }
    QString in(const QString& nome) const { return QDir(D()).filePath(nome); }
};

struct Caso {
    const char* nome;
    std::function<void(Lavoro&)> prepara;
    const char* argomenti; // after --layout {L} --cartella {D}
    int uscita;
    const char* riga; // a regular expression one line of stderr must match whole
    bool pdf = false; // the PDF {O} is written
};

const QString Buona = QStringLiteral("buona.jpg");

void nulla(Lavoro&) {}

std::vector<Caso> casi() {
    using L = Lavoro&;
    const QString saltata = QStringLiteral(": immagine saltata");
    return {
        // Layouts.
        {"layout_mancante", [](L l) { QFile::remove(l.L()); }, "--pdf {O} buona.jpg", 1,
         "Impossibile trovare il file di layout specificato: '.*/L\\.pub'"},
        {"layout_cartella",
         [](L l) {
             QFile::remove(l.L());
             QDir().mkdir(l.L());
         },
         "--pdf {O} buona.jpg", 1, "Impossibile trovare il file di layout specificato: '.*'"},
        {"layout_fifo",
         [](L l) {
             QFile::remove(l.L());
             ::mkfifo(QFile::encodeName(l.L()).constData(), 0644);
         },
         "--pdf {O} buona.jpg", 1, "Impossibile trovare il file di layout specificato: '.*'"},
        {"layout_collegamento_rotto",
         [](L l) {
             QFile::remove(l.L());
             QFile::link(l.dir.filePath("non-esiste.pub"), l.L());
         },
         "--pdf {O} buona.jpg", 1, "Impossibile trovare il file di layout specificato: '.*'"},
        {"layout_vuoto", [](L l) { scrivi(l.L(), {}); }, "--pdf {O} buona.jpg", 1,
         "Impossibile caricare il file di layout\\. Il file potrebbe essere danneggiato"},
        {"layout_testo", [](L l) { scrivi(l.L(), "non sono un layout\n"); }, "--pdf {O} buona.jpg",
         1, "Impossibile caricare il file di layout\\. Il file potrebbe essere danneggiato"},
        {"layout_casuale", [](L l) { scrivi(l.L(), casuali(65536, 7)); }, "--pdf {O} buona.jpg", 1,
         "Impossibile caricare il file di layout\\. Il file potrebbe essere danneggiato"},
        {"layout_troncato",
         [](L l) {
             QFile f(l.L());
             f.open(QIODevice::ReadOnly);
             const QByteArray b = f.read(f.size() / 3);
             f.close();
             scrivi(l.L(), b);
         },
         "--pdf {O} buona.jpg", 1,
         "Impossibile caricare il file di layout\\. Il file potrebbe essere danneggiato"},
        {"layout_danneggiato",
         [](L l) {
             QFile f(l.L());
             f.open(QIODevice::ReadWrite);
             QByteArray b = f.readAll();
             for (qsizetype i = 1024; i < b.size(); i += 97)
                 b[i] = char(b[i] ^ 0x5A);
             f.seek(0);
             f.write(b);
         },
         "--pdf {O} buona.jpg", 1,
         "Impossibile caricare il file di layout\\. Il file potrebbe essere danneggiato"},
        {"layout_jpeg_rinominato",
         [](L l) { testimages::writeJpeg(l.L(), QSize(50, 50), Qt::red); }, "--pdf {O} buona.jpg",
         1, "Impossibile caricare il file di layout\\. Il file potrebbe essere danneggiato"},
        {"layout_versione_sconosciuta",
         [](L l) { scrivi(l.L(), composto(QByteArray("\xE8\xAC\x11\x00", 4) + casuali(200, 3))); },
         "--pdf {O} buona.jpg", 1,
         "Impossibile caricare il file di layout\\. Il file potrebbe essere danneggiato"},
        {"layout_publisher_2",
         [](L l) { scrivi(l.L(), composto(QByteArray("\xE8\xAC\x22\x00", 4) + casuali(400, 5))); },
         "--pdf {O} buona.jpg", 1,
         "Impossibile caricare il file di layout\\. Il file potrebbe essere danneggiato"},
        {"layout_documento_office",
         [](L l) {
             layoutwriter::CompoundFileWriter f;
             f.addStream(QStringLiteral("WordDocument"), casuali(1000, 9));
             scrivi(l.L(), f.build());
         },
         "--pdf {O} buona.jpg", 1,
         "Impossibile caricare il file di layout\\. Il file potrebbe essere danneggiato"},
        {"layout_enorme",
         [](L l) {
             QFile f(l.L());
             f.open(QIODevice::ReadWrite);
             f.resize(qint64(300) << 20); // sparse: nothing is written to disk
         },
         "--pdf {O} buona.jpg", 1,
         "Impossibile caricare il file di layout\\. Il file potrebbe essere danneggiato"},
        {"layout_senza_rettangoli",
         [](L l) {
             layoutwriter::PubBuilder b;
             b.addPage().addTextBox(36, 36, 300, 40, QStringLiteral("Solo un titolo"));
             ASSERT_TRUE(b.save(l.L()));
         },
         "--pdf {O} buona.jpg", 1,
         "Il file layout specificato non contiene nessun rettango dove inserire le immagini, "
         "controllare il file del Publischer"},

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
             scrivi(l.D(), "non una cartella\n");
         },
         "--pdf {O} buona.jpg", 1, "'.*/foto' non è una cartella\\."},
        {"cartella_chiusa",
         [](L l) { QFile::setPermissions(l.D(), QFileDevice::ReadOwner | QFileDevice::ReadOther); },
         "@nobody --pdf {O} buona.jpg", 1,
         "La cartella delle immagini '.*/foto' non è accessibile: accesso negato\\."},

        // Pictures: skipped or placed with a warning; the job goes on with the good one.
        {"foto_mancante", nulla, "--pdf {O} buona.jpg manca.jpg", 0,
         "Impossibile trovare il file immagine specificato: '.*/manca\\.jpg': immagine saltata",
         true},
        {"foto_cartella", [](L l) { QDir().mkdir(l.in("cartella.jpg")); },
         "--pdf {O} buona.jpg cartella.jpg", 0,
         "Impossibile trovare il file immagine specificato: '.*/cartella\\.jpg': immagine "
         "saltata",
         true},
        {"foto_fifo", [](L l) { ::mkfifo(QFile::encodeName(l.in("tubo.png")).constData(), 0644); },
         "--pdf {O} buona.jpg tubo.png", 0,
         "Impossibile trovare il file immagine specificato: '.*/tubo\\.png': immagine saltata",
         true},
        {"foto_vuota", [](L l) { testimages::writeEmptyFile(l.in("vuota.jpg")); },
         "--pdf {O} buona.jpg vuota.jpg", 0,
         "Il file immagine 'vuota\\.jpg' non si può inserire: .+: immagine saltata", true},
        {"foto_testo", [](L l) { scrivi(l.in("nota.png"), "una nota\n"); },
         "--pdf {O} buona.jpg nota.png", 0,
         "Il file immagine 'nota\\.png' non si può inserire: .+: immagine saltata", true},
        {"foto_casuale", [](L l) { scrivi(l.in("rumore.jpg"), casuali(40000, 11)); },
         "--pdf {O} buona.jpg rumore.jpg", 0,
         "Il file immagine 'rumore\\.jpg' non si può inserire: .+: immagine saltata", true},
        {"jpeg_intestazione_rotta", [](L l) { testimages::writeDamagedJpeg(l.in("rotta.jpg")); },
         "--pdf {O} buona.jpg rotta.jpg", 0,
         "Il file immagine 'rotta\\.jpg' non si può inserire: .+: immagine saltata", true},
        {"jpeg_troncato",
         [](L l) { testimages::writeTruncatedJpeg(l.in("tronca.jpg"), QSize(300, 200), Qt::blue); },
         "--pdf {O} buona.jpg tronca.jpg", 0,
         "Attenzione: l'immagine 'tronca\\.jpg' è danneggiata: .+", true},
        {"jpeg_dimensioni_finte",
         [](L l) {
             testimages::writeJpegClaiming(l.in("finta.jpg"), QSize(64, 64), QSize(12000, 12000));
         },
         "--pdf {O} buona.jpg finta.jpg", 0,
         "Attenzione: l'immagine 'finta\\.jpg' è danneggiata: .+", true},
        {"png_troncato",
         [](L l) {
             QImage i(300, 200, QImage::Format_RGB32);
             i.fill(Qt::green);
             testimages::writeTruncated(l.in("tronca.png"), i, "PNG");
         },
         "--pdf {O} buona.jpg tronca.png", 0,
         "Attenzione: l'immagine 'tronca\\.png' è danneggiata: .+", true},
        {"tiff_troncato",
         [](L l) {
             QImage i(200, 200, QImage::Format_RGB32);
             i.fill(Qt::yellow);
             testimages::writeTruncatedTiff(l.in("tronca.tif"), i);
         },
         "--pdf {O} buona.jpg tronca.tif", 0,
         "Attenzione: l'immagine 'tronca\\.tif' è danneggiata: .+", true},
        {"png_bomba",
         [](L l) {
             QImage i(30000, 30000, QImage::Format_Mono);
             i.fill(0);
             ASSERT_TRUE(i.save(l.in("bomba.png")));
         },
         "--pdf {O} buona.jpg bomba.png", 0,
         "Il file immagine 'bomba\\.png' non si può inserire: .*troppo grande.*: immagine saltata",
         true},
        {"gif_schermo_enorme",
         [](L l) {
             QByteArray g("GIF89a\xFF\xFF\xFF\xFF\x00\x00\x00", 13);
             g +=
                 QByteArray("\x2C\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00\x3B", 16);
             scrivi(l.in("schermo.gif"), g);
         },
         "--pdf {O} buona.jpg schermo.gif", 0,
         "Il file immagine 'schermo\\.gif' non si può inserire: .+: immagine saltata", true},
        {"gzip_bomba",
         [](L l) { scrivi(l.in("bomba.bmz"), testimages::gzip(QByteArray(200 << 20, '\0'))); },
         "--pdf {O} buona.jpg bomba.bmz", 0,
         "Il file immagine 'bomba\\.bmz' non si può inserire: .+: immagine saltata", true},
        {"gzip_casuale",
         [](L l) { scrivi(l.in("rotto.wmz"), testimages::gzip(casuali(5000, 13))); },
         "--pdf {O} buona.jpg rotto.wmz", 0,
         "Il file immagine 'rotto\\.wmz' non si può inserire: .+: immagine saltata", true},
        {"eps_senza_fine",
         [](L l) {
             scrivi(l.in("ciclo.eps"), "%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 10 10\n"
                                       "{} loop\n");
         },
         "--pdf {O} buona.jpg ciclo.eps", 0,
         "Il file immagine 'ciclo\\.eps' non si può inserire: .+: immagine saltata", true},
        {"eps_casuale",
         [](L l) { scrivi(l.in("rumore.eps"), "%!PS-Adobe-3.0 EPSF-3.0\n" + casuali(3000, 17)); },
         "--pdf {O} buona.jpg rumore.eps", 0,
         "Il file immagine 'rumore\\.eps' non si può inserire: .+: immagine saltata", true},
        {"wmf_casuale",
         [](L l) {
             scrivi(l.in("rumore.wmf"), QByteArray("\xD7\xCD\xC6\x9A", 4) + casuali(3000, 19));
         },
         "--pdf {O} buona.jpg rumore.wmf", 0,
         "Il file immagine 'rumore\\.wmf' non si può inserire: .+: immagine saltata", true},
        {"emf_casuale",
         [](L l) {
             QByteArray e("\x01\x00\x00\x00\x6C\x00\x00\x00", 8);
             e += casuali(32, 23);
             e += QByteArray(" EMF", 4);
             scrivi(l.in("rumore.emf"), e + casuali(3000, 29));
         },
         "--pdf {O} buona.jpg rumore.emf", 0,
         "Il file immagine 'rumore\\.emf' non si può inserire: .+: immagine saltata", true},
        {"cdr_casuale",
         [](L l) {
             scrivi(l.in("rumore.cdr"), "RIFF\x10\x00\x00\x00"
                                        "CDRXvrsn" +
                                            casuali(900, 31));
         },
         "--pdf {O} buona.jpg rumore.cdr", 0,
         "Il file immagine 'rumore\\.cdr' non si può inserire: .+: immagine saltata", true},
        {"cgm_non_supportato",
         [](L l) {
             scrivi(l.in("disegno.cgm"), QByteArray("\x00\x2A", 2) + "BEGMF" + casuali(100, 37));
         },
         "--pdf {O} buona.jpg disegno.cgm", 0,
         "Il file immagine 'disegno\\.cgm' non si può inserire: .*non supportato.*: immagine "
         "saltata",
         true},
        {"bmp_intestazione_assurda",
         [](L l) {
             QByteArray b("BM", 2);
             b += QByteArray("\x46\x00\x00\x00\x00\x00\x00\x00\x36\x00\x00\x00\x28\x00\x00\x00"
                             "\xFF\xFF\xFF\x7F\xFF\xFF\xFF\x7F\x01\x00\x18\x00",
                             28);
             scrivi(l.in("assurda.bmp"), b + QByteArray(24, '\0'));
         },
         "--pdf {O} buona.jpg assurda.bmp", 0,
         "Il file immagine 'assurda\\.bmp' non si può inserire: .+: immagine saltata", true},
        {"pcx_casuale",
         [](L l) {
             scrivi(l.in("rumore.pcx"), QByteArray("\x0A\x05\x01\x08", 4) + casuali(2000, 41));
         },
         "--pdf {O} buona.jpg rumore.pcx", 0,
         "Il file immagine 'rumore\\.pcx' non si può inserire: .+: immagine saltata", true},
        {"pict_alta_e_stretta", // ImageMagick's reader costs 128 KiB a row, whatever the width
         [](L l) {
             QByteArray p(512, '\0');
             p += QByteArray("\x00\x00\x00\x00\x00\x00\x07\xd0\x00\x32\x00\x11\x02\xff", 14);
             scrivi(l.in("alta.pct"), p + casuali(300, 43));
         },
         "--pdf {O} buona.jpg alta.pct", 0,
         "Il file immagine 'alta\\.pct' non si può inserire: .*troppo grande \\(50 x 2000 "
         "pixel\\): immagine saltata",
         true},
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

        // Outputs.
        {"pdf_sul_layout", nulla, "--pdf {L} buona.jpg", 1,
         "Il file '.*/L\\.pub' non viene scritto: è il file '.*/L\\.pub' usato dal lavoro\\. "
         "Scegliere un altro nome\\."},
        {"pdf_su_una_foto", nulla, "--pdf {D}/buona.jpg buona.jpg", 1,
         "Il file '.*/buona\\.jpg' non viene scritto: è il file '.*/buona\\.jpg' usato dal "
         "lavoro\\. Scegliere un altro nome\\."},
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
        {"pdf_e_una_cartella", [](L l) { QDir().mkdir(l.dir.filePath("uscita.pdf")); },
         "--pdf {O} buona.jpg", 1, "'.*/uscita\\.pdf' non è un file: scegliere un altro nome\\."},
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
        {"pdf_disco_pieno", [](L l) { scrivi(l.dir.filePath("uscita.pdf"), "buono\n"); },
         "@fsize --pdf {O} buona.jpg buona.jpg", 1,
         ".*Il file PDF non è stato scritto\\. Impossibile scrivere il file '.*uscita\\.pdf': il "
         "file supera la dimensione massima consentita"},

        // Printing and the command line.
        {"nessuna_stampante", nulla, "@nocups --stampante buona.jpg", 1,
         ".*Nessuna stampante predefinita è configurata nel sistema.*"},
        {"copie_zero", nulla, "--copie 0 --pdf {O} buona.jpg", 2,
         "lumetra-componi: Il numero di copie deve essere tra 1 e 999: '0'"},
        {"altezza_fuori_limiti", nulla, "--altezza 12 --pdf {O} buona.jpg", 2,
         "lumetra-componi: L'altezza del codice articolo deve essere compresa tra 0,3 e 9,0 "
         "centimetri: '12'"},
    };
}

std::map<std::string, std::string> impronte(const QString& cartella) {
    std::map<std::string, std::string> tutte;
    QDirIterator it(cartella, QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString percorso = it.next();
        QFile f(percorso);
        if (it.fileInfo().isFile() && !it.fileInfo().isSymLink() && f.open(QIODevice::ReadOnly))
            tutte[percorso.toStdString()] =
                QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1)
                    .toHex()
                    .toStdString();
        else
            tutte[percorso.toStdString()] = "speciale";
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
        layoutwriter::PubBuilder b;
        auto& pagina = b.addPage();
        pagina.addRectangle(36, 36, 200, 150);
        pagina.addRectangle(300, 36, 200, 150);
        ASSERT_TRUE(b.save(l.L()));
        testimages::writeJpeg(l.in(Buona), QSize(120, 90), Qt::darkRed);
        caso.prepara(l);
        const QString uscita = l.dir.filePath(QStringLiteral("uscita.pdf"));
        const auto prima = impronte(l.dir.path());

        QString testo = QString::fromUtf8(caso.argomenti);
        QString programma = QStringLiteral(LUMETRA_COMPONI);
        QStringList argomenti;
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        if (testo.startsWith(QLatin1String("@fsize "))) {
            // A full disk, as the program meets it: writes fail past 2 KiB.
            argomenti << QStringLiteral("--fsize=2048") << programma;
            programma = QStringLiteral("prlimit");
            testo.remove(0, 7);
        } else if (testo.startsWith(QLatin1String("@nobody "))) {
            // Permissions as an ordinary user meets them (root reads everything).
            testo.remove(0, 8);
            if (::geteuid() == 0) {
                if (!nobodyRuns) {
                    std::printf("[ SKIPPED  ] %s: cannot run programs as 'nobody' here\n",
                                caso.nome);
                    continue;
                }
                argomenti << Nobody << QStringLiteral("--") << programma;
                programma = QStringLiteral("setpriv");
                for (const QString& p : {l.dir.path(), l.D()})
                    if (QFileInfo(p).isDir() &&
                        QFile::permissions(p).testFlag(QFileDevice::ExeOwner))
                        QFile::setPermissions(p, QFile::permissions(p) | QFileDevice::WriteOther |
                                                     QFileDevice::ExeOther |
                                                     QFileDevice::ReadOther);
            }
        } else if (testo.startsWith(QLatin1String("@nocups "))) {
            ambiente.insert(QStringLiteral("CUPS_SERVER"), l.dir.filePath("nessun-cups.sock"));
            testo.remove(0, 8);
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
        const QRegularExpression riga(QStringLiteral("^(?:%1)$").arg(QString::fromUtf8(caso.riga)),
                                      QRegularExpression::MultilineOption);
        EXPECT_TRUE(riga.match(e.errors).hasMatch()) << e.errors.toStdString();
        EXPECT_FALSE(e.errors.contains(QLatin1String("Documento scritto")) && !caso.pdf)
            << e.errors.toStdString();
        // Only the program's own lines: nothing a library printed (Qt, libwmf, libpng, CUPS).
        static const QRegularExpression libreria(
            QStringLiteral("^(ERROR|WARNING|Warning|libpng|Q[A-Za-z]+(::|:)|\\[|Destination)"),
            QRegularExpression::MultilineOption);
        EXPECT_FALSE(libreria.match(e.errors).hasMatch()) << e.errors.toStdString();
        auto dopo = impronte(l.dir.path());
        if (caso.pdf) {
            EXPECT_EQ(dopo.count(uscita.toStdString()), 1u) << "no PDF written";
            if (!prima.count(uscita.toStdString()))
                dopo.erase(uscita.toStdString());
        }
        EXPECT_EQ(dopo, prima) << "an input changed, or a stray file was left";
    }
}

} // namespace
} // namespace lumetra::composition::test
