#include "LumetraIcon.h"

#include <initializer_list>

namespace lumetra::mainwindow {

namespace {

QIcon iconOfSizes(std::initializer_list<int> sizes) {
    QIcon icon;
    for (int size : sizes) {
        icon.addFile(QStringLiteral(":/icone/hicolor/%1x%1/apps/lumetra.png").arg(size),
                     QSize(size, size));
    }
    return icon;
}

} // namespace

QIcon LumetraIcon() {
    return iconOfSizes({16, 32});
}

QIcon LumetraIconaApplicazione() {
    return iconOfSizes({16, 22, 24, 32, 48, 64, 128, 256});
}

} // namespace lumetra::mainwindow
