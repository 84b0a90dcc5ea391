// lumetra-componi: the composition of a print job without the window, for batch jobs and
// benchmarks. Fills a layout with the pictures named on the command line and prints the document
// or writes it as PDF; messages go to stderr, in Italian.
#include "ArgomentiComponi.h"
#include "ContestoRigaDiComando.h"

#include "ComandoStampa.h"
#include "EngineApplication.h"
#include "LibraryDiagnostics.h"
#include "OutputGuard.h"
#include "PercorsoFile.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>

namespace {

void Scrivi(FILE* flusso, const QString& testo) {
    std::fputs(testo.toLocal8Bit().constData(), flusso);
    std::fputc('\n', flusso);
}

} // namespace

int main(int argc, char** argv) {
    using namespace lumetra;
    QStringList lista;
    for (int i = 1; i < argc; ++i)
        lista.append(QString::fromLocal8Bit(argv[i]));
    const componi::EsitoArgomenti esito = componi::LeggiArgomenti(lista);
    if (esito.aiuto) {
        std::fputs(componi::TestoAiuto().toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (!esito.argomenti) {
        Scrivi(stderr, QStringLiteral("lumetra-componi: ") + esito.errore);
        Scrivi(stderr, QStringLiteral("Usare --help per l'elenco delle opzioni."));
        return 2;
    }
    const componi::Argomenti& a = *esito.argomenti;

    // Fonts and painting need a GUI application; no screen is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    pictures::routeLibraryDiagnostics(); // only our own lines on stderr
    QGuiApplication app(argc, argv);

    componi::ContestoRigaDiComando contesto(a.dettagli);
    contesto.layout = a.layout;
    contesto.indirizzo = a.cartella;
    contesto.codiceEsterno = a.esterno;
    contesto.codiceInterno = a.interno;
    contesto.altezza = a.altezza;
    contesto.nomeFont = a.font;
    contesto.grassetto = a.grassetto;
    contesto.corsivo = a.corsivo;
    contesto.copie = QString::number(a.copie);
    contesto.selezionati = a.file;

    // The pictures are opened by name inside the folder: it must exist and be passable.
    const QFileInfo cartellaImmagini(a.cartella);
    const char* rifiutoCartella =
        !cartellaImmagini.exists()  ? "La cartella delle immagini '%1' non esiste."
        : !cartellaImmagini.isDir() ? "'%1' non è una cartella."
        : !cartellaImmagini.isExecutable()
            ? "La cartella delle immagini '%1' non è accessibile: accesso negato."
            : nullptr;
    if (rifiutoCartella) {
        Scrivi(stderr,
               QString::fromUtf8(rifiutoCartella).arg(QDir::toNativeSeparators(a.cartella)));
        return 1;
    }

    if (!a.pdf.isEmpty()) {
        // Nothing the job reads may be replaced by what it writes: refused before any work.
        QStringList letti{a.layout};
        for (const QString& nome : a.file)
            letti.append(composition::PercorsoFile(a.cartella, nome));
        const QString rifiuto = engine::refusedOutput(a.pdf, letti);
        if (!rifiuto.isEmpty()) {
            Scrivi(stderr, rifiuto);
            return 1;
        }
        if (QFileInfo(a.pdf).exists() && !QFileInfo(a.pdf).isFile()) {
            Scrivi(stderr, QStringLiteral("'%1' non è un file: scegliere un altro nome.")
                               .arg(QDir::toNativeSeparators(a.pdf)));
            return 1;
        }
        const QDir cartella = QFileInfo(a.pdf).absoluteDir();
        if (!cartella.exists()) {
            Scrivi(stderr, QStringLiteral("La cartella '%1' non esiste.")
                               .arg(QDir::toNativeSeparators(cartella.path())));
            return 1;
        }
    }

    engine::EngineOptions opzioni;
    opzioni.pdfFile = a.pdf;
    contesto.fabbrica = engine::fabbricaMotore(opzioni);

    // The window's own print command: validation, composition, printing.
    printjob::cmdStampa_Click(contesto);
    const bool riuscito = contesto.stampato;

    if (!contesto.saltate.isEmpty())
        Scrivi(stderr, QStringLiteral("Immagini saltate (%1): %2")
                           .arg(contesto.saltate.size())
                           .arg(contesto.saltate.join(QStringLiteral(", "))));
    if (riuscito) {
        const int inserite = static_cast<int>(a.file.size() - contesto.saltate.size());
        const QString immagini = inserite == 1 ? QStringLiteral("1 immagine")
                                               : QStringLiteral("%1 immagini").arg(inserite);
        const QString copie =
            a.copie == 1 ? QStringLiteral("1 copia") : QStringLiteral("%1 copie").arg(a.copie);
        Scrivi(stderr, a.pdf.isEmpty()
                           ? QStringLiteral("Documento stampato: %1, %2.").arg(immagini, copie)
                           : QStringLiteral("Documento scritto in '%1': %2.").arg(a.pdf, immagini));
    }
    return riuscito ? 0 : 1;
}
