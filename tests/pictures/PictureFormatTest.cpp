// Pictures, format by format: raster samples made here by ImageMagick, netpbm and gzip from one
// picture of known colours (red above, blue below); drawings (EPS through Ghostscript, WMF and EMF
// as SVG, WordPerfect graphics and CorelDRAW through librevenge) made by Ghostscript, ImageMagick
// and LibreOffice from one drawing (red on the left half; blue above and green below on the right),
// or written by their structure (WPG's documented one, CorelDRAW's as libcdr reads it). Each is
// drawn into a box of a grey page, also on several threads at once, and read back at probe points
// (colour-managed ones against ImageMagick converting with the same profiles); drawings but EPS
// must reach a PDF as vectors. Bad files of each format are refused with their message, and every
// sample is cut short and has bytes flipped in a second test. Pictures too large, decompression
// bombs and random bytes behind a WMF signature are lumetra-componi's bad-input rows (InputErrati).

#include "LibraryDiagnostics.h"
#include "PictureImport.h"
#include "PicturePool.h"
#include "TestImages.h"
#include "TestProcess.h"

#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QtEndian>

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cctype>
#include <functional>
#include <future>
#include <map>

using namespace lumetra::pictures;
namespace images = lumetra::testimages;

namespace {

const QColor Top(200, 60, 50); // of the raster pictures
const QColor Bottom(40, 90, 180);
const QColor Red(255, 0, 0); // of the drawings
const QColor Blue(0, 0, 255);
const QColor Green(0, 160, 0);
const QColor PageColour(225, 225, 225);
const QSize PageSize(320, 200);
const QRect Box(60, 50, 200, 100);

// The drawing in PostScript, 200 x 100 points, lower-left at (x, y).
QByteArray postScriptDrawing(int x, int y) {
    return QStringLiteral("%1 %2 translate\n"
                          "1 0 0 setrgbcolor 0 0 100 100 rectfill\n"
                          "0 0 1 setrgbcolor 100 50 100 50 rectfill\n"
                          "0 0.627 0 setrgbcolor 100 0 100 50 rectfill\n")
        .arg(x)
        .arg(y)
        .toLatin1();
}

const QByteArray SvgDrawing =
    "<svg xmlns='http://www.w3.org/2000/svg' width='200pt' height='100pt' viewBox='0 0 200 100'>"
    "<rect x='0' y='0' width='100' height='100' fill='#ff0000'/>"
    "<rect x='100' y='0' width='100' height='50' fill='#0000ff'/>"
    "<rect x='100' y='50' width='100' height='50' fill='#00a000'/>"
    "<text x='4' y='30' font-size='20' fill='#ff0000'>\xc3\xa0\xc3\xa8\xc3\xac</text></svg>\n";

struct Made {
    QString file;
    QString skip; // why the sample could not be made here
};

// The folder of one test's samples; `source` is the picture every raster sample is made from:
// PNG, 160 x 120, red above, blue below.
struct Samples {
    QTemporaryDir dir;
    QString source = images::writePng(dir.filePath(QStringLiteral("sorgente.png")),
                                      images::splitImage(QSize(160, 120), Top, Bottom));
    std::map<QString, Made> made;

    QString path(const QString& name) const { return dir.filePath(name); }

    // The sample `name`, made once by `make` and kept for the rows that start from it.
    Made once(const QString& name, const std::function<Made(const QString& path)>& make) {
        auto found = made.find(name);
        if (found == made.end()) {
            found = made.emplace(name, make(path(name))).first;
        }
        return found->second;
    }

