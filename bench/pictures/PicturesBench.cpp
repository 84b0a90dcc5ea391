// Per picture format: the time to draw one A4 page of 12 pictures (3 x 4 slots) at 300 dpi
// through the picture import, against ImageMagick's `convert` decoding and resizing the same 12
// files to the slot size (one thread each), and the peak memory of the page. First, the time the
// reduction alone takes, as the decoders feed it rows, for photos of the usual sizes.
//
//   lumetra_pictures_bench [FOLDER] [--grandi]   (the sample pictures are made there, or in a
//   temporary one; --grandi: only the largest pictures accepted)

#include "PictureImport.h"
#include "RowReducer.h"
#include "TestImages.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int Dpi = 300;
const QSize Page(2480, 3508); // A4 at 300 dpi
constexpr int Columns = 3;
constexpr int Rows = 4;

QSize slotSize() {
    return QSize(Page.width() / Columns - 40, Page.height() / Rows - 40);
}

bool run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, arguments);
    return process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

// Peak resident memory since the last reset, in MB.
double peakMb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:")) {
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
        }
    }
    return -1;
}

void resetPeak() {
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly)) {
        clear.write("5");
    }
}

double pageSeconds(const QString& file) {
    lumetra::pictures::probePicture(file); // as a job adds it: a picture too large stops here
    double best = 1e9;
    for (int turn = 0; turn < 3; ++turn) {
        QImage page(Page, QImage::Format_RGB32);
        page.fill(Qt::white);
        QElapsedTimer timer;
        timer.start();
        QPainter painter(&page);
        for (int i = 0; i < Columns * Rows; ++i) {
            const QRect box(QPoint((i % Columns) * Page.width() / Columns + 20,
                                   (i / Columns) * Page.height() / Rows + 20),
                            slotSize());
            lumetra::pictures::loadPicture(file, box.size())->draw(painter, box);
        }
        painter.end();
        best = std::min(best, timer.nsecsElapsed() / 1e9);
    }
    return best;
}

double convertSeconds(const QString& file, const QString& scratch) {
    double best = 1e9;
    const QString size = QStringLiteral("%1x%2!").arg(slotSize().width()).arg(slotSize().height());
    for (int turn = 0; turn < 3; ++turn) {
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < Columns * Rows; ++i) {
            if (!run(QStringLiteral("convert"),
                     {QStringLiteral("-limit"), QStringLiteral("thread"), QStringLiteral("1"),
                      QStringLiteral("-density"), QString::number(Dpi), file,
                      QStringLiteral("-resize"), size, scratch})) {
                return -1;
            }
        }
        best = std::min(best, timer.nsecsElapsed() / 1e9);
    }
    return best;
}

// The reduction of a photo of each size into a slot at 300 dpi (as its JPEG is decoded: at the
// DCT scale not below the slot), best of 5.
void reductionTimes() {
    const QSize sizes[][2] = {{{1200, 900}, {667, 500}},
                              {{1000, 750}, {667, 500}}, // 4000 x 3000 read at 1/4
                              {{3000, 2000}, {786, 524}},
                              {{4000, 3000}, {667, 500}}};
    std::printf("Riduzione delle righe, un thread\n%-26s %12s %14s\n", "da -> a", "ms per foto",
                "ns per pixel");
    for (const auto& [from, to] : sizes) {
        const QImage photo = lumetra::testimages::photoLikeImage(from);
        double best = 1e9;
        for (int turn = 0; turn < 5; ++turn) {
            QElapsedTimer timer;
            timer.start();
            lumetra::pictures::RowReducer reducer(from, to);
            for (int y = 0; y < from.height(); ++y) {
                reducer.add(y, photo.constScanLine(y));
            }
            reducer.finish({128, 128, 128, 255});
            best = std::min(best, timer.nsecsElapsed() / 1e6);
        }
        std::printf("%5d x %-5d -> %4d x %-4d %12.2f %14.2f\n", from.width(), from.height(),
                    to.width(), to.height(), best,
                    best * 1e6 / (double(from.width()) * from.height()));
    }
    std::printf("\n");
}

const char* SvgDrawing =
    "<svg xmlns='http://www.w3.org/2000/svg' width='400pt' height='300pt' viewBox='0 0 400 300'>"
    "<rect width='400' height='300' fill='#ffe8c0'/>"
    "<circle cx='120' cy='150' r='90' fill='#c03030' stroke='#202020' stroke-width='6'/>"
    "<path d='M220 40 L380 40 L300 260 Z' fill='#3050c0'/>"
    "<text x='40' y='290' font-size='28' font-family='DejaVu Sans'>ART-1234</text></svg>";

