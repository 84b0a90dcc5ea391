// Raster pictures, format by format: sample files made here by ImageMagick, netpbm and gzip from
// one picture of known colours (red above, blue below), each drawn into a box and read back at
// probe points; colour-managed files checked against ImageMagick converting with the same
// profiles; and the bad files of each format refused with their message.

#include "PictureProbes.h"

#include "PictureImport.h"
#include "TestImages.h"
#include "TestProcess.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lumetra::pictures;
using namespace lumetra::pictures::test;
namespace images = lumetra::testimages;

namespace {

const QString IccFolder = QStringLiteral("/usr/share/color/icc/ghostscript/");
const QColor Top(200, 60, 50);
const QColor Bottom(40, 90, 180);

struct Samples {
    QTemporaryDir dir;
    QString source; // the picture every sample is made from: PNG, 160 x 120

    Samples() : source(dir.filePath(QStringLiteral("sorgente.png"))) {
        images::writePng(source, images::splitImage(QSize(160, 120), Top, Bottom));
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    QString write(const QString& name, const QByteArray& bytes) const {
        return images::writeBytes(path(name), bytes);
    }
};

struct Made {
    QString file;
    QString skip; // why the sample could not be made here
};

// The source converted by ImageMagick into `name`; "FORMAT:name" writes that format whatever the
// name's extension.
Made convert(const Samples& s, const QString& name, const QStringList& options) {
    const QString file = s.path(name.section(QLatin1Char(':'), -1));
    const QString format = name.contains(QLatin1Char(':'))
                               ? name.section(QLatin1Char(':'), 0, 0) + QLatin1Char(':')
                               : QString();
    Made made{file, {}};
    makeSample(QStringLiteral("convert"), QStringList{s.source} << options << format + file,
               &made.skip);
    return made;
}

// The reference colour of a colour-managed sample: ImageMagick converting it to sRGB the
// way prepress programs do (relative colorimetric, black point compensation).
QColor referenceColour(const QString& file, const QStringList& profiles, QPointF where) {
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("riferimento.png"));
    QStringList arguments{file, QStringLiteral("-intent"), QStringLiteral("Relative"),
                          QStringLiteral("-black-point-compensation")};
    for (const QString& profile : profiles) {
        arguments << QStringLiteral("-profile") << IccFolder + profile;
    }
    arguments << QStringLiteral("-depth") << QStringLiteral("8") << out;
    lumetra::testsupport::runProgram(QStringLiteral("convert"), arguments);
    return colourAt(QImage(out), where);
}

struct Row {
    const char* name;
    std::function<Made(const Samples&)> make;
    QByteArray format;
    int tolerance = 6;
    // Colours expected at the upper and lower probe points; invalid: asked of ImageMagick
    // with `referenceProfiles`.
    QColor top = Top;
    QColor bottom = Bottom;
    QStringList referenceProfiles = QStringList();
};

// A sample converted by ImageMagick with the options of `options` (words; "@x.icc" stands for
// the profile x.icc of the ghostscript folder), or a gzip of one.
std::function<Made(const Samples&)> c(QString name, const char* options = "") {
    QStringList words = QString::fromLatin1(options).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (QString& word : words)
        if (word.startsWith(QLatin1Char('@')))
            word = IccFolder + word.mid(1);
    return [name, words](const Samples& s) { return convert(s, name, words); };
}
std::function<Made(const Samples&)> gz(QString name, QString packed) {
    return [name, packed](const Samples& s) {
        Made made = convert(s, name, {});
        if (made.skip.isEmpty())
            made.file = s.write(packed, images::gzip(images::readBytes(made.file)));
        return made;
    };
}

// Colour-managed samples: the reference is ImageMagick converting through these profiles.
const QStringList ToSrgb = {QStringLiteral("srgb.icc")};
const QStringList CmykToSrgb = {QStringLiteral("default_cmyk.icc"), QStringLiteral("srgb.icc")};
const char* const Transparent = "-alpha set -channel A -evaluate set 0 +channel";

} // namespace

