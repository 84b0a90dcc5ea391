#include "EngineFactory.h"
#include "ItalianLocale.h"
#include "LibraryDiagnostics.h"
#include "LumetraIcon.h"
#include "frmLumetra.h"
#include "modGenerale.h"

#include <QApplication>

int main(int argc, char** argv) {
    lumetra::pictures::routeLibraryDiagnostics(); // the libraries' messages never reach stderr
    QApplication app(argc, argv);
    QApplication::setApplicationName(lumetra::runtime::ApplicationTitle);
    // The desktop entry the windows belong to (task bars and docks show its name and icon).
    QGuiApplication::setDesktopFileName(QStringLiteral("it.lumetra.Lumetra"));
    QApplication::setWindowIcon(lumetra::mainwindow::LumetraIconaApplicazione());
    lumetra::platform::useItalianLocale(app);
    lumetra::mainwindow::Servizi servizi;
    servizi.creaPublisher = lumetra::factory::fabbricaApplicazione();
    lumetra::mainwindow::frmLumetra window(servizi);
    window.show();
    return QApplication::exec();
}