    Made write(const QString& name, const QByteArray& bytes) const {
        return {images::writeBytes(path(name), bytes), {}};
    }
};

// The values as little-endian numbers of `size` bytes each.
QByteArray littleEndian(std::initializer_list<qint64> values, int size) {
    QByteArray b;
    for (const qint64 v : values)
        for (int i = 0; i < size; ++i)
            b += char(v >> (8 * i));
    return b;
}

QByteArray garbage(qsizetype size) {
    QByteArray bytes(size, '\0'); // size: a multiple of 4
    QRandomGenerator(20240611).fillRange(reinterpret_cast<quint32*>(bytes.data()), size / 4);
    return bytes;
}

// `file`, made by a command-line tool; the reason it is not there when the tool is not installed,
// fails or writes nothing, so that the row is skipped saying so.
Made madeBy(const QString& file, const QString& program, const QStringList& arguments) {
    if (QStandardPaths::findExecutable(program).isEmpty()) {
        return {file, program + QStringLiteral(" is not installed")};
    }
    const auto run = lumetra::testsupport::startProgram(program, arguments);
    if (run.exitCode != 0) {
        return {file, program + QStringLiteral(" failed: ") + run.errors};
    }
    if (!QFile::exists(file)) {
        return {file, program + QStringLiteral(" wrote no ") + QFileInfo(file).fileName()};
    }
    return {file, {}};
}

using Maker = std::function<Made(Samples&)>;

struct Case {
    const char* name;
    Maker make;
    QByteArray format;  // empty: the file is refused
    QSize size = {};    // the picture's own size, when the file tells it
    QString error = {}; // words of the description a refused file gets
    // A raster picture: the source's colours at the upper and lower probe points (invalid: asked
    // of ImageMagick with `referenceProfiles`). A drawing shows the drawing's.
    bool raster = false;
    int tolerance = 40;
    QColor top = {}, bottom = {};
    QStringList referenceProfiles = {};
    int bitmaps = 0; // raster images a drawing holds, which reach a PDF as they are
};

// A sample of these bytes; a sample made from another one's bytes, which `change` gives.
Maker bytes(const char* name, const QByteArray& data) {
    return [=](Samples& s) { return s.write(QString::fromLatin1(name), data); };
}
Maker from(Maker origin, const char* name, std::function<QByteArray(const QByteArray&)> change) {
    return [=](Samples& s) {
        const Made made = origin(s);
        return made.skip.isEmpty()
                   ? s.write(QString::fromLatin1(name), change(images::readBytes(made.file)))
                   : made;
    };
}

// A file that must be refused, with words of its description.
Case bad(const char* name, Maker make, const char* error = "danneggiato") {
    return {name, std::move(make), {}, {}, QString::fromUtf8(error)};
}

// What is written straight to standard error from its making to text(), the libraries'
// messages routed as the programs route them (Qt's through its handler, dropped here).
struct PrintedOnStderr {
    int terminal = ::dup(STDERR_FILENO);
    QtMessageHandler qt = qInstallMessageHandler([](QtMsgType, auto&, auto&) {});
    QTemporaryFile file;
    PrintedOnStderr() {
        routePictureLibraryHandlers();
        file.open();
        ::dup2(file.handle(), STDERR_FILENO);
    }
    std::string text() {
        ::dup2(terminal, STDERR_FILENO);
        qInstallMessageHandler(qt);
        file.seek(0);
        return file.readAll().toStdString();
    }
    ~PrintedOnStderr() { ::close(terminal); }
};

// `file` drawn into the box of a grey page.
QImage drawnOnPage(const QString& file) {
    const auto picture = loadPicture(file, Box.size());
    QImage page(PageSize, QImage::Format_RGB32);
    page.fill(PageColour);
    QPainter painter(&page);
    picture->draw(painter, QRectF(Box));
    painter.end();
    return page;
}

// The colour at a point of `area` given as fractions of its width and height (0.25, 0.5).
QColor colourAt(const QImage& image, QRect area, QPointF fraction) {
    return image.pixelColor(QPoint(int(area.x() + fraction.x() * area.width()),
                                   int(area.y() + fraction.y() * area.height())));
}

// `file` drawn into a 200 x 200 pt box on a PDF page at `pdfPath`; the number of raster image
// objects in it, as pdfimages lists them (-1 when pdfimages is not there).
int rasterImagesInPdf(const QString& file, const QString& pdfPath) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdfimages")).isEmpty()) {
        return -1;
    }
    {
        QPdfWriter pdf(pdfPath);
        pdf.setPageSize(QPageSize(QSizeF(300, 300), QPageSize::Point));
        pdf.setResolution(300);
        QPainter painter(&pdf);
        const double dotsPerPoint = 300.0 / 72.0;
        const QRectF box(50 * dotsPerPoint, 50 * dotsPerPoint, 200 * dotsPerPoint,
                         200 * dotsPerPoint);
        loadPicture(file, box.size().toSize())->draw(painter, box);
    }
    const QString list = lumetra::testsupport::runProgram(QStringLiteral("pdfimages"),
                                                          {QStringLiteral("-list"), pdfPath});
    // Two heading lines, then one line per image.
    return std::max<int>(
        0, static_cast<int>(list.split(QLatin1Char('\n'), Qt::SkipEmptyParts).size()) - 2);
}

// ---- Raster pictures ----------------------------------------------------------------------

const QString IccFolder = QStringLiteral("/usr/share/color/icc/ghostscript/");

// The reference colour of a colour-managed sample: ImageMagick converting it to sRGB the
// way prepress programs do (relative colorimetric, black point compensation).
QColor referenceColour(const QString& file, const QStringList& profiles, QPointF where) {
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("riferimento.png"));
    QStringList arguments{file, QStringLiteral("-intent"), QStringLiteral("Relative"),
                          QStringLiteral("-black-point-compensation")};
    for (const QString& profile : profiles)
        arguments << QStringLiteral("-profile") << IccFolder + profile;
    arguments << QStringLiteral("-depth") << QStringLiteral("8") << out;
    lumetra::testsupport::runProgram(QStringLiteral("convert"), arguments);
    const QImage reference(out);
    return colourAt(reference, reference.rect(), where);
}

// The source converted by ImageMagick into `name` with the options of `options` (words; "@x.icc"
// stands for the profile x.icc of the ghostscript folder); "FORMAT:name" writes that format
// whatever the name's extension.
Maker c(QString name, const char* options = "") {
    QStringList words = QString::fromLatin1(options).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (QString& word : words)
        if (word.startsWith(QLatin1Char('@')))
            word = IccFolder + word.mid(1);
    return [name, words](Samples& s) {
        const QString file = s.path(name.section(QLatin1Char(':'), -1));
        const QString format = name.contains(QLatin1Char(':')) ? name.section(':', 0, 0) + ':' : "";
        return madeBy(file, QStringLiteral("convert"),
                      QStringList{s.source} << words << format + file);
    };
}

// `name` made by an encoder from `input` (the source when not given): `words` are its
// arguments, "%1" standing for the input and "%2" for the file made.
Maker encoded(QString name, QString program, QString words, Maker input = {}) {
    return [=](Samples& s) {
        const Made from = input ? input(s) : Made{s.source, {}};
        if (!from.skip.isEmpty())
            return from;
        QStringList arguments = words.split(' ');
        for (QString& word : arguments)
            word = word == "%1" ? from.file : word == "%2" ? s.path(name) : word;
        return madeBy(s.path(name), program, arguments);
    };
}

// A raster sample of the source, 160 x 120 unless scaled.
Case raster(const char* name, Maker make, const char* format, int tolerance = 6, QColor top = Top,
            QColor bottom = Bottom, QStringList profiles = {}, QSize size = QSize(160, 120)) {
    return {name, std::move(make), format, size,   {},
            true, tolerance,       top,    bottom, std::move(profiles)};
}

