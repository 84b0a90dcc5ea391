#include "EpsDecoder.h"

#include "Ghostscript.h"
#include "PictureData.h"
#include "PictureError.h"
#include "RasterPicture.h"

#include <QList>
#include <QRectF>

#include <algorithm>
#include <cmath>
#include <optional>

namespace lumetra::pictures {

namespace {

// Drawings are rendered no larger than this, however large the box on the device.
constexpr qint64 MaxRenderedPixels = 12'000'000;

quint32 u32le(QByteArrayView b, qsizetype at) {
    quint32 value = 0;
    for (int i = 3; i >= 0; --i) {
        value = value << 8 | quint8(b[at + i]);
    }
    return value;
}

// The PostScript program of the file: all of it, or the section a DOS binary header points
// at (the TIFF or WMF preview beside it is not used).
QByteArrayView postScriptOf(const PictureData& data) {
    const QByteArrayView b = data.bytes();
    if (!b.startsWith(QByteArrayView("\xc5\xd0\xd3\xc6"))) {
        return b;
    }
    if (b.size() < 30) {
        refuse(QStringLiteral("file EPS danneggiato: intestazione incompleta"));
    }
    const qint64 offset = u32le(b, 4);
    const qint64 length = u32le(b, 8);
    if (offset < 30 || length == 0 || offset + length > b.size()) {
        refuse(QStringLiteral("file EPS danneggiato: la sezione PostScript è fuori dal file"));
    }
    return b.sliced(offset, length);
}

// A DOS header's previews (WMF, TIFF) lying beyond the end: the file was cut short, though its
// PostScript is whole.
bool previewOutside(QByteArrayView b) {
    if (!b.startsWith(QByteArrayView("\xc5\xd0\xd3\xc6"))) {
        return false;
    }
    for (const qsizetype at : {12, 20}) {
        const qint64 offset = u32le(b, at), length = u32le(b, at + 4);
        if (length > 0 && offset + length > b.size()) {
            return true;
        }
    }
    return false;
}

// Whether the program declares its structure (document structuring comments: values deferred
// to the trailer "(atend)", a page count, a prolog): such a program ends with its trailer.
bool promisesTrailer(QByteArrayView postScript) {
    if (postScript.indexOf("\n%%EndProlog") >= 0 || postScript.indexOf("\r%%EndProlog") >= 0) {
        return true;
    }
    const QByteArrayView header = postScript.first(std::min<qsizetype>(postScript.size(), 16384));
    const qsizetype end = header.indexOf("%%EndComments");
    const QByteArrayView comments = end < 0 ? header : header.first(end);
    return comments.indexOf("(atend)") >= 0 || comments.indexOf("%%Pages:") >= 0;
}

// Whether a "%%Trailer" or "%%EOF" line lies in the program's last part.
bool endsWithTrailer(QByteArrayView postScript) {
    const QByteArrayView tail = postScript.last(std::min<qsizetype>(postScript.size(), 65536));
    for (const QByteArrayView end : {QByteArrayView("%%Trailer"), QByteArrayView("%%EOF")}) {
        for (qsizetype at = tail.indexOf(end); at >= 0; at = tail.indexOf(end, at + 1)) {
            if (at == 0 || tail[at - 1] == '\n' || tail[at - 1] == '\r') {
                return true;
            }
        }
    }
    return false;
}

// Empty, or what tells the file was cut short though Ghostscript still draws what it holds.
QString damageOf(const PictureData& data, QByteArrayView postScript) {
    if (previewOutside(data.bytes())) {
        return QStringLiteral("il file EPS è incompleto: l'anteprima è fuori dal file");
    }
    if (promisesTrailer(postScript) && !endsWithTrailer(postScript)) {
        return QStringLiteral("il file EPS è incompleto: manca la fine del programma");
    }
    return {};
}

// The lines of `text`, whichever line ending it uses.
QList<QByteArrayView> linesOf(QByteArrayView text) {
    QList<QByteArrayView> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == '\n' || text[i] == '\r') {
            lines.append(text.sliced(start, i - start));
            start = i + 1;
        }
    }
    return lines;
}

