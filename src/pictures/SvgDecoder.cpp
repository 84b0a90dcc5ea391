#include "SvgDecoder.h"

#include "PictureData.h"
#include "PictureError.h"
#include "SvgPicture.h"

#include <QRegularExpression>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>

namespace lumetra::pictures {

namespace {

// The largest SVG read: drawings this program makes are a few kilobytes.
constexpr qsizetype MaxSvgBytes = qsizetype{16} * 1024 * 1024;

QByteArray checked(const PictureData& data) {
    QByteArray bytes = data.bytes().toByteArray();
    if (bytes.size() > MaxSvgBytes) {
        refuse(QStringLiteral("il disegno SVG è troppo grande (%1 MB)").arg(bytes.size() >> 20));
    }
    // Any image element, any declaration (entities), any reference that does not stay inside
    // the drawing.
    static const QRegularExpression Outside(
        QStringLiteral(
            "<image\\b|<!DOCTYPE|<!ENTITY|href\\s*=\\s*[\"'](?!#)|url\\(\\s*[\"']?(?!#)"),
        QRegularExpression::CaseInsensitiveOption);
    if (Outside.match(QString::fromUtf8(bytes)).hasMatch()) {
        refuse(QStringLiteral("disegno SVG con riferimenti esterni: non viene letto"));
    }
    return bytes;
}

PictureInfo probe(const PictureData& data) {
    const QSvgRenderer renderer(checked(data));
    if (!renderer.isValid()) {
        refuse(QStringLiteral("file SVG danneggiato"));
    }
    const QSizeF points = renderer.viewBoxF().size();
    if (!(points.width() > 0) || !(points.height() > 0)) {
        refuse(QStringLiteral("file SVG danneggiato: il disegno non ha dimensioni"));
    }
    return {QSize(std::max(1, int(std::lround(std::min(points.width(), 1e6)))),
                  std::max(1, int(std::lround(std::min(points.height(), 1e6))))),
            "SVG", true};
}

std::shared_ptr<const ImportedPicture> load(const PictureData& data, QSize, Background) {
    return std::make_shared<SvgPicture>(checked(data));
}

} // namespace

const Decoder svgDecoder{probe, load};

} // namespace lumetra::pictures