// Black and white pixels in turn, 500 x 250, 2.5 times the box: each pixel of it 6.25 of them,
// grey (122 or 133; the nearest 3 x 3 or 2 x 2 of them would be 113 or 142). Interlaced, only its
// odd rows are read: 2.5 of them across, at the probes white, black and half a white (153).
Case checkerboard(const char* name, const char* interlace, int grey) {
    const Maker make = [=](Samples& s) {
        const QString file = s.path(QLatin1String(name) + QStringLiteral(".png"));
        return madeBy(file, QStringLiteral("convert"),
                      {QStringLiteral("-size"), QStringLiteral("500x250"),
                       QStringLiteral("pattern:gray50"), QStringLiteral("-interlace"),
                       QLatin1String(interlace), file});
    };
    const QColor colour(grey, grey, grey);
    return {name, make, "PNG", QSize(500, 250), {}, true, 6, colour, colour};
}

// Colour-managed samples: the reference is ImageMagick converting through these profiles.
const QStringList ToSrgb = {QStringLiteral("srgb.icc")};
const QStringList CmykToSrgb = {QStringLiteral("default_cmyk.icc"), QStringLiteral("srgb.icc")};
const char* const Transparent = "-alpha set -channel A -evaluate set 0 +channel";

// ---- EPS -----------------------------------------------------------------------------------

QByteArray epsText(bool withBox) {
    return "%!PS-Adobe-3.0 EPSF-3.0\n" +
           QByteArray(withBox ? "%%BoundingBox: 100 100 300 200\n" : "") + "%%EndComments\n" +
           postScriptDrawing(100, 100) + "%%EOF\n";
}

// A DOS binary EPS: the 30-byte header (signature, offset and length of the PostScript, of a
// WMF and of a TIFF preview, checksum 0xFFFF), the PostScript, then a TIFF preview that is
// all black, so that a decoder showing the preview instead would fail the probes.
Made dosEps(Samples& s, bool pointOutside) {
    const Made preview = s.once(QStringLiteral("anteprima.tif"), [](const QString& path) {
        return madeBy(path, QStringLiteral("convert"),
                      {QStringLiteral("-size"), QStringLiteral("40x20"), QStringLiteral("xc:black"),
                       QStringLiteral("TIFF:") + path});
    });
    if (!preview.skip.isEmpty()) {
        return preview;
    }
    const QByteArray postScript = epsText(true), tiff = images::readBytes(preview.file);
    QByteArray bytes = "\xc5\xd0\xd3\xc6" +
                       littleEndian({pointOutside ? 1000000 : 30, postScript.size(), 0, 0,
                                     30 + postScript.size(), tiff.size()},
                                    4) +
                       QByteArray("\xff\xff", 2);
    bytes += postScript + tiff;
    return s.write(pointOutside ? QStringLiteral("dos-fuori.eps") : QStringLiteral("dos.eps"),
                   bytes);
}

Made ghostscriptEps(Samples& s) {
    const QByteArray program =
        "%!PS\n<< /PageSize [200 100] >> setpagedevice\n" + postScriptDrawing(0, 0) + "showpage\n";
    const Made source = s.write(QStringLiteral("sorgente.ps"), program);
    const QString out = s.path(QStringLiteral("eps2write.eps"));
    return madeBy(out, QStringLiteral("gs"),
                  {QStringLiteral("-q"), QStringLiteral("-dSAFER"), QStringLiteral("-dBATCH"),
                   QStringLiteral("-dNOPAUSE"), QStringLiteral("-sDEVICE=eps2write"),
                   QStringLiteral("-sOutputFile=") + out, source.file});
}

// ---- WMF and EMF ---------------------------------------------------------------------------

// The drawing exported by LibreOffice Draw from SVG (its WMF has the placeable header; its EMF
// carries EMF+ records). Draw imports the drawing 2.86 mm smaller on each side than the SVG
// says: both files tell a drawing of 66.5 x 31.2 mm, 188 x 88 points.
Made libreOffice(Samples& s, const QString& format) {
    return s.once(QStringLiteral("disegno.") + format, [&](const QString& path) {
        const Made svg = s.write(QStringLiteral("disegno.svg"), SvgDrawing);
        return madeBy(path, QStringLiteral("soffice"),
                      {QStringLiteral("--headless"), QStringLiteral("--convert-to"), format,
                       QStringLiteral("--outdir"), s.dir.path(), svg.file});
    });
}

// A WMF without placeable header: its records, each a function and its parameters.
QByteArray wmfRecord(int function, const QByteArray& params) {
    return littleEndian({3 + params.size() / 2}, 4) + littleEndian({function}, 2) + params;
}
QByteArray wmfFile(const QByteArray& records) {
    const QByteArray all = records + wmfRecord(0, {});
    return littleEndian({1, 9, 0x300}, 2) + littleEndian({9 + all.size() / 2}, 4) +
           littleEndian({8}, 2) + littleEndian({all.size() / 2}, 4) + littleEndian({0}, 2) + all;
}
QByteArray w16(std::initializer_list<qint64> values) {
    return littleEndian(values, 2);
}
// A solid brush of `colour` (a COLORREF) made in object slot `slot`, filling a rectangle.
QByteArray wmfRectangle(qint64 colour, int slot, int left, int top, int right, int bottom) {
    return wmfRecord(0x02FC, w16({0}) + littleEndian({colour}, 4) + w16({0})) +
           wmfRecord(0x012D, w16({slot})) + wmfRecord(0x041B, w16({bottom, right, top, left})) +
           wmfRecord(0x01F0, w16({slot}));
}
QByteArray wmfNullPen(int slot) {
    return wmfRecord(0x02FA, w16({5, 0, 0, 0, 0})) + wmfRecord(0x012D, w16({slot}));
}

