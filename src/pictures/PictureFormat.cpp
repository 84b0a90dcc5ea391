#include "PictureFormat.h"

#include "PictureData.h"

#include <QRegularExpression>
#include <QtEndian>

#include <algorithm>
#include <cstdint>

namespace lumetra::pictures {

namespace {

std::uint32_t u16le(QByteArrayView b, qsizetype at) {
    return b.size() < at + 2 ? 0
                             : std::uint32_t(quint8(b[at])) | std::uint32_t(quint8(b[at + 1])) << 8;
}

std::uint32_t u32le(QByteArrayView b, qsizetype at) {
    return b.size() < at + 4 ? 0 : u16le(b, at) | u16le(b, at + 2) << 16;
}

bool at(QByteArrayView b, qsizetype offset, QByteArrayView magic) {
    return b.size() >= offset + magic.size() && b.sliced(offset, magic.size()) == magic;
}

// A Windows metafile without the placeable header: type 1 (memory) or 2 (disk), a 9-word
// header, version 0x0100 or 0x0300.
bool standardMetafile(QByteArrayView b) {
    return (u16le(b, 0) == 1 || u16le(b, 0) == 2) && u16le(b, 2) == 9 &&
           (u16le(b, 4) == 0x0100 || u16le(b, 4) == 0x0300);
}

// A PICT file: 512 bytes of application header, then size, frame and the version opcode
// (0x1101 for version 1, 0x0011 0x02FF for version 2); also without the 512 bytes.
bool pict(QByteArrayView b, qsizetype start) {
    return at(b, start + 10, QByteArrayView("\x11\x01", 2)) ||
           at(b, start + 10, QByteArrayView("\x00\x11\x02\xff", 4));
}

// Binary CGM starts with BEGIN METAFILE (class 0, element 1); clear-text CGM with BEGMF.
bool cgm(QByteArrayView b) {
    if (b.size() >= 2 && (quint8(b[0]) == 0x00 && (quint8(b[1]) & 0xE0) == 0x20)) {
        return true;
    }
    const QByteArray head = b.first(std::min<qsizetype>(b.size(), 64)).toByteArray().toUpper();
    return head.trimmed().startsWith("BEGMF");
}

bool pcx(QByteArrayView b) {
    return b.size() >= 128 && quint8(b[0]) == 0x0A && quint8(b[1]) <= 5 && quint8(b[2]) == 1 &&
           (quint8(b[3]) == 1 || quint8(b[3]) == 2 || quint8(b[3]) == 4 || quint8(b[3]) == 8);
}

// An XML text whose first element is svg, possibly after a declaration and comments.
bool svg(QByteArrayView b) {
    const QByteArray head = b.first(std::min<qsizetype>(b.size(), 1024)).toByteArray();
    static const QRegularExpression Start(
        QStringLiteral("^(\\x{FEFF})?\\s*(<\\?xml[^>]*\\?>\\s*)?(<!--.*?-->\\s*)*<svg[\\s>]"),
        QRegularExpression::DotMatchesEverythingOption);
    return Start.match(QString::fromUtf8(head)).hasMatch();
}

// An ISO media file ("ftyp" box first) of the HEIF family, told by its brands, the major one
// and those it is compatible with: AVIF where an AV1 brand is among them.
PictureFormat heifFamily(QByteArrayView b) {
    if (!at(b, 4, "ftyp")) {
        return PictureFormat::Unknown;
    }
    const qsizetype end = std::min<qsizetype>(b.size(), qFromBigEndian<quint32>(b.data()));
    bool heif = false;
    for (qsizetype brand = 8; brand + 4 <= end; brand += brand == 8 ? 8 : 4) {
        const QByteArrayView name = b.sliced(brand, 4);
        if (name == "avif" || name == "avis") {
            return PictureFormat::Avif;
        }
        heif = heif || name == "heic" || name == "heix" || name == "heim" || name == "heis" ||
               name == "hevc" || name == "hevx" || name == "mif1" || name == "msf1" ||
               name == "mif2";
    }
    return heif ? PictureFormat::Heif : PictureFormat::Unknown;
}

} // namespace

PictureFormat detectFormat(const PictureData& data) {
    const QByteArrayView b = data.bytes();
    if (at(b, 0, "\xff\xd8\xff")) {
        return PictureFormat::Jpeg;
    }
    if (at(b, 0, "\x89PNG\r\n\x1a\n")) {
        return PictureFormat::Png;
    }
    if (at(b, 0, "BM") && b.size() >= 26) {
        return PictureFormat::Bmp;
    }
    if (at(b, 0, "GIF87a") || at(b, 0, "GIF89a")) {
        return PictureFormat::Gif;
    }
    if (at(b, 0, "II*\0") || at(b, 0, "MM\0*") || at(b, 0, "II+\0") || at(b, 0, "MM\0+")) {
        return PictureFormat::Tiff;
    }
    if (at(b, 0, "%!PS") || at(b, 0, "\xc5\xd0\xd3\xc6")) {
        return PictureFormat::Eps;
    }
    if (at(b, 0, "\xd7\xcd\xc6\x9a") || standardMetafile(b)) {
        return PictureFormat::Wmf;
    }
    if (u32le(b, 0) == 1 && at(b, 40, " EMF")) {
        return PictureFormat::Emf;
    }
    if ((at(b, 0, "RIFF") || at(b, 0, "RIFX")) &&
        (at(b, 8, "CDR") || at(b, 8, "cdr") || at(b, 8, "CMX"))) {
        return PictureFormat::Cdr;
    }
    if (at(b, 0, "PK\x03\x04") && data.extension() == QLatin1String("cdr")) {
        return PictureFormat::Cdr; // CorelDRAW X4 and later: a zip package
    }
    if (at(b, 0, "RIFF") && at(b, 8, "WEBP")) {
        return PictureFormat::WebP;
    }
    if (at(b, 0, "\xff\x0a") || at(b, 0, QByteArrayView("\0\0\0\x0cJXL \r\n\x87\n", 12))) {
        return PictureFormat::Jxl;
    }
    if (const PictureFormat heif = heifFamily(b); heif != PictureFormat::Unknown) {
        return heif;
    }
    if (at(b, 0, "\xffWPC")) {
        return PictureFormat::Wpg;
    }
    if (at(b, 0, "\x1f\x8b")) {
        return PictureFormat::Gzip;
    }
    if (at(b, 0, "\xd0\xcf\x11\xe0\xa1\xb1\x1a\xe1")) {
        return PictureFormat::Compound;
    }
    if (at(b, 0, "\x52\xcc")) {
        return PictureFormat::UtahRle;
    }
    if (at(b, 2048, "PCD_IPI") || at(b, 0, "PCD_OPA")) {
        return PictureFormat::Pcd;
    }
    if (pcx(b)) {
        return PictureFormat::Pcx;
    }
    if (pict(b, 512) || pict(b, 0)) {
        return PictureFormat::Pict;
    }
    if (cgm(b)) {
        return PictureFormat::Cgm;
    }
    if (svg(b)) {
        return PictureFormat::Svg;
    }
    return PictureFormat::Unknown;
}

QSize pictFrameSize(const PictureData& data) {
    const QByteArrayView b = data.bytes();
    const qsizetype start = pict(b, 512) ? 512 : pict(b, 0) ? 0 : -1;
    if (start < 0) {
        return {};
    }
    // Top, left, bottom and right, signed and big-endian, after the two bytes of the size.
    const auto coordinate = [&](int index) {
        return int(qFromBigEndian<qint16>(b.data() + start + 2 + 2 * qsizetype{index}));
    };
    const QSize size(coordinate(3) - coordinate(1), coordinate(2) - coordinate(0));
    return size.isEmpty() ? QSize() : size;
}

bool pictComplete(const PictureData& data) {
    QByteArrayView b = data.bytes();
    for (int padding = 0; padding < 512 && b.endsWith('\0'); ++padding) {
        b.chop(1);
    }
    return b.endsWith('\xff');
}

QByteArray formatName(PictureFormat format, const PictureData& data) {
    switch (format) {
    case PictureFormat::Jpeg:
        return "JPEG";
    case PictureFormat::Png:
        return "PNG";
    case PictureFormat::Bmp:
        return "BMP";
    case PictureFormat::Gif:
        return "GIF";
    case PictureFormat::Tiff:
        return "TIFF";
    case PictureFormat::Eps:
        return "EPS";
    case PictureFormat::Wmf:
        return "WMF";
    case PictureFormat::Emf:
        return "EMF";
    case PictureFormat::Cdr:
        return "CorelDRAW";
    case PictureFormat::Wpg:
        return "WordPerfect Graphics";
    case PictureFormat::Gzip:
        return "gzip";
    case PictureFormat::Pcx:
        return "PCX";
    case PictureFormat::Pict:
        return "PICT";
    case PictureFormat::Pcd:
        return "Photo CD";
    case PictureFormat::UtahRle:
        return "Utah RLE";
    case PictureFormat::Cgm:
        return "CGM";
    case PictureFormat::Compound:
        return data.extension() == QLatin1String("mix") ? "Picture It (MIX)" : "FlashPix";
    case PictureFormat::Svg:
        return "SVG";
    case PictureFormat::Heif:
        return "HEIF";
    case PictureFormat::Avif:
        return "AVIF";
    case PictureFormat::WebP:
        return "WEBP";
    case PictureFormat::Jxl:
        return "JPEG XL";
    case PictureFormat::Unknown:
        break;
    }
    return {};
}

} // namespace lumetra::pictures
