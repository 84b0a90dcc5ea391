// lumetra-pubinfo FILE.pub: describes a Publisher layout as JSON on stdout (pages, shapes with
// their object-model type and position, page 1's picture slots). Exit 0; 2 when the file cannot
// be read (Italian message on stderr); 1 for a wrong command line.
//
// lumetra-pubinfo FILE.pub --png N OUT.png [--dpi D]: draws page N (counted from 1) to a PNG
// file at D dots per inch (96 unless given). Exit 2 for a page that does not exist or a file
// that cannot be read or written.
//
// lumetra-pubinfo FILE.pub --pdf OUT.pdf: draws every page into a PDF file (text as text), by
// the same road as a printed job. Exit 2 when it cannot be read or written.

#include "AtomicFile.h"
#include "Diagnostics.h"
#include "EngineApplication.h"
#include "FileNames.h"
#include "Layout.h"
#include "LayoutJson.h"
#include "LayoutPageDrawer.h"
#include "RigaDiComando.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QStringList>

#include <cstdio>
#include <cstring>
#include <memory>
#include <sys/stat.h>

namespace {

const char* const Uso = "Uso: lumetra-pubinfo FILE.pub [--png N OUT.png [--dpi D] | --pdf OUT.pdf]";

int usage() {
    lumetra::runtime::tellUser(QString::fromUtf8(Uso));
    lumetra::runtime::tellUser(QStringLiteral("Usare --help per la descrizione."));
    return 1;
}

int help() {
    std::printf("%s\n\n"
                "Descrive il layout di Publisher FILE.pub in JSON sullo standard output: pagine,\n"
                "forme con tipo e posizione, rettangoli per le immagini della prima pagina.\n"
                "Con --png disegna la pagina N (contata da 1) nel file OUT.png, a D punti per\n"
                "pollice (96). Con --pdf disegna tutte le pagine nel file OUT.pdf (il testo\n"
                "resta testo), come le stampa un lavoro. Dopo -- ogni parola è un nome di file.\n"
                "Codice di uscita: 0 fatto, 1 argomenti non validi, 2 file non leggibile.\n",
                Uso);
    return 0;
}

int fail(const QString& message) {
    lumetra::runtime::tellUser(message);
    return 2;
}

// Whether two names lead to the same file.
bool sameFile(const QString& a, const QString& b) {
    struct stat first {};
    struct stat second {};
    return ::stat(lumetra::runtime::nativeName(a).constData(), &first) == 0 &&
           ::stat(lumetra::runtime::nativeName(b).constData(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

// The image written atomically: the PNG appears whole or not at all, never over the layout.
bool savePng(const QImage& image, const QString& out, const QString& layout, QString* error) {
    if (sameFile(out, layout)) {
        *error = QStringLiteral("Il file '%1' non viene scritto: è il layout letto. Scegliere un "
                                "altro nome.")
                     .arg(out);
        return false;
    }
    lumetra::runtime::AtomicFile file(out, lumetra::runtime::Replace::Allowed);
    lumetra::runtime::FileWriteResult result = file.open();
    if (result.written()) {
        QImageWriter writer(file.device(), "png");
        if (!writer.write(image)) {
            *error = QStringLiteral("Impossibile scrivere il file '%1'.").arg(out);
            return false;
        }
        result = file.commit();
    }
    *error = result.message;
    return result.written();
}

// --png N OUT.png [--dpi D]
int drawPng(const QString& path, const QString& pageText, const QString& out, double dpi) {
    bool ok = false;
    const int page = pageText.toInt(&ok);
    QString error;
    const auto renderer = lumetra::drawing::LayoutPageDrawer::open(path, &error);
    if (!renderer) {
        return fail(error);
    }
    if (!ok || page < 1 || page > renderer->pageCount()) {
        return fail(QStringLiteral("La pagina %1 non esiste: il layout ha %2 pagine.")
                        .arg(pageText)
                        .arg(renderer->pageCount()));
    }
    const QImage image = renderer->renderPage(page - 1, dpi);
    if (image.isNull()) {
        return fail(renderer->lastError());
    }
    if (!savePng(image, out, path, &error)) {
        return fail(error);
    }
    return 0;
}

// --pdf OUT.pdf: the layout opened by the engine and printed into the file, every page.
int drawPdf(const QString& path, const QString& out) {
    try {
        lumetra::engine::EngineOptions options;
        options.pdfFile = out;
        const auto application = lumetra::engine::engineFactory(options)();
        const auto document = application->Open(path, true, false, 0);
        document->PrintOut(-1, -1, out, 1, true);
        document->Close();
        return 0;
    } catch (const lumetra::runtime::Error& error) {
        return fail(error.Description());
    }
}

bool wantsDrawing(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--png") == 0 || std::strcmp(argv[i], "--pdf") == 0) {
            return true;
        }
    }
    return false;
}

int printJson(const QString& path) {
    try {
        const auto layout = lumetra::pub::Layout::readFile(path);
        const QByteArray json = lumetra::pubinfo::layoutJson(layout);
        std::fwrite(json.constData(), 1, static_cast<std::size_t>(json.size()), stdout);
        return 0;
    } catch (const lumetra::runtime::Error& error) {
        return fail(error.Description());
    }
}

} // namespace

int main(int argc, char** argv) {
    lumetra::runtime::routeQtMessages(); // only our own lines on stderr
    // Drawing needs fonts, hence a GUI application; it never opens a window.
    std::unique_ptr<QCoreApplication> app;
    if (wantsDrawing(argc, argv)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    namespace riga = lumetra::rigadicomando;
    const riga::RigaLetta letta = riga::LeggiRiga(
        riga::ParoleDi(argc, argv), {},
        {QStringLiteral("--png"), QStringLiteral("--dpi"), QStringLiteral("--pdf")});
    if (letta.aiuto) {
        return help();
    }
    if (!letta.errore.isEmpty()) {
        lumetra::runtime::tellUser(QStringLiteral("lumetra-pubinfo: ") + letta.errore);
        return usage();
    }
    // The words: FILE.pub, and OUT.png as the first file name after --png N.
    QStringList files;
    QString page;
    QString dpiText;
    QString pdf;
    bool pdfGiven = false;
    qsizetype outAt = -1;
    for (const riga::Parola& parola : letta.parole) {
        if (parola.opzione == QLatin1String("--png")) {
            page = parola.valore;
            outAt = files.size();
        } else if (parola.opzione == QLatin1String("--dpi")) {
            dpiText = parola.valore;
        } else if (parola.opzione == QLatin1String("--pdf")) {
            pdf = parola.valore;
            pdfGiven = true;
        } else {
            files.append(parola.valore);
        }
    }
    if (pdfGiven) {
        return outAt < 0 && files.size() == 1 && dpiText.isEmpty() && !pdf.isEmpty()
                   ? drawPdf(files.first(), pdf)
                   : usage();
    }
    if (outAt < 0) {
        return files.size() == 1 && dpiText.isEmpty() ? printJson(files.first()) : usage();
    }
    if (files.size() != 2 || outAt >= files.size()) {
        return usage();
    }
    const QString out = files.takeAt(outAt);
    bool ok = dpiText.isEmpty();
    const double dpi = ok ? 96.0 : dpiText.toDouble(&ok);
    if (!ok || dpi <= 0 || dpi > 2400) {
        return usage();
    }
    return drawPng(files.first(), page, out, dpi);
}