// The drawing, 200 x 100, in a window of 240 x 120 around it: the picture is the window's.
QByteArray wmfWithMargins() {
    return wmfFile(wmfRecord(0x020B, w16({-10, -20})) + wmfRecord(0x020C, w16({120, 240})) +
                   wmfNullPen(0) + wmfRectangle(0x0000FF, 1, 0, 0, 100, 100) +
                   wmfRectangle(0xFF0000, 1, 100, 0, 200, 50) +
                   wmfRectangle(0x00A000, 1, 100, 50, 200, 100));
}

// The drawing in the colours of the metafile's palette (red, blue, green): a brush naming
// entry 0 (PALETTEINDEX), a one-pixel bitmap whose colour table names entry 1 (DIB_PAL_COLORS),
// and a polyline whose 50-unit pen is a PALETTERGB colour.
QByteArray wmfOfPalette() {
    const QByteArray palette = w16({0x300, 3}) + QByteArray("\xff\0\0\0\0\0\xff\0\0\xa0\0\0", 12);
    const QByteArray bitmap = littleEndian({40, 1, 1}, 4) + w16({1, 8}) +
                              littleEndian({0, 4, 0, 0, 1, 0}, 4) + w16({1}) + littleEndian({0}, 4);
    return wmfFile(wmfRecord(0x020C, w16({100, 200})) + wmfRecord(0x00F7, palette) +
                   wmfRecord(0x0234, w16({0})) + wmfNullPen(1) +
                   wmfRectangle(0x01000000, 2, 0, 0, 100, 100) +
                   wmfRecord(0x0F43, littleEndian({0xCC0020}, 4) +
                                         w16({1, 1, 1, 0, 0, 50, 100, 0, 100}) + bitmap) +
                   wmfRecord(0x02FA, w16({0x200, 50, 0}) + littleEndian({0x0200A000}, 4)) +
                   wmfRecord(0x012D, w16({2})) + wmfRecord(0x0325, w16({2, 100, 75, 200, 75})));
}

// ---- WordPerfect graphics -------------------------------------------------------------------

// A WPG 1 file written by its structure: the 16-byte header ("\xffWPC", data offset 16,
// product 1, type 0x16, version 1.0, no encryption), then records of a type byte, a length
// byte and the data: Start WPG (2 x 1 inch, in 1/1200 inch), a colour map (1 red, 2 blue,
// 3 green), no outline, and three filled rectangles (lower-left origin), then End WPG.
QByteArray wpgDrawing() {
    QByteArray b("\xffWPC\x10\x00\x00\x00\x01\x16\x01\x00\x00\x00\x00\x00", 16);
    auto record = [&](int type, const QByteArray& data) {
        b += char(type);
        b += char(data.size());
        b += data;
    };
    record(0x0f, littleEndian({1, 2400, 1200}, 2));
    record(0x0e, littleEndian({1, 3}, 2) + QByteArray("\xff\x00\x00\x00\x00\xff\x00\xa0\x00", 9));
    record(0x02, littleEndian({0, 0}, 2));
    const int rectangles[3][5] = {
        {1, 0, 0, 1200, 1200}, {2, 1200, 600, 1200, 600}, {3, 1200, 0, 1200, 600}};
    for (const auto& [colour, x, y, w, h] : rectangles) {
        record(0x01, littleEndian({1, colour}, 1));
        record(0x07, littleEndian({x, y, w, h}, 2));
    }
    record(0x10, {});
    return b;
}

// ---- CorelDRAW ----------------------------------------------------------------------------

// A CorelDRAW 5 file written by the RIFF structure libcdr reads (version 5: 16-bit coordinates
// in 1/1000 inch from the middle of the page, y upwards; record headers in 16-bit words): RIFF
// "CDR5" holding a "doc " list with the page size (mcfg, 2 x 1 inch) and a fill list (filc) of
// three solid RGB fills (fild: 1 red, 2 blue, 3 green), then a page list of three objects (obj),
// each a rectangle (loda: its length, two arguments and where their offsets and their types, last
// to first, are; type 1; width, height, corner radius and fill, no outline) placed by its
// transform (trfl list: one trfd, a matrix of six doubles, offsets in 1/1000 inch).
QByteArray cdrDrawing() {
    auto u16 = [](std::initializer_list<qint64> values) { return littleEndian(values, 2); };
    auto chunk = [](const char* id, const QByteArray& data) {
        return QByteArray(id, 4) + littleEndian({data.size()}, 4) + data;
    };
    auto list = [&](const char* type, const QByteArray& data) {
        return chunk("LIST", QByteArray(type, 4) + data);
    };
    QByteArray fills, objects;
    const int rectangles[3][6] = {{1, 0xff0000, -1000, -500, 1000, 1000},
                                  {2, 0x0000ff, 0, 0, 1000, 500},
                                  {3, 0x00a000, 0, -500, 1000, 500}};
    for (const auto& [fill, rgb, x, y, w, h] : rectangles) {
        fills += chunk("fild",
                       littleEndian({fill}, 4) + u16({1, 0, 5, 0, 0, 0}) + littleEndian({rgb}, 4));
        const QByteArray shape =
            u16({28, 2, 20, 24, 1, w, h, 0}) + littleEndian({fill}, 4) + u16({10, 16, 0x14, 0x1e});
        QByteArray move = u16({58, 1, 6, 8, 8});
        for (const double v : {1.0, 0.0, double(x), 0.0, 1.0, double(y)})
            move += littleEndian({std::bit_cast<qint64>(v)}, 8);
        objects += list("obj ", chunk("loda", shape) + list("trfl", chunk("trfd", move)));
    }
    const QByteArray document =
        list("doc ", chunk("mcfg", u16({2000, 1000})) + list("filc", fills));
    return chunk("RIFF", "CDR5" + document + list("page", objects));
}

