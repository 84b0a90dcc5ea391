// lumetra-layout: new layouts without Publisher. Writes a catalogue grid or the page of a label
// sheet as a Publisher layout (*.pub) that Lumetra fills; lists the known label sheets.
// Messages go to stderr, in Italian; the list of sheets to stdout.
#include "ArgomentiLayout.h"
#include "Diagnostics.h"
#include "RigaDiComando.h"

#include "GridLayout.h"
#include "LabelCatalogue.h"
#include "LayoutPlan.h"
#include "Measures.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

using namespace lumetra;

// A line on stdout, or (stderr) one of the program's own messages.
void Scrivi(FILE* flusso, const QString& testo) {
    if (flusso == stderr) {
        runtime::tellUser(testo); // fd 2 is led away from the terminal, for the libraries
        return;
    }
    std::fputs(testo.toUtf8().constData(), flusso);
    std::fputc('\n', flusso);
}

// Arguments that give no layout: the reason, the hint, exit code 2.
int ErroreArgomenti(const QString& testo) {
    Scrivi(stderr, QStringLiteral("lumetra-layout: ") + testo);
    Scrivi(stderr, QStringLiteral("Usare --help per l'elenco delle opzioni."));
    return 2;
}

// A plan that cannot be made: its reason, with the option to change when it is the room kept
// for the article code.
int ErrorePiano(const layoutwriter::PlanResult& piano) {
    return ErroreArgomenti(piano.captionRoomTooLarge
                               ? QStringLiteral("--spazio-codice troppo grande. ") + piano.error
                               : piano.error);
}

int Elenca(const QString& filtro) {
    const layoutwriter::LabelCatalogue catalogo = layoutwriter::LabelCatalogue::load();
    if (catalogo.isEmpty()) {
        Scrivi(stderr, QStringLiteral("lumetra-layout: ") + catalogo.problem());
        return 1;
    }
    const auto fogli = catalogo.matching(filtro);
    for (const layoutwriter::LabelSheet* foglio : fogli) {
        QString riga = foglio->name().leftJustified(30) + QLatin1Char(' ') + foglio->summary();
        if (!foglio->description.isEmpty()) {
            riga += QStringLiteral(" - ") + foglio->description;
        }
        Scrivi(stdout, riga);
    }
    if (fogli.empty()) {
        Scrivi(stderr, QStringLiteral("Nessun foglio di etichette contiene '%1'.").arg(filtro));
        return 1;
    }
    return 0;
}

int Scrivi(const layoutwriter::LayoutPlan& piano, const lumetra::layout::Argomenti& a,
           const QString& nota) {
    const runtime::FileWriteResult esito = layoutwriter::writeLayout(
        piano, a.uscita, a.sovrascrivi ? runtime::Replace::Allowed : runtime::Replace::Never);
    if (!esito.written()) {
        QString messaggio = QStringLiteral("lumetra-layout: ") + esito.message;
        if (esito.status == runtime::FileWriteResult::Status::Exists) {
            messaggio += QStringLiteral(" Usare --sovrascrivi per sostituirlo.");
        }
        Scrivi(stderr, messaggio);
        return 1;
    }
    QString fatto =
        QStringLiteral("Layout scritto in '%1': pagina %2 x %3 mm, %4 rettangoli.")
            .arg(a.uscita, layoutwriter::formatMm(layoutwriter::pointsToMm(piano.pageWidth)),
                 layoutwriter::formatMm(layoutwriter::pointsToMm(piano.pageHeight)))
            .arg(piano.rectangles.size());
    if (!nota.isEmpty()) {
        fatto += QLatin1Char(' ') + nota;
    }
    Scrivi(stderr, fatto);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    lumetra::runtime::routeQtMessages(); // only our own lines on stderr
    QCoreApplication app(argc, argv);
    const layout::EsitoArgomenti esito =
        layout::LeggiArgomenti(rigadicomando::ParoleDi(argc, argv));
    if (esito.aiuto) {
        std::fputs(layout::TestoAiuto().toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (!esito.argomenti) {
        return ErroreArgomenti(esito.errore);
    }
    const layout::Argomenti& a = *esito.argomenti;

    if (a.comando == layout::Comando::Elenco) {
        return Elenca(a.filtro);
    }

    if (a.comando == layout::Comando::Griglia) {
        const layoutwriter::GridResult griglia = layoutwriter::planGrid(a.griglia);
        if (!griglia.plan) {
            return ErrorePiano(griglia);
        }
        return Scrivi(*griglia.plan, a, {});
    }

    const layoutwriter::LabelCatalogue catalogo = layoutwriter::LabelCatalogue::load();
    if (catalogo.isEmpty()) {
        Scrivi(stderr, QStringLiteral("lumetra-layout: ") + catalogo.problem());
        return 1;
    }
    const layoutwriter::LabelSheet* foglio = catalogo.find(a.foglio);
    if (!foglio) {
        return ErroreArgomenti(QStringLiteral("Foglio di etichette sconosciuto: '%1'. Usare "
                                              "--elenco per i fogli conosciuti.")
                                   .arg(a.foglio));
    }
    const layoutwriter::PlanResult piano = foglio->plan(a.codice);
    if (!piano.plan) {
        return ErrorePiano(piano);
    }
    QString nota;
    if (foglio->hasRoundLabels()) {
        nota = a.codice.heightMm > 0
                   ? QStringLiteral("Nelle etichette rotonde o ellittiche immagine e codice "
                                    "stanno nel rettangolo inscritto.")
                   : QStringLiteral("Le etichette rotonde o ellittiche diventano il rettangolo "
                                    "che le contiene.");
    }
    return Scrivi(*piano.plan, a, nota);
}
