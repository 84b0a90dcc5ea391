// lumetra-pubinfo FILE.pub: describes a Publisher layout as JSON on stdout (pages, shapes with
// their object-model type and position, page 1's picture slots). Exit 0; 2 when the file cannot
// be read (Italian message on stderr); 1 for a wrong command line.

#include "Layout.h"
#include "LayoutJson.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace {

int usage() {
    std::fputs("Uso: lumetra-pubinfo FILE.pub\n", stderr);
    return 1;
}

int printJson(const QString& path) {
    try {
        const auto layout = lumetra::pub::Layout::readFile(path);
        const QByteArray json = lumetra::pubinfo::layoutJson(layout);
        std::fwrite(json.constData(), 1, static_cast<std::size_t>(json.size()), stdout);
        return 0;
    } catch (const lumetra::pub::ReadError& error) {
        std::fprintf(stderr, "%s\n", error.description().toUtf8().constData());
        return 2;
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        return usage();
    }
    if (args.contains(QStringLiteral("--png"))) {
        std::fputs("Errore: opzione non disponibile: --png\n", stderr);
        return 1;
    }
    if (args.size() != 1) {
        return usage();
    }
    return printJson(args.first());
}
