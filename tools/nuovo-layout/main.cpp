// lumetra-nuovo-layout: the window that makes new layouts (catalogue grids, label sheets) for
// Lumetra without Publisher.
#include "Diagnostics.h"
#include "FinestraNuovoLayout.h"
#include "ItalianLocale.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv) {
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
