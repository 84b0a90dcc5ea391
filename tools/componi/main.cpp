// lumetra-componi: the composition of a print job without the window, for batch jobs and
// benchmarks. Fills a layout with the pictures named on the command line and prints the document
// or writes it as PDF; messages go to stderr, in Italian.
#include "ArgomentiComponi.h"
#include "ContestoRigaDiComando.h"

#include "ComponiDocumento.h"
#include "EngineApplication.h"
#include "LibraryDiagnostics.h"
#include "PercorsoFile.h"

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

    if (!QFileInfo(a.layout).isFile()) {
        Scrivi(stderr, QStringLiteral("Impossibile trovare il file di layout specificato: '%1'")
                           .arg(a.layout));
        return 1;
    }

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
    for (const QString& nome : a.file) {
        const QString percorso = composition::PercorsoFile(a.cartella, nome);
        if (QFileInfo(percorso).isFile()) {
            contesto.selezionati.append(nome);
        } else {
            Scrivi(stderr, QStringLiteral("Impossibile trovare il file immagine specificato: '%1': "
                                          "immagine saltata")
                               .arg(percorso));
            contesto.saltate.append(nome);
        }
    }

    engine::EngineOptions opzioni;
    opzioni.pdfFile = a.pdf;
    contesto.fabbrica = engine::fabbricaMotore(opzioni);

    const bool riuscito = composition::ComponiDocumento(contesto, false);

    if (!contesto.saltate.isEmpty())
        Scrivi(stderr, QStringLiteral("Immagini saltate (%1): %2")
                           .arg(contesto.saltate.size())
                           .arg(contesto.saltate.join(QStringLiteral(", "))));
    if (riuscito) {
        const int inserite = static_cast<int>(a.file.size() - contesto.saltate.size());
        Scrivi(stderr, a.pdf.isEmpty()
                           ? QStringLiteral("Documento stampato: %1 immagini, %2 copie.")
                                 .arg(inserite)
                                 .arg(a.copie)
                           : QStringLiteral("Documento scritto in '%1': %2 immagini.")
                                 .arg(a.pdf)
                                 .arg(inserite));
    }
    return riuscito ? 0 : 1;
}
