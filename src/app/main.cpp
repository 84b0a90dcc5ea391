#include "frmLumetra.h"
#include "modGenerale.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(lumetra::modGenerale::AppTitle);
    lumetra::mainwindow::frmLumetra window;
    window.show();
    return QApplication::exec();
}