// An uncompressed TIFF by ImageMagick (little-endian, sizes as 16-bit values) made to promise
// 12000 x 12000 pixels in one strip: its width, height and rows a strip changed.
QByteArray promising12000(QByteArray b) {
    const auto u16 = [&](qsizetype at) { return qFromLittleEndian<quint16>(b.constData() + at); };
    const qsizetype directory = qFromLittleEndian<quint32>(b.constData() + 4);
    for (int e = 0; e < u16(directory); ++e) {
        const qsizetype entry = directory + 2 + 12 * e;
        if (u16(entry) == 256 || u16(entry) == 257 || u16(entry) == 278)
            qToLittleEndian<quint16>(12000, b.data() + entry + 8);
    }
    return b;
}

// The three colours of the vector rows as an SVG drawing, named like a photo.
const char svgDrawing[] = "<?xml version='1.0'?>\n<svg xmlns='http://www.w3.org/2000/svg' "
                          "viewBox='0 0 200 100' width='200' height='100'>"
                          "<rect width='100' height='100' fill='#ff0000'/>"
                          "<rect x='100' width='100' height='50' fill='#0000ff'/>"
                          "<rect x='100' y='50' width='100' height='50' fill='#00a000'/></svg>";

// An EXIF block (its TIFF header and one directory) giving the orientation alone.
QByteArray exifOrientation(int orientation) {
    return QByteArray("II*\0", 4) + littleEndian({8}, 4) + littleEndian({1, 0x0112, 3}, 2) +
           littleEndian({1, orientation, 0}, 4);
}