const char* PostScriptDrawing = "%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 400 300\n"
                                "1 0.9 0.75 setrgbcolor 0 0 400 300 rectfill\n"
                                "0.75 0.19 0.19 setrgbcolor 120 150 90 0 360 arc fill\n"
                                "0.19 0.31 0.75 setrgbcolor 220 260 moveto 380 260 lineto "
                                "300 40 lineto closepath fill\nshowpage\n";

struct Sample {
    const char* name;
    std::function<bool(const QString& folder, QString* file)> make;
};

} // namespace

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv); // fonts, for the text of drawings
    QTemporaryDir temporary;
    // --grandi: only the largest pictures.
    const bool onlyLargest = argc > 1 && QByteArray(argv[argc - 1]) == "--grandi";
    const QString folder =
        argc > (onlyLargest ? 2 : 1) ? QString::fromLocal8Bit(argv[1]) : temporary.path();
    QDir().mkpath(folder);
    if (!onlyLargest) {
        reductionTimes();
    }
    const QString source = folder + QStringLiteral("/foto.png");
    lumetra::testimages::writePng(source, lumetra::testimages::photoLikeImage(QSize(3000, 2000)));
    const auto converted = [&](const char* name, QStringList options) {
        return [=](const QString& dir, QString* file) {
            *file = dir + QLatin1Char('/') + QLatin1String(name);
            QStringList arguments{source};
            arguments << options
                      << (options.contains(QStringLiteral("PICT")) ? QStringLiteral("PICT:") + *file
                                                                   : *file);
            arguments.removeAll(QStringLiteral("PICT"));
            return run(QStringLiteral("convert"), arguments);
        };
    };
    const auto written = [](const char* name, const char* text, const char* exportTo) {
        return [=](const QString& dir, QString* file) {
            const QString base = dir + QLatin1Char('/') + QLatin1String(name);
            QFile out(base);
            if (!out.open(QIODevice::WriteOnly) || out.write(text) < 0) {
                return false;
            }
            out.close();
            if (!exportTo) {
                *file = base;
                return true;
            }
            *file =
                base.section(QLatin1Char('.'), 0, -2) + QLatin1Char('.') + QLatin1String(exportTo);
            return run(QStringLiteral("soffice"),
                       {QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                        QLatin1String(exportTo), QStringLiteral("--outdir"), dir, base});
        };
    };
    const Sample samples[] = {
        {"JPEG 6 MP", converted("foto.jpg", {QStringLiteral("-quality"), QStringLiteral("90")})},
        {"PNG 6 MP", [&](const QString&, QString* file) { return *file = source, true; }},
        {"TIFF LZW 6 MP",
         converted("foto.tif", {QStringLiteral("-compress"), QStringLiteral("LZW")})},
        {"TIFF CMYK 6 MP",
         converted("cmyk.tif", {QStringLiteral("-colorspace"), QStringLiteral("CMYK")})},
        {"JPEG CMYK 6 MP",
         converted("cmyk.jpg", {QStringLiteral("-colorspace"), QStringLiteral("CMYK")})},
        {"PCX 6 MP", converted("foto.pcx", {})},
        // ImageMagick's PICT reader takes 128 KiB a row: 1000 rows are about what a picture may
        // need.
        {"PICT 1000x750",
         converted("foto.pct", {QStringLiteral("-resize"), QStringLiteral("1000x750!"),
                                QStringLiteral("PICT")})},
        {"EPS (vettoriale)", written("disegno.eps", PostScriptDrawing, nullptr)},
        {"WMF (vettoriale)", written("disegno-wmf.svg", SvgDrawing, "wmf")},
        {"EMF (vettoriale)", written("disegno-emf.svg", SvgDrawing, "emf")},
    };
    const bool magick = !QStandardPaths::findExecutable(QStringLiteral("convert")).isEmpty();
    std::printf("Pagina A4 a %d dpi con %d immagini (riquadri %d x %d pixel), un thread\n", Dpi,
                Columns * Rows, slotSize().width(), slotSize().height());
    std::printf("%-20s %12s %14s %8s %14s\n", "formato", "Lumetra (s)", "convert (s)", "rapporto",
                "picco (MB)");
    for (const Sample& sample : samples) {
        if (onlyLargest) {
            break;
        }
        QString file;
        if (!sample.make(folder, &file) || !QFile::exists(file)) {
            std::printf("%-20s campione non disponibile su questa macchina\n", sample.name);
            continue;
        }
        resetPeak();
        double ours = -1;
        try {
            ours = pageSeconds(file);
        } catch (const lumetra::pictures::PictureError& e) {
            std::printf("%-20s rifiutata: %s\n", sample.name, qPrintable(e.Description()));
            continue;
        }
        const double peak = peakMb();
        const double anchor =
            magick ? convertSeconds(file, folder + QStringLiteral("/out.ppm")) : -1;
        if (anchor > 0) {
            std::printf("%-20s %12.3f %14.3f %8.2f %14.1f\n", sample.name, ours, anchor,
                        ours / anchor, peak);
        } else { // ImageMagick's policy or delegates do not read it here
            std::printf("%-20s %12.3f %14s %8s %14.1f\n", sample.name, ours, "n.d.", "n.d.", peak);
        }
    }
    // The largest pictures accepted, each drawn once over a whole A4 page at 300 dpi: the peak
    // memory must stay far below the picture's own size (11000 x 11000 is 484 MB as pixels;
    // ImageMagick's policy on Debian makes nothing larger).
    const QString big = QStringLiteral("11000x11000");
    const auto large = [&](const char* name, QStringList options) {
        return [=](const QString& dir, QString* file) {
            *file = dir + QLatin1Char('/') + QLatin1String(name);
            if (QFile::exists(*file)) {
                return true;
            }
            return run(QStringLiteral("convert"),
                       QStringList{QStringLiteral("-size"), big,
                                   QStringLiteral("gradient:#c03030-#3050c0")} +
                           options + QStringList{*file});
        };
    };
    const auto pict = [&](const char* name, QString size) {
        return [=](const QString& dir, QString* file) {
            *file = dir + QLatin1Char('/') + QLatin1String(name);
            return QFile::exists(*file) ||
                   run(QStringLiteral("convert"),
                       {source, QStringLiteral("-resize"), size, QStringLiteral("PICT:") + *file});
        };
    };
    const Sample largest[] = {
        {"JPEG 11000x11000",
         large("grande.jpg", {QStringLiteral("-quality"), QStringLiteral("90")})},
        {"PNG 11000x11000", large("grande.png", {})},
        {"GIF 11000x11000",
         [&](const QString& dir, QString* file) {
             // ImageMagick cannot quantise a picture this large within its policy: netpbm can.
             *file = dir + QStringLiteral("/grande.gif");
             return QFile::exists(*file) ||
                    run(QStringLiteral("sh"),
                        {QStringLiteral("-c"),
                         QStringLiteral("pgmramp -lr 11000 11000 | pamtogif -quiet > '%1'")
                             .arg(*file)});
         }},
        {"TIFF 11000x11000",
         large("grande.tif", {QStringLiteral("-compress"), QStringLiteral("LZW")})},
        {"PICT 1000x1000", pict("media.pct", QStringLiteral("1000x1000!"))},
        {"PICT 8000x8000", pict("enorme.pct", QStringLiteral("8000x8000!"))},
    };
    std::printf("\nImmagini più grandi accettate, ciascuna su una pagina A4 intera a %d dpi\n",
                Dpi);
    std::printf("%-20s %12s %14s\n", "formato", "Lumetra (s)", "picco (MB)");
    for (const Sample& sample : largest) {
        QString file;
        if (!magick || !sample.make(folder, &file) || !QFile::exists(file)) {
            std::printf("%-20s campione non disponibile su questa macchina\n", sample.name);
            continue;
        }
        resetPeak();
        QElapsedTimer timer;
        timer.start();
        try {
            // Probed first, as a job adds it: that is where a picture too large is refused.
            lumetra::pictures::probePicture(file);
            QImage page(Page, QImage::Format_RGB32);
            QPainter painter(&page);
            lumetra::pictures::loadPicture(file, Page)->draw(painter, QRect(QPoint(0, 0), Page));
        } catch (const lumetra::pictures::PictureError& e) {
            std::printf("%-20s rifiutata: %s\n", sample.name, qPrintable(e.Description()));
            continue;
        }
        std::printf("%-20s %12.3f %14.1f\n", sample.name, timer.nsecsElapsed() / 1e9, peakMb());
    }
    return 0;
}
