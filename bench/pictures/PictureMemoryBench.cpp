// Peak memory of the pictures that ask for the most: a progressive JPEG of 12000 x 12000 pixels
// (libjpeg holds all its coefficients whatever the size drawn), a 167-byte EPS that asks for a
// page of 100000 x 100000 points, a 24 MP progressive JPEG (a camera's), and jobs of ten of each
// decoded ahead of the painter on four threads, and of ten pictures that take about the most a
// picture may. Each picture is drawn over a whole A4 page at
// 300 dpi. Each case runs in a process of its own (the peak of a process cannot be reset): the
// peak of the process (getrusage, RUSAGE_SELF) and of its Ghostscript renderings
// (RUSAGE_CHILDREN), against an empty process as the anchor. A child's peak also counts the pages
// it shares with this process between its fork and its exec: where this process is already
// large, the Ghostscript figure is an upper bound.
//
//   lumetra_picture_memory_bench [FOLDER]   (the samples are made there, or in a temporary one)

#include "Error.h"
#include "LibraryDiagnostics.h"
#include "PictureBatch.h"
#include "PictureFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <string>

#include <sys/resource.h>

using namespace lumetra::engine;

namespace {

const QSize Page(2480, 3508); // A4 at 300 dpi
constexpr int JobPictures = 10;

const char* const HugePageEps =
    "%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 100 100\n"
    "<< /PageSize [100000 100000] /HWResolution [600 600] >> setpagedevice\n"
    "0 0 1 setrgbcolor 0 0 50 50 rectfill showpage\n";

struct Case {
    const char* name;
    const char* file; // empty: the anchor
    int pictures;
};

const Case Cases[] = {
    {"processo vuoto (ancora)", "", 0},
    {"JPEG progressivo 12000x12000", "progressivo-12000.jpg", 1},
    {"EPS con pagina enorme", "pagina-enorme.eps", 1},
    {"JPEG progressivo 24 MP", "progressivo-24mp.jpg", 1},
    {"10 x JPEG 12000x12000", "progressivo-12000.jpg", JobPictures},
    {"10 x EPS pagina enorme", "pagina-enorme.eps", JobPictures},
    {"10 x JPEG 24 MP", "progressivo-24mp.jpg", JobPictures},
    // Coefficients of 147 MB: about the most a picture may take on the way.
    {"10 x JPEG 7000x7000 al limite", "progressivo-7000.jpg", JobPictures},
};

// A progressive JPEG of a colour gradient, made by netpbm (ImageMagick's policy refuses more
// than 128 MP).
bool makeJpeg(const QString& path, QSize size, const char* sampling) {
    if (QFile::exists(path)) {
        return true;
    }
    const QString w = QString::number(size.width()), h = QString::number(size.height());
    const QString script =
        QStringLiteral("set -e; d=$(mktemp -d); trap 'rm -rf \"$d\"' EXIT; "
                       "pgmramp -lr %1 %2 > \"$d/r\"; pgmramp -tb %1 %2 > \"$d/g\"; "
                       "pgmramp -ellipse %1 %2 > \"$d/b\"; "
                       "rgb3toppm \"$d/r\" \"$d/g\" \"$d/b\" | pnmtojpeg --progressive "
                       "--quality=92 --sample=%3 > '%4.part' && mv '%4.part' '%4'")
            .arg(w, h, QLatin1String(sampling), path);
    QProcess sh;
    sh.start(QStringLiteral("sh"), {QStringLiteral("-c"), script});
    return sh.waitForFinished(600000) && sh.exitCode() == 0;
}

double peakMb(int who) {
    rusage usage{};
    getrusage(who, &usage);
    return usage.ru_maxrss / 1024.0;
}

// Runs one case in this process: the pictures opened as a job adds them, decoded ahead of the
// painter and each drawn over a page. Prints the two peaks and what became of the pictures.
int runCase(const Case& c, const QString& folder) {
    int drawn = 0;
    QString refused;
    if (c.pictures > 0) {
        std::vector<PictureRequest> requests;
        const QString path = folder + QLatin1Char('/') + QLatin1String(c.file);
        for (int i = 0; i < c.pictures; ++i) {
            try {
                requests.push_back({path, Page, PictureFile::open(path)});
            } catch (const lumetra::runtime::Error& e) {
                refused = e.Description();
            }
        }
        QImage page(Page, QImage::Format_RGB32);
        PictureBatch batch(std::move(requests), 4, 0);
        for (int i = 0; i < batch.size(); ++i) {
            const DecodedPicture picture = batch.take(i);
            if (!picture.picture) {
                refused = picture.error;
                continue;
            }
            QPainter painter(&page);
            picture.picture->draw(painter, QRectF(QPointF(0, 0), Page));
            ++drawn;
        }
    }
    std::printf("%.1f %.1f %d %s\n", peakMb(RUSAGE_SELF), peakMb(RUSAGE_CHILDREN), drawn,
                refused.toStdString().c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    lumetra::pictures::routeLibraryDiagnostics();
    if (argc == 4 && QByteArray(argv[1]) == "--caso") {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication application(argc, argv);
        return runCase(Cases[std::stoi(argv[2])], QString::fromLocal8Bit(argv[3]));
    }
    QCoreApplication application(argc, argv);
    QTemporaryDir temporary;
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temporary.path();
    QDir().mkpath(folder);
    QFile eps(folder + QStringLiteral("/pagina-enorme.eps"));
    if (!eps.open(QIODevice::WriteOnly) || eps.write(HugePageEps) < 0) {
        std::fprintf(stderr, "impossibile scrivere i campioni in %s\n", qPrintable(folder));
        return 1;
    }
    eps.close();
    const bool samples =
        makeJpeg(folder + QStringLiteral("/progressivo-12000.jpg"), QSize(12000, 12000),
                 "1x1,1x1,1x1") &&
        makeJpeg(folder + QStringLiteral("/progressivo-24mp.jpg"), QSize(6000, 4000), "2x2") &&
        makeJpeg(folder + QStringLiteral("/progressivo-7000.jpg"), QSize(7000, 7000), "2x2");
    if (!samples) {
        std::fprintf(stderr, "campioni non disponibili (servono i programmi di netpbm)\n");
        return 1;
    }
    std::printf("Picco di memoria, ogni immagine disegnata su una pagina A4 a 300 dpi; lavori "
                "decodificati in anticipo su 4 thread\n");
    std::printf("%-30s %14s %16s %10s  %s\n", "caso", "processo (MB)", "Ghostscript (MB)",
                "disegnate", "rifiutata");
    for (int i = 0; i < int(std::size(Cases)); ++i) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--caso"), QString::number(i), folder});
        if (!child.waitForFinished(1800000) || child.exitStatus() != QProcess::NormalExit) {
            std::printf("%-30s terminato in modo anomalo (codice %d)\n", Cases[i].name,
                        child.exitCode());
            continue;
        }
        const QList<QByteArray> fields = child.readAllStandardOutput().trimmed().split(' ');
        if (fields.size() < 3) {
            std::printf("%-30s nessun risultato\n", Cases[i].name);
            continue;
        }
        const QByteArray refusal = fields.mid(3).join(' ');
        std::printf("%-30s %14s %16s %10s  %s\n", Cases[i].name, fields[0].constData(),
                    fields[1].constData(), fields[2].constData(),
                    refusal.isEmpty() ? "-" : refusal.constData());
    }
    return 0;
}