// The rows: a picture to draw into its box and check, or a bad file to refuse.
std::vector<Case> formatCases() {
    const Maker handEps = bytes("a-mano.eps", epsText(true));
    const Maker wmf = [](Samples& s) { return libreOffice(s, QStringLiteral("wmf")); };
    const Maker emf = [](Samples& s) { return libreOffice(s, QStringLiteral("emf")); };
    const Maker wpg = bytes("disegno.wpg", wpgDrawing());
    const Maker cdr = bytes("disegno.cdr", cdrDrawing());
    const Maker damagedJpeg = [](Samples& s) {
        return Made{images::writeDamagedJpeg(s.path(QStringLiteral("rotta.jpg"))), {}};
    };
    const QSize exported(188, 88);
    // A compound file's signature and an empty header: FlashPix and Picture It files are one.
    const QByteArray compound =
        QByteArray("\xd0\xcf\x11\xe0\xa1\xb1\x1a\xe1", 8) + QByteArray(504, '\0');
    const auto left = [](qsizetype bytes) {
        return [bytes](const QByteArray& b) { return b.left(bytes); };
    };
    const auto truncated = [](const QByteArray& b) { return b.left(b.size() * 6 / 10); };
    const Maker utahRle = [](Samples& s) {
        const QString file = s.path(QStringLiteral("utah.rle"));
        const QString make = QStringLiteral("convert '%1' ppm:- | pnmtorle -o '%2'");
        return madeBy(file, QStringLiteral("sh"), {QStringLiteral("-c"), make.arg(s.source, file)});
    };
    const QColor managed; // the colour ImageMagick gives
    const Maker heic = encoded("a.heic", "heif-enc", "-q 90 -o %2 %1");
    const Maker avif = encoded("a.avif", "avifenc", "--min 0 --max 10 %1 %2");
    const Maker webp = encoded("a.webp", "cwebp", "-q 95 %1 -o %2");
    const Maker big = c("12mp.png", "-scale 4032x3024!");
    const Maker adobe = c("adobe.png", "-profile @srgb.icc -profile @a98.icc");
    const Maker jxl = encoded("a.jxl", "cjxl", "%1 %2 -q 95");
    // The JPEG recompressed without loss: a container (its reconstruction data in a box).
    const Maker jxlFromJpeg = encoded("jpeg.jxl", "cjxl", "%1 %2", c("a.jpg", "-quality 95"));
    const Maker rotatedWebp = [](Samples& s) {
        const Made exifFile = s.write(QStringLiteral("orientamento.exif"), exifOrientation(3));
        const Made upsideDown =
            encoded("r180.webp", "cwebp", "-q 95 %1 -o %2", c("r180.png", "-rotate 180"))(s);
        if (!upsideDown.skip.isEmpty())
            return upsideDown;
        const QString file = s.path(QStringLiteral("ruotato.webp"));
        return madeBy(file, QStringLiteral("webpmux"),
                      {QStringLiteral("-set"), QStringLiteral("exif"), exifFile.file,
                       upsideDown.file, QStringLiteral("-o"), file});
    };
    // Stored turned a quarter left, as phones store photos: irot turns it back and EXIF
    // orientation 6 says the same, which must not turn it a second time.
    const Maker turnedLeft = c("PNG24:r270.png", "-rotate 270");
    const Maker rotatedAvif = [=](Samples& s) {
        const Made exif = s.write(QStringLiteral("orientamento6.exif"), exifOrientation(6));
        return encoded("ruotato.avif", "avifenc", "--irot 3 --exif " + exif.file + " %1 %2",
                       turnedLeft)(s);
    };
    const Maker rotatedJpeg = from(c("r270.jpg", "-rotate 270 -quality 95"), "r.jpg", [](auto& b) {
        return b.left(2) + QByteArray("\xff\xe1\0\042Exif\0\0", 10) + exifOrientation(6) + b.mid(2);
    });
    return {
        raster("PNG", c("a.png"), "PNG"),
        raster("PNG a 16 bit", c("a16.png", "-depth 16"), "PNG"),
        // Pictures are laid over white, whatever lies beneath.
        raster("PNG trasparente", c("t.png", Transparent), "PNG", 6, Qt::white, Qt::white),
        raster("PNG interlacciato", c("i.png", "-interlace PNG"), "PNG"),
        checkerboard("PNG a scacchi", "None", 127),
        checkerboard("PNG a scacchi interlacciato", "PNG", 153),
        raster("GIF", c("a.gif"), "GIF", 12),
        raster("GIF interlacciato", c("i.gif", "-interlace GIF"), "GIF", 12),
        raster("BMP", c("a.bmp"), "BMP"),
        raster("BMP RLE", c("bmp3:a.rle", "-type palette -compress RLE"), "BMP", 12),
        raster("DIB", c("bmp3:a.dib"), "BMP"),
        raster("JPEG", c("a.jpg", "-quality 95"), "JPEG", 10),
        raster("JPEG grigio", c("g.jpg", "-colorspace Gray"), "JPEG", 10, QColor(94, 94, 94),
               QColor(88, 88, 88)),
        raster("JPEG Adobe RGB", c("adobe.jpg", "-profile @srgb.icc -profile @a98.icc -quality 95"),
               "JPEG", 10),
        raster("JPEG CMYK con profilo",
               c("cmyk.jpg", "-profile @srgb.icc -profile @default_cmyk.icc -quality 95"), "JPEG",
               10, managed, managed, ToSrgb),
        raster("JPEG CMYK senza profilo", c("cmyk0.jpg", "-colorspace CMYK -quality 95"), "JPEG",
               10, managed, managed, CmykToSrgb),
        raster("TIFF", c("a.tif", "-compress None"), "TIFF"),
        raster("TIFF LZW", c("lzw.tif", "-compress LZW"), "TIFF"),
        raster("TIFF ZIP", c("zip.tiff", "-compress Zip"), "TIFF"),
        raster("TIFF JPEG", c("jpeg.tif", "-compress JPEG -quality 95"), "TIFF", 10),
        raster("TIFF PackBits", c("rle.tif", "-compress RLE"), "TIFF"),
        raster("TIFF a tasselli", c("tasselli.tif", "-define tiff:tile-geometry=64x64"), "TIFF"),
        raster("TIFF a 16 bit", c("a16.tif", "-depth 16"), "TIFF"),
        raster("TIFF trasparente", c("t.tif", Transparent), "TIFF", 6, Qt::white, Qt::white),
        // A second page of another colour must not be shown.
        raster("TIFF a due pagine", c("pagine.tif", "-size 160x120 xc:lime"), "TIFF"),
        raster("TIFF ruotato", c("ruotato.tif", "-rotate 180 -orient bottom-right"), "TIFF"),
        raster("TIFF CMYK con profilo",
               c("cmyk.tif", "-profile @srgb.icc -profile @default_cmyk.icc"), "TIFF", 6, managed,
               managed, ToSrgb),
        raster("TIFF CMYK senza profilo", c("cmyk0.tif", "-colorspace CMYK"), "TIFF", 6, managed,
               managed, CmykToSrgb),
        raster("TIFF CMYK a 16 bit", c("cmyk16.tif", "-colorspace CMYK -depth 16"), "TIFF", 6,
               managed, managed, CmykToSrgb),
        raster("PCX", c("a.pcx"), "PCX"),
        raster("HEIF", heic, "HEIF", 12),
        raster("HEIF Adobe RGB",
               encoded("adobe.heic", "heif-enc", "-q 90 -o %2 %1",
                       c("PNG24:adobe24.png", "-profile @srgb.icc -profile @a98.icc")),
               "HEIF", 12),
        raster("AVIF", avif, "AVIF", 12),
        raster("AVIF ruotato", rotatedAvif, "AVIF", 12),
        raster("WebP", webp, "WEBP", 12),
        raster("WebP senza perdita", encoded("l.webp", "cwebp", "-lossless %1 -o %2"), "WEBP"),
        raster("WebP Adobe RGB",
               encoded("adobe.webp", "cwebp", "-q 95 -metadata icc %1 -o %2", adobe), "WEBP", 12),
        // Stored upside down, EXIF orientation 3 (turned half round) added by webpmux.
        raster("WebP ruotato", rotatedWebp, "WEBP", 12),
        raster("JPEG XL", jxl, "JPEG XL", 12),
        raster("JPEG XL senza perdita", encoded("l.jxl", "cjxl", "%1 %2 -d 0"), "JPEG XL"),
        // cjxl takes EXIF orientation 6 into the codestream and keeps the EXIF block too.
        raster("JPEG XL ruotato", encoded("r.jxl", "cjxl", "%1 %2", rotatedJpeg), "JPEG XL", 10),
        raster("JPEG XL Adobe RGB", encoded("adobe.jxl", "cjxl", "%1 %2 -q 95", adobe), "JPEG XL",
               12),
        // A 12 MP photo, 4032 x 3024, within the memory budgets.
        raster("JPEG XL da 12 MP", encoded("12mp.jxl", "cjxl", "%1 %2 -e 3", big), "JPEG XL", 12,
               Top, Bottom, {}, QSize(4032, 3024)),
        raster("BMP compresso in bmz", from(c("b.bmp"), "b.bmz", images::gzip), "BMP"),
        raster("PICT", c("PICT:a.pct"), "PICT"),
        raster("Utah RLE", utahRle, "Utah RLE"),
        {"eps-a-mano", handEps, "EPS", QSize(200, 100)},
        {"eps-ghostscript", ghostscriptEps, "EPS", QSize(200, 100)},
        {"eps-dos-anteprima-tiff", [](Samples& s) { return dosEps(s, false); }, "EPS",
         QSize(200, 100)},
        bad("eps-troncato",
            from(handEps, "troncato.eps",
                 [](const QByteArray& b) { return b.left(b.indexOf("rectfill") + 5); })),
        bad("eps-senza-riquadro", bytes("senza.eps", epsText(false)), "BoundingBox"),
        bad("eps-spazzatura",
            bytes("spazzatura.eps", "%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 100 50\n"
                                    "%%EndComments\n" +
                                        garbage(4000))),
        bad("eps-dos-fuori", [](Samples& s) { return dosEps(s, true); }),
        {"wmf-libreoffice", wmf, "WMF", exported},
        {"wmf-senza-intestazione-posizionabile",
         from(wmf, "standard.wmf", [](const QByteArray& b) { return b.mid(22); }), "WMF"},
        {"wmz", from(wmf, "disegno.wmz", images::gzip), "WMF", exported},
        {"emf-libreoffice", emf, "EMF", exported},
        // Brushes and pens in their own colours, not the nearest SVG colour name: green,
        // 0,160,0, is 32 levels from the nearest (green, 0,128,0).
        {.name = "wmf-finestra-con-margini",
         .make = bytes("margini.wmf", wmfWithMargins()),
         .format = "WMF",
         .size = QSize(240, 120),
         .tolerance = 3},
        {.name = "wmf-colori-della-tavolozza",
         .make = bytes("tavolozza.wmf", wmfOfPalette()),
         .format = "WMF",
         .size = QSize(200, 100),
         .tolerance = 3,
         .bitmaps = 1},
        bad("wmf-troncato", from(wmf, "troncato.wmf", truncated)),
        bad("emf-troncato", from(emf, "troncato.emf", truncated)),
        bad("emf-spazzatura", from(emf, "spazzatura.emf",
                                   [](const QByteArray& b) { return b.left(88) + garbage(3000); })),
        {"svg", bytes("disegno.jpg", svgDrawing), "SVG", QSize(200, 100)},
        bad("svg-con-immagine-esterna",
            bytes("esterna.jpg",
                  QByteArray(svgDrawing)
                      .replace("</svg>", "<image href='/etc/passwd' width='9' height='9'/></svg>")),
            "riferimenti esterni"),
        {"wpg1", wpg, "WPG", QSize(144, 72)},
        bad("wpg-troncato", from(wpg, "troncato.wpg", left(22))),
        bad("wpg-spazzatura", bytes("spazzatura.wpg", wpgDrawing().left(16) + garbage(3000))),
        {"cdr5", cdr, "CDR", QSize(144, 72)},
        bad("cdr-troncato", from(cdr, "troncato.cdr", truncated)),
        bad("cdr-spazzatura", bytes("spazzatura.cdr", cdrDrawing().left(12) + garbage(3000))),
        bad("testo-come-png", bytes("nota.png", "non un'immagine"), "formato conosciuto"),
        bad("png-troncato", from(c("buona.png"), "tronca.png", left(60)), "leggibile"),
        bad("gif-schermo-di-65535-x-65535",
            bytes("schermo.gif",
                  QByteArray("GIF89a\xff\xff\xff\xff\0\0\0,\0\0\0\0\x01\0\x01\0\0\x02\x02D\x01\0;",
                             29)),
            "troppo grande"),
        bad("jpeg-danneggiato", damagedJpeg, "leggibile"),
        bad("tiff-12000-x-12000-su-un-piccolo-blocco",
            from(c("piccola.tif", "-compress None"), "promette.tif", promising12000)),
        bad("tiff-senza-dati", bytes("vuota.tif", QByteArray("II*\0\x08\0\0\0\xff\xff", 10)),
            "leggibile"),
        bad("heif-troncato", from(heic, "tronca.heic", truncated)),
        bad("avif-troncato", from(avif, "tronca.avif", truncated)),
        bad("webp-troncato", from(webp, "tronca.webp", truncated)),
        bad("jpeg-xl-contenitore-troncato", from(jxlFromJpeg, "tronca.jxl", truncated)),
        // Its header flipped: libjxl would tell on stderr what it found wrong.
        bad("jpeg-xl-danneggiato",
            from(jxl, "rotta.jxl", [](auto& b) { return b.left(2) + garbage(12) + b.mid(14); })),
        bad("pcx-troncato", from(c("buona.pcx"), "tronca.pcx", left(130)), "PCX"),
        bad("gzip-danneggiato", bytes("rotta.wmz", QByteArray("\x1f\x8b\x08\0garbage", 11))),
        bad("cgm", bytes("disegno.cgm", "BEGMF 'disegno';\nENDMF;\n"),
            "formato CGM non supportato"),
        bad("flashpix", bytes("foto.fpx", compound), "formato FlashPix non supportato"),
        bad("mix", bytes("foto.mix", compound), "formato Picture It (MIX) non supportato"),
    };
}

