#include "EngineFactory.h"
#include "ItalianLocale.h"
#include "LibraryDiagnostics.h"
#include "LumetraIcon.h"
#include "frmLumetra.h"
#include "modGenerale.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs("Uso: lumetra\n\n"
                       "Apre la finestra di Lumetra, che riempie i rettangoli di un layout di\n"
                       "Publisher con le immagini di una cartella e stampa il catalogo.\n"
                       "Senza finestra: lumetra-componi --help.\n",
                       stdout);
            return 0;
        }
    }
    lumetra::pictures::routeLibraryDiagnostics(); // the libraries' messages never reach stderr
    QApplication app(argc, argv);
    QApplication::setApplicationName(lumetra::runtime::ApplicationTitle);
    // The desktop entry the windows belong to (task bars and docks show its name and icon).
    QGuiApplication::setDesktopFileName(QStringLiteral("it.lumetra.Lumetra"));
    QApplication::setWindowIcon(lumetra::mainwindow::LumetraIconaApplicazione());
    lumetra::platform::useItalianLocale(app);
    lumetra::mainwindow::Servizi servizi;
    servizi.creaPublisher = lumetra::factory::applicationFactory();
    lumetra::mainwindow::frmLumetra window(servizi);
    window.show();
    return QApplication::exec();
}
