// EMF (and the EMF+ records inside it) to SVG through libemf2svg.
#include "MetafileConversion.h"

#include "Length.h"

#include "PictureError.h"

#include <emf2svg.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <mutex>

namespace lumetra::pictures {

namespace {

std::mutex emfMutex;

// libemf2svg reads the header of the record after the last before it sees that the data has
// ended: the copy it reads carries this many zero bytes beyond the file.
constexpr qsizetype ReadingMargin = 256;

qint32 s32le(QByteArrayView b, qsizetype at) {
    quint32 value = 0;
    for (int i = 3; i >= 0; --i) {
        value = value << 8 | quint8(b[at + i]);
    }
    return qint32(value);
}

// The header's frame, in hundredths of a millimetre, at 72 dpi; else its bounds, in device
// pixels, taken as they are.
QSize sizeOf(QByteArrayView emf) {
    if (emf.size() < 88) {
        refuse(QStringLiteral("file EMF danneggiato: intestazione incompleta"));
    }
    const double frameWidth = double(s32le(emf, 32)) - s32le(emf, 24);
    const double frameHeight = double(s32le(emf, 36)) - s32le(emf, 28);
    if (frameWidth > 0 && frameHeight > 0) {
        const double pointsPerUnit = runtime::PointsPerInch / (runtime::MillimetresPerInch * 100.0);
        return QSize(std::max(1, int(std::lround(frameWidth * pointsPerUnit))),
                     std::max(1, int(std::lround(frameHeight * pointsPerUnit))));
    }
    const double boundsWidth = double(s32le(emf, 16)) - s32le(emf, 8) + 1;
    const double boundsHeight = double(s32le(emf, 20)) - s32le(emf, 12) + 1;
    if (boundsWidth > 0 && boundsHeight > 0 && boundsWidth < 1e6 && boundsHeight < 1e6) {
        return QSize(int(boundsWidth), int(boundsHeight));
    }
    refuse(QStringLiteral("file EMF danneggiato: il disegno non ha dimensioni"));
}

} // namespace

ConvertedMetafile convertEmf(QByteArrayView emf) {
    ConvertedMetafile converted{sizeOf(emf), {}, {}};
    // The header tells the file's length.
    if (qint64(quint32(s32le(emf, 48))) > emf.size()) {
        converted.damage = QStringLiteral("file EMF troncato: il disegno è incompleto");
    }
    QByteArray contents(emf.size() + ReadingMargin, '\0');
    std::copy(emf.begin(), emf.end(), contents.begin());

    char nameSpace[] = "";
    generatorOptions options{};
    options.nameSpace = nameSpace;
    options.verbose = false;
    options.emfplus = true;
    options.svgDelimiter = true;
    char* svg = nullptr;
    size_t svgLength = 0;
    int ok = 0;
    {
        const std::lock_guard lock(emfMutex);
        ok = emf2svg(contents.data(), size_t(emf.size()), &svg, &svgLength, &options);
    }
    if (svg) {
        converted.svg = QByteArray(svg, qsizetype(svgLength));
        std::free(svg);
    }
    if (!ok || converted.svg.isEmpty()) {
        refuse(QStringLiteral("file EMF danneggiato o incompleto"));
    }
    return converted;
}

} // namespace lumetra::pictures
