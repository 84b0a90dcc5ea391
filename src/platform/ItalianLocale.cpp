#include "ItalianLocale.h"

#include "QtTranslationGaps.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace lumetra::platform {

void useItalianLocale(QCoreApplication& application) {
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    // The desktop's own dialogs (GTK, portals) speak the machine's language; Qt's speak ours.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    auto* qtItaliano = new QTranslator(&application);
    if (qtItaliano->load(QStringLiteral("qtbase_it"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(qtItaliano);
    }
    // Installed last, so it is asked first; it answers only for the texts it knows.
    QCoreApplication::installTranslator(new QtTranslationGaps(&application));
}

} // namespace lumetra::platform