// A row's name as a test's: "TIFF a due pagine" is TIFF_a_due_pagine.
std::string testName(const testing::TestParamInfo<Case>& row) {
    std::string name = row.param.name;
    for (char& ch : name)
        ch = std::isalnum(uchar(ch)) ? ch : '_';
    return name;
}
void PrintTo(const Case& row, std::ostream* out) {
    *out << row.name;
}

class EveryFormat : public testing::TestWithParam<Case> {};

TEST_P(EveryFormat, DrawsInItsBoxInItsColoursOrIsRefused) {
    const Case& row = GetParam();
    static Samples s; // one folder for all rows: a sample made by a slow tool serves several
    const Made made = row.make(s);
    if (!made.skip.isEmpty())
        GTEST_SKIP() << made.skip.toStdString();
    if (row.format.isEmpty()) {
        PrintedOnStderr printed;
        try {
            probePicture(made.file);
            ADD_FAILURE() << "the probe accepted a bad file";
        } catch (const PictureError& refused) {
            EXPECT_TRUE(refused.Description().contains(row.error))
                << refused.Description().toStdString();
        }
        EXPECT_THROW(loadPicture(made.file, Box.size()), PictureError);
        EXPECT_EQ(printed.text(), "") << "a library printed on stderr";
        return;
    }
    const PictureInfo info = probePicture(made.file);
    EXPECT_EQ(info.format, row.format);
    EXPECT_TRUE(info.damage.isEmpty())
        << "a whole file called damaged: " << info.damage.toStdString();
    EXPECT_EQ(info.vector, !row.raster);
    if (row.size.isValid()) {
        EXPECT_NEAR(info.size.width(), row.size.width(), row.raster ? 0 : 2);
        EXPECT_NEAR(info.size.height(), row.size.height(), row.raster ? 0 : 2);
    }
    const QImage page = drawnOnPage(made.file);
    using Probe = std::pair<QPointF, QColor>;
    const std::vector<Probe> probes =
        row.raster
            ? std::vector<Probe>{{{0.5, 0.2}, row.top}, {{0.5, 0.8}, row.bottom}}
            : std::vector<Probe>{{{0.25, 0.5}, Red}, {{0.75, 0.25}, Blue}, {{0.75, 0.75}, Green}};
    for (const auto& [at, given] : probes) {
        const QColor expected =
            given.isValid() ? given : referenceColour(made.file, row.referenceProfiles, at);
        const QColor seen = colourAt(page, Box, at);
        EXPECT_LE(std::max({std::abs(seen.red() - expected.red()),
                            std::abs(seen.green() - expected.green()),
                            std::abs(seen.blue() - expected.blue())}),
                  row.tolerance)
            << "at " << at.x() << "," << at.y() << ": " << seen.name().toStdString() << " for "
            << expected.name().toStdString();
    }
    // Nothing beyond the box.
    for (const QPoint outside :
         {QPoint(Box.left() - 3, Box.center().y()), QPoint(Box.right() + 3, Box.center().y()),
          QPoint(Box.center().x(), Box.top() - 3), QPoint(Box.center().x(), Box.bottom() + 3)})
        EXPECT_EQ(page.pixelColor(outside), PageColour) << outside.x() << "," << outside.y();
    // Loaded and drawn on several threads at once, the picture comes out the same.
    std::vector<std::future<QImage>> others;
    for (int i = 0; i < 3; ++i)
        others.push_back(std::async(std::launch::async, [&made] {
            try {
                return drawnOnPage(made.file);
            } catch (const PictureError&) {
                return QImage(); // differs from the page: the row fails
            }
        }));
    for (auto& other : others)
        EXPECT_EQ(other.get(), page) << "drawn on another thread";
    // Embedded in a layout, a drawing draws itself as vectors; pixels are asked for otherwise.
    const bool vectors = !row.raster && row.format != "EPS"; // EPS: pixels by Ghostscript
    QImage scratch(PageSize, QImage::Format_ARGB32);
    QPainter onScratch(&scratch);
    EXPECT_EQ(PicturePool().get(images::readBytes(made.file), {})->draw(onScratch, QRectF(Box)),
              vectors);
    onScratch.end();
    if (vectors) {
        const int images = rasterImagesInPdf(made.file, s.path(QStringLiteral("vettori.pdf")));
        if (images < 0)
            GTEST_SKIP() << "pdfimages is not installed: the PDF was not looked into";
        EXPECT_EQ(images, row.bitmaps) << "the drawing reached the PDF as a raster image";
    }
}

