// lumetra-componi: the composition of a print job without the window, for batch jobs and
// benchmarks. Fills a layout with the pictures named on the command line, checks the composed
// document and prints it or writes it as PDF, or only reports the check; or saves the job for
// later, or runs a saved one. Messages go to stderr, in Italian.
#include "ArgomentiComponi.h"
#include "ContestoRigaDiComando.h"
#include "LavoroComponi.h"

#include "ComandoStampa.h"
#include "Diagnostics.h"
#include "EngineApplication.h"
#include "FileNames.h"
#include "LibraryDiagnostics.h"
#include "OutputGuard.h"
#include "PercorsoFile.h"
#include "RigaDiComando.h"

#include <QGuiApplication>

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using lumetra::runtime::nativeName;
using lumetra::runtime::tellUser;

// Why the pictures' folder cannot be used, or nothing: the pictures are opened by name inside
// it, so it must exist and be passable.
const char* RifiutoCartella(const QString& cartella) {
    struct stat stato {};
    if (::stat(nativeName(cartella).constData(), &stato) != 0) {
        return "La cartella delle immagini '%1' non esiste.";
    }
    if (!S_ISDIR(stato.st_mode)) {
        return "'%1' non è una cartella.";
    }
    if (::access(nativeName(cartella).constData(), X_OK) != 0) {
        return "La cartella delle immagini '%1' non è accessibile: accesso negato.";
    }
    return nullptr;
}

// Why the PDF cannot be written at `pdf`, before any work: a name that is no file, a folder
// that does not exist. Empty when it may be tried.
QString RifiutoPdf(const QString& pdf) {
    struct stat stato {};
    if (::stat(nativeName(pdf).constData(), &stato) == 0 && !S_ISREG(stato.st_mode)) {
        return QStringLiteral("'%1' non è un file: scegliere un altro nome.").arg(pdf);
    }
    const qsizetype barra = pdf.lastIndexOf(QLatin1Char('/'));
    const QString cartella = barra < 0 ? QStringLiteral(".") : pdf.left(qMax<qsizetype>(barra, 1));
    if (::stat(nativeName(cartella).constData(), &stato) != 0 || !S_ISDIR(stato.st_mode)) {
        return QStringLiteral("La cartella '%1' non esiste.").arg(cartella);
    }
    return {};
}

// The end of the job: the skipped pictures, then what was printed or written; the exit code.
// The check alone gives 0 when it found nothing, 3 when it did, 1 when it was not reached.
int Fine(const lumetra::componi::ContestoRigaDiComando& contesto,
         const lumetra::componi::Argomenti& a) {
    if (!contesto.saltate.isEmpty()) {
        tellUser(QStringLiteral("Immagini saltate (%1): %2")
                     .arg(contesto.saltate.size())
                     .arg(contesto.saltate.join(QStringLiteral(", "))));
    }
    if (a.controlla) {
        if (contesto.controlli.empty()) {
            return 1;
        }
        return contesto.controlli.back().HaRilievi() ? 3 : 0;
    }
    if (!contesto.stampato) {
        return 1;
    }
    const int inserite = static_cast<int>(a.file.size() - contesto.saltate.size());
    const QString immagini =
        inserite == 1 ? QStringLiteral("1 immagine") : QStringLiteral("%1 immagini").arg(inserite);
    const QString copie =
        a.copie == 1 ? QStringLiteral("1 copia") : QStringLiteral("%1 copie").arg(a.copie);
    tellUser(a.pdf.isEmpty()
                 ? QStringLiteral("Documento stampato: %1, %2.").arg(immagini, copie)
                 : QStringLiteral("Documento scritto in '%1': %2.").arg(a.pdf, immagini));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    using namespace lumetra;
    const componi::EsitoArgomenti esito =
        componi::LeggiArgomenti(rigadicomando::ParoleDi(argc, argv));
    if (esito.aiuto) {
        std::fputs(componi::TestoAiuto().toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (!esito.argomenti && esito.uscita != 2) {
        tellUser(esito.errore); // a saved job that cannot be used
        return esito.uscita;
    }
    if (!esito.argomenti) {
        tellUser(QStringLiteral("lumetra-componi: ") + esito.errore);
        tellUser(QStringLiteral("Usare --help per l'elenco delle opzioni."));
        return 2;
    }
    const componi::Argomenti& a = *esito.argomenti;
    if (!a.salvaLavoro.isEmpty()) {
        return componi::SalvaLavoro(a);
    }

    // Fonts and painting need a GUI application; no screen is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    pictures::routeLibraryDiagnostics(); // only our own lines on stderr
    QGuiApplication app(argc, argv);

    componi::ContestoRigaDiComando contesto(a.dettagli);
    componi::Imposta(contesto, a);

    if (const char* rifiuto = RifiutoCartella(a.cartella)) {
        tellUser(QString::fromUtf8(rifiuto).arg(a.cartella));
        return 1;
    }

    if (!a.pdf.isEmpty()) {
        // Nothing the job reads may be replaced by what it writes: refused before any work.
        QStringList letti{a.layout};
        for (const QString& altro : {a.listino, a.lavoro}) {
            if (!altro.isEmpty()) {
                letti.append(altro);
            }
        }
        for (const QString& nome : a.file) {
            letti.append(composition::PercorsoFile(a.cartella, nome));
        }
        QString rifiuto = engine::refusedOutput(a.pdf, letti);
        if (rifiuto.isEmpty()) {
            rifiuto = RifiutoPdf(a.pdf);
        }
        if (!rifiuto.isEmpty()) {
            tellUser(rifiuto);
            return 1;
        }
    }

    engine::EngineOptions opzioni;
    opzioni.pdfFile = a.pdf;
    contesto.fabbrica = engine::engineFactory(opzioni);

    // The window's own print command: validation, composition, the check, printing.
    printjob::cmdStampa_Click(contesto);
    return Fine(contesto, a);
}