// Every raster format lands in its box, in its true colours.
TEST(RasterPictures, EveryFormatLandsInItsBoxInItsColours) {
    const Samples s;
    const QColor managed; // the colour ImageMagick gives
    const Row rows[] = {
        {"PNG", c("a.png"), "PNG"},
        {"PNG a 16 bit", c("a16.png", "-depth 16"), "PNG"},
        {"PNG trasparente", c("t.png", Transparent), "PNG", 6, Qt::white, Qt::white},
        {"GIF", c("a.gif"), "GIF", 12},
        {"BMP", c("a.bmp"), "BMP"},
        {"BMP RLE", c("bmp3:a.rle", "-type palette -compress RLE"), "BMP", 12},
        {"DIB", c("bmp3:a.dib"), "BMP"},
        {"JPEG", c("a.jpg", "-quality 95"), "JPEG", 10},
        {"JPEG grigio", c("g.jpg", "-colorspace Gray"), "JPEG", 10, QColor(94, 94, 94),
         QColor(88, 88, 88)},
        {"JPEG Adobe RGB", c("adobe.jpg", "-profile @srgb.icc -profile @a98.icc -quality 95"),
         "JPEG", 10},
        {"JPEG CMYK con profilo",
         c("cmyk.jpg", "-profile @srgb.icc -profile @default_cmyk.icc -quality 95"), "JPEG", 10,
         managed, managed, ToSrgb},
        {"JPEG CMYK senza profilo", c("cmyk0.jpg", "-colorspace CMYK -quality 95"), "JPEG", 10,
         managed, managed, CmykToSrgb},
        {"TIFF", c("a.tif", "-compress None"), "TIFF"},
        {"TIFF LZW", c("lzw.tif", "-compress LZW"), "TIFF"},
        {"TIFF ZIP", c("zip.tiff", "-compress Zip"), "TIFF"},
        {"TIFF JPEG", c("jpeg.tif", "-compress JPEG -quality 95"), "TIFF", 10},
        {"TIFF PackBits", c("rle.tif", "-compress RLE"), "TIFF"},
        {"TIFF a 16 bit", c("a16.tif", "-depth 16"), "TIFF"},
        {"TIFF trasparente", c("t.tif", Transparent), "TIFF", 6, Qt::white, Qt::white},
        // A second page of another colour must not be shown.
        {"TIFF a più pagine", c("pagine.tif", "-size 160x120 xc:lime"), "TIFF"},
        {"TIFF ruotato", c("ruotato.tif", "-rotate 180 -orient bottom-right"), "TIFF"},
        {"TIFF CMYK con profilo", c("cmyk.tif", "-profile @srgb.icc -profile @default_cmyk.icc"),
         "TIFF", 6, managed, managed, ToSrgb},
        {"TIFF CMYK senza profilo", c("cmyk0.tif", "-colorspace CMYK"), "TIFF", 6, managed, managed,
         CmykToSrgb},
        {"TIFF CMYK a 16 bit", c("cmyk16.tif", "-colorspace CMYK -depth 16"), "TIFF", 6, managed,
         managed, CmykToSrgb},
        {"PCX", c("a.pcx"), "PCX"},
        {"PCX compresso (.pcz)", gz(QStringLiteral("b.pcx"), QStringLiteral("b.pcz")), "PCX"},
        {"BMP compresso (.bmz)", gz(QStringLiteral("b.bmp"), QStringLiteral("b.bmz")), "BMP"},
        {"PICT", c("PICT:a.pct"), "PICT"},
        {"PICT (.pict)", c("PICT:a.pict"), "PICT"},
        {"Utah RLE",
         [](const Samples& s) {
             Made made{s.path(QStringLiteral("utah.rle")), {}};
             makeSample(
                 QStringLiteral("sh"),
                 {QStringLiteral("-c"),
                  QStringLiteral("convert '%1' ppm:- | pnmtorle -o '%2'").arg(s.source, made.file)},
                 &made.skip);
             return made;
         },
         "Utah RLE"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Made made = row.make(s);
        if (!made.skip.isEmpty()) {
            std::printf("[ SKIPPED  ] %s: %s\n", row.name, qPrintable(made.skip));
            continue;
        }
        PictureInfo info;
        ASSERT_NO_THROW(info = probePicture(made.file));
        EXPECT_EQ(info.format, row.format);
        EXPECT_EQ(info.size, QSize(160, 120));
        EXPECT_FALSE(info.vector);
        QImage drawn;
        ASSERT_NO_THROW(drawn = drawnPicture(made.file, QSize(80, 60)));
        for (const auto& [at, given] :
             {std::pair{QPointF(0.5, 0.2), row.top}, {QPointF(0.5, 0.8), row.bottom}}) {
            const QColor expected =
                given.isValid() ? given : referenceColour(made.file, row.referenceProfiles, at);
            EXPECT_LE(colourDistance(colourAt(drawn, at), expected), row.tolerance)
                << colourAt(drawn, at).name().toStdString() << " " << expected.name().toStdString();
        }
    }
}

// Bad files of every kind: refused with a description, never a crash. Files damaged but partly
// readable are drawn and reported as damaged by lumetra-componi (InputErrati), as are pictures too
// large and decompression bombs.
TEST(RasterPictures, BadFilesAreRefusedWithTheirReason) {
    const Samples s;
    const QString png = convert(s, QStringLiteral("buona.png"), {}).file;
    const QString pcx = convert(s, QStringLiteral("buona.pcx"), {}).file;
    // A compound file's signature and an empty header: FlashPix and Picture It files are one.
    const QByteArray compound =
        QByteArray("\xd0\xcf\x11\xe0\xa1\xb1\x1a\xe1", 8) + QByteArray(504, '\0');
    const struct {
        const char* name;
        QString file;
        QString refusal; // expected in the description
    } rows[] = {
        {"testo", images::writeTextFile(s.path(QStringLiteral("nota.png"))),
         QStringLiteral("formato conosciuto")},
        {"PNG troncato", s.write(QStringLiteral("tronca.png"), images::readBytes(png).left(60)),
         QStringLiteral("leggibile")},
        {"GIF con schermo di 65535 x 65535",
         s.write(
             QStringLiteral("schermo.gif"),
             QByteArray("GIF89a\xff\xff\xff\xff\0\0\0,\0\0\0\0\x01\0\x01\0\0\x02\x02D\x01\0;", 29)),
         QStringLiteral("troppo grande")},
        {"JPEG danneggiato", images::writeDamagedJpeg(s.path(QStringLiteral("rotta.jpg"))),
         QStringLiteral("leggibile")},
        {"TIFF senza dati",
         s.write(QStringLiteral("vuota.tif"), QByteArray("II*\0\x08\0\0\0\xff\xff", 10)),
         QStringLiteral("leggibile")},
        {"PCX troncato", s.write(QStringLiteral("tronca.pcx"), images::readBytes(pcx).left(130)),
         QStringLiteral("PCX")},
        {"gzip danneggiato",
         s.write(QStringLiteral("rotta.wmz"), QByteArray("\x1f\x8b\x08\0garbage", 11)),
         QStringLiteral("danneggiato")},
        {"CGM", s.write(QStringLiteral("disegno.cgm"), "BEGMF 'disegno';\nENDMF;\n"),
         QStringLiteral("formato CGM non supportato")},
        {"FlashPix", s.write(QStringLiteral("foto.fpx"), compound),
         QStringLiteral("formato FlashPix non supportato")},
        {"MIX", s.write(QStringLiteral("foto.mix"), compound),
         QStringLiteral("formato Picture It (MIX) non supportato")},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QString description;
        std::shared_ptr<const ImportedPicture> picture;
        try {
            probePicture(row.file);
            picture = loadPicture(row.file, QSize(100, 80));
        } catch (const PictureError& e) {
            description = e.Description();
        }
        EXPECT_FALSE(picture);
        EXPECT_TRUE(description.contains(row.refusal)) << description.toStdString();
    }
}