// The box of a "%%BoundingBox: llx lly urx ury" comment, if it holds four numbers.
std::optional<QRectF> boxOf(QByteArrayView line, QByteArrayView keyword) {
    if (!line.startsWith(keyword)) {
        return std::nullopt;
    }
    const QList<QByteArray> fields =
        line.sliced(keyword.size()).toByteArray().simplified().split(' ');
    if (fields.size() != 4) {
        return std::nullopt;
    }
    double values[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        values[i] = fields[i].toDouble(&ok);
        if (!ok || !std::isfinite(values[i])) {
            return std::nullopt;
        }
    }
    const QRectF box(QPointF(values[0], values[1]), QPointF(values[2], values[3]));
    if (box.width() <= 0 || box.height() <= 0) {
        return std::nullopt;
    }
    return box;
}

// The drawing's bounding box in points: the high-resolution one when there is one, from the
// header comments or, when they defer it "(atend)", from the trailer.
QRectF boundingBox(QByteArrayView postScript) {
    std::optional<QRectF> box, hiResBox;
    const auto lines = linesOf(postScript);
    for (const QByteArrayView line : lines) {
        if (!box) {
            box = boxOf(line, "%%BoundingBox:");
        }
        if (!hiResBox) {
            hiResBox = boxOf(line, "%%HiResBoundingBox:");
        }
        if ((box && hiResBox) || line.startsWith("%%EndComments")) {
            break;
        }
    }
    if (!box) {
        for (auto line = lines.crbegin(); line != lines.crend() && !box; ++line) {
            box = boxOf(*line, "%%BoundingBox:");
        }
    }
    if (hiResBox) {
        return *hiResBox;
    }
    if (!box) {
        refuse(QStringLiteral("file EPS senza un riquadro di delimitazione (BoundingBox) valido"));
    }
    return *box;
}

QSize naturalSize(QRectF box) {
    return QSize(std::max(1, int(std::lround(box.width()))),
                 std::max(1, int(std::lround(box.height()))));
}

// `box` rendered over `pixels`, at most MaxRenderedPixels of them.
QImage rendered(QByteArrayView postScript, QRectF box, QSize pixels) {
    const double area = double(pixels.width()) * pixels.height();
    if (area > MaxRenderedPixels) {
        const double scale = std::sqrt(MaxRenderedPixels / area);
        pixels = QSize(std::max(1, int(pixels.width() * scale)),
                       std::max(1, int(pixels.height() * scale)));
    }
    QImage image = renderEps(postScript, box, pixels);
    if (image.isNull()) {
        refuse(QStringLiteral("file EPS danneggiato: Ghostscript non riesce a disegnarlo"));
    }
    return image;
}

PictureInfo probe(const PictureData& data) {
    const QByteArrayView postScript = postScriptOf(data);
    const QRectF box = boundingBox(postScript);
    // A small rendering tells a damaged program now rather than when the page is printed.
    const QSize size = naturalSize(box);
    rendered(postScript, box, size.scaled(16, 16, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    PictureInfo info{size, "EPS", true};
    info.damage = damageOf(data, postScript);
    // Rendered at the size drawn, whatever the drawing's own: Ghostscript's page as read (3
    // bytes a pixel) and the picture made of it (4), at the most pixels a rendering has.
    info.workBytes = 7 * MaxRenderedPixels;
    return info;
}

std::shared_ptr<const ImportedPicture> load(const PictureData& data, QSize devicePixels,
                                            Background) {
    const QByteArrayView postScript = postScriptOf(data);
    auto picture = std::make_shared<RasterPicture>(
        rendered(postScript, boundingBox(postScript), devicePixels));
    picture->setDamage(damageOf(data, postScript));
    return picture;
}

} // namespace

const Decoder epsDecoder{probe, load};

} // namespace lumetra::pictures
