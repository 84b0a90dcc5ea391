#include "EngineFactory.h"
#include "frmLumetra.h"
#include "modGenerale.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(lumetra::modGenerale::AppTitle);
    // The program speaks Italian whatever the machine's language, Qt's own dialogs included.
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    QTranslator qtItaliano;
    if (qtItaliano.load(QStringLiteral("qtbase_it"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtItaliano);
    }
    lumetra::mainwindow::Servizi servizi;
    servizi.creaPublisher = lumetra::engine::fabbricaApplicazione();
    lumetra::mainwindow::frmLumetra window(servizi);
    window.show();
    return QApplication::exec();
}
