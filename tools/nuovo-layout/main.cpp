// lumetra-nuovo-layout: the window that makes new layouts (catalogue grids, label sheets) for
// Lumetra without Publisher.
#include "Diagnostics.h"
#include "FinestraNuovoLayout.h"
#include "ItalianLocale.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs("Uso: lumetra-nuovo-layout\n\n"
                       "Apre la finestra che crea nuovi layout per Lumetra senza Publisher:\n"
                       "griglie per i cataloghi e fogli di etichette. Senza finestra: "
                       "lumetra-layout.\n",
                       stdout);
            return 0;
        }
    }
    lumetra::runtime::routeQtMessages(); // the libraries' messages never reach stderr
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumetra"));
    QGuiApplication::setDesktopFileName(QStringLiteral("it.lumetra.NuovoLayout"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("lumetra")));
    lumetra::platform::useItalianLocale(app);
    lumetra::nuovolayout::FinestraNuovoLayout finestra(
        lumetra::layoutwriter::LabelCatalogue::load());
    finestra.show();
    return QApplication::exec();
}
