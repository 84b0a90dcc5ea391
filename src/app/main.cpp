#include "EngineFactory.h"
#include "frmLumetra.h"
#include "modGenerale.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(lumetra::modGenerale::AppTitle);
    lumetra::mainwindow::Servizi servizi;
    servizi.creaPublisher = lumetra::engine::fabbricaApplicazione();
    lumetra::mainwindow::frmLumetra window(servizi);
    window.show();
    return QApplication::exec();
}
