# The Debian package of everything `cmake --install` installs, under /usr:
#
#   cpack --config build/CPackConfig.cmake -B build/pacchetto    (gives lumetra_1.0.4_amd64.deb)
#
# Its dependencies on shared libraries are read from the installed programs by dpkg-shlibdeps;
# what the programs load at run time without linking it is declared by hand.
set(LUMETRA_PACKAGE_MAINTAINER "Lumetra <info@lumetra.it>"
    CACHE STRING "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lumetra)
set(CPACK_PACKAGE_VENDOR Lumetra)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "stampa cataloghi di prodotti dalle foto e da un layout di Publisher")
set(CPACK_PACKAGE_DESCRIPTION
    "Lumetra riempie i rettangoli della prima pagina di un layout di Publisher (*.pub) con le\n"
    "foto di una cartella, pagina dopo pagina, scrive il codice articolo di ogni foto e stampa\n"
    "le copie richieste sulla stampante predefinita, oppure mostra le pagine in anteprima.\n"
    "Il pacchetto contiene anche lumetra-componi, che compone un catalogo dalla riga di\n"
    "comando, e lumetra-pubinfo, che descrive un layout.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGE_CONTACT "${LUMETRA_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://lumetra.it")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded by Qt at run time: the X11 and Wayland window-system plugins; run for EPS pictures:
# Ghostscript.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, ghostscript")
# Italian texts in Qt's dialogs, a metric-compatible Times New Roman for the captions, more
# picture formats through Qt's plugins; fonts that keep the widths of a layout's Windows fonts
# (narrow and condensed faces, Calibri, Cambria, the PostScript families), so that its words
# stay in their frames.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "qt6-translations-l10n, fonts-liberation2, qt6-image-formats-plugins, fonts-liberation, \
fonts-dejavu-extra, fonts-crosextra-carlito, fonts-crosextra-caladea, fonts-urw-base35")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "printer-driver-cups-pdf")

include(CPack)
