// lumetra-pubinfo FILE.pub: describes a Publisher layout as JSON on stdout (pages, shapes with
// their object-model type and position, page 1's picture slots). Exit 0; 2 when the file cannot
// be read (Italian message on stderr); 1 for a wrong command line.
//
// lumetra-pubinfo FILE.pub --png N OUT.png [--dpi D]: draws page N (counted from 1) to a PNG
// file at D dots per inch (96 unless given). Exit 2 for a page that does not exist or a file
// that cannot be read or written.

#include "Diagnostics.h"
#include "Layout.h"
#include "LayoutJson.h"
#include "LayoutPageDrawer.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QStringList>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

int usage() {
    std::fputs("Uso: lumetra-pubinfo FILE.pub [--png N OUT.png [--dpi D]]\n", stderr);
    return 1;
}

int fail(const QString& message) {
    std::fprintf(stderr, "%s\n", message.toUtf8().constData());
    return 2;
}

// --png N OUT.png [--dpi D]
int drawPng(const QString& path, const QString& pageText, const QString& out, double dpi) {
    bool ok = false;
    const int page = pageText.toInt(&ok);
    QString error;
    const auto renderer = lumetra::drawing::LayoutPageDrawer::open(path, &error);
    if (!renderer)
        return fail(error);
    if (!ok || page < 1 || page > renderer->pageCount())
        return fail(QStringLiteral("La pagina %1 non esiste: il layout ha %2 pagine.")
                        .arg(pageText)
                        .arg(renderer->pageCount()));
    const QImage image = renderer->renderPage(page - 1, dpi);
    if (image.isNull())
        return fail(renderer->lastError());
    if (!image.save(out, "PNG"))
        return fail(QStringLiteral("Impossibile scrivere il file '%1'.").arg(out));
    return 0;
}

bool wantsPng(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--png") == 0)
            return true;
    return false;
}

int printJson(const QString& path) {
    try {
        const auto layout = lumetra::pub::Layout::readFile(path);
        const QByteArray json = lumetra::pubinfo::layoutJson(layout);
        std::fwrite(json.constData(), 1, static_cast<std::size_t>(json.size()), stdout);
        return 0;
    } catch (const lumetra::runtime::Error& error) {
        std::fprintf(stderr, "%s\n", error.Description().toUtf8().constData());
        return 2;
    }
}

} // namespace

int main(int argc, char** argv) {
    lumetra::runtime::routeQtMessages(); // only our own lines on stderr
    // Drawing needs fonts, hence a GUI application; it never opens a window.
    std::unique_ptr<QCoreApplication> app;
    if (wantsPng(argc, argv)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QStringList args = app->arguments().mid(1);
    if (args.isEmpty()) {
        return usage();
    }
    const qsizetype png = args.indexOf(QStringLiteral("--png"));
    if (png >= 0) {
        if (png + 2 >= args.size())
            return usage();
        const QString page = args[png + 1];
        const QString out = args[png + 2];
        args.remove(png, 3);
        double dpi = 96.0;
        const qsizetype dpiAt = args.indexOf(QStringLiteral("--dpi"));
        if (dpiAt >= 0) {
            bool ok = false;
            dpi = dpiAt + 1 < args.size() ? args[dpiAt + 1].toDouble(&ok) : 0.0;
            if (!ok || dpi <= 0 || dpi > 2400)
                return usage();
            args.remove(dpiAt, 2);
        }
        if (args.size() != 1)
            return usage();
        return drawPng(args.first(), page, out, dpi);
    }
    if (args.size() != 1) {
        return usage();
    }
    return printJson(args.first());
}