INSTANTIATE_TEST_SUITE_P(PictureFiles, EveryFormat, testing::ValuesIn(formatCases()), testName);

// Every picture of the rows above cut short (at 10, 40, 70 and 95 %) and with bytes flipped at
// seeded places: nothing but PictureError escapes, and a cut picture is refused by the probe or
// drawn saying it is damaged (a probe that accepts it and a load that then refuses it would lose
// the whole job).
TEST(PictureFiles, CutOrFlippedPicturesAreRefusedOrDrawnSayingSo) {
    Samples s;
    for (const Case& row : formatCases()) {
        const Made made = row.make(s);
        if (row.format.isEmpty() || !made.skip.isEmpty() || row.size.width() > 1000)
            continue; // the rows above say why a sample is missing; 12 MP ones are for budgets
        const QByteArray original = images::readBytes(made.file);
        for (const int change : {10, 40, 70, 95, 1, 2, 3}) { // a percentage kept, or a seed
            const bool cut = change >= 10;
            QByteArray bytes = cut ? original.left(original.size() * change / 100) : original;
            QRandomGenerator random(change);
            for (int i = 0; !cut && i < 4 && bytes.size() > 8; ++i)
                bytes[8 + random.bounded(bytes.size() - 8)] ^= char(0xff);
            SCOPED_TRACE(testing::Message()
                         << row.name << (cut ? ", cut to " : ", flipped ") << change);
            const QString file =
                s.write(QStringLiteral("mutato-") + QFileInfo(made.file).fileName(), bytes).file;
            PictureInfo info;
            try {
                info = probePicture(file);
            } catch (const PictureError&) {
                continue; // refused when added
            }
            try {
                const auto picture = loadPicture(file, Box.size());
                QImage page(PageSize, QImage::Format_RGB32);
                QPainter painter(&page);
                picture->draw(painter, QRectF(Box));
                // PostScript that declares no structure cannot be told cut (%%EOF is optional).
                const bool endless = row.format == "EPS" && !original.contains("%%Pages") &&
                                     !original.contains("%%EndProlog");
                EXPECT_TRUE(!cut || endless || !info.damage.isEmpty() ||
                            !picture->damage().isEmpty())
                    << "a cut picture drawn without a word";
            } catch (const PictureError& refused) {
                EXPECT_FALSE(cut) << "accepted when added, refused when drawn: "
                                  << refused.Description().toStdString();
            }
        }
    }
}

} // namespace
