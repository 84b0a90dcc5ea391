#include "WebpDecoder.h"

#include "ExifOrientation.h"
#include "PictureData.h"
#include "PictureError.h"
#include "RasterPicture.h"

#include <webp/decode.h>
#include <webp/demux.h>

#include <memory>

namespace lumetra::pictures {

namespace {

struct Demuxed {
    std::unique_ptr<WebPDemuxer, void (*)(WebPDemuxer*)> demuxer{nullptr, WebPDemuxDelete};
    WebPIterator frame{};
    QSize stored;
    int orientation = 1;

    explicit Demuxed(const PictureData& data) {
        const WebPData bytes{reinterpret_cast<const uint8_t*>(data.bytes().data()),
                             size_t(data.bytes().size())};
        // Only a whole file is demuxed: one cut short gives nothing.
        demuxer.reset(WebPDemux(&bytes));
        if (!demuxer || !WebPDemuxGetFrame(demuxer.get(), 1, &frame)) {
            refuse(QStringLiteral("file WebP danneggiato o troncato"));
        }
        stored = QSize(frame.width, frame.height);
        if (stored.isEmpty()) {
            refuse(QStringLiteral("l'immagine non ha dimensioni valide"));
        }
        orientation = exifOrientation(chunk("EXIF"));
    }
    ~Demuxed() { WebPDemuxReleaseIterator(&frame); }
    Demuxed(const Demuxed&) = delete;
    Demuxed& operator=(const Demuxed&) = delete;

    QByteArrayView chunk(const char* fourCc) const {
        WebPChunkIterator found{};
        QByteArrayView bytes;
        if (WebPDemuxGetChunk(demuxer.get(), fourCc, 1, &found)) {
            bytes = QByteArrayView(found.chunk.bytes, qsizetype(found.chunk.size));
        }
        WebPDemuxReleaseChunkIterator(&found);
        return bytes; // points into the file's bytes
    }

    QSize shown() const { return quarterTurned(orientation) ? stored.transposed() : stored; }
};

PictureInfo probe(const PictureData& data) {
    const Demuxed d(data);
    PictureInfo info{d.shown(), "WEBP", false};
    WebPBitstreamFeatures features{};
    if (WebPGetFeatures(d.frame.fragment.bytes, d.frame.fragment.size, &features) !=
        VP8_STATUS_OK) {
        refuse(QStringLiteral("file WebP danneggiato"));
    }
    if (features.format == 2) { // lossless: decoded whole before it is scaled
        info.workBytes = 4 * qint64(d.stored.width()) * d.stored.height();
    }
    return info;
}

std::shared_ptr<const ImportedPicture> load(const PictureData& data, QSize devicePixels,
                                            Background background) {
    const Demuxed d(data);
    const QSize wanted = (quarterTurned(d.orientation) ? devicePixels.transposed() : devicePixels)
                             .boundedTo(d.stored)
                             .expandedTo(QSize(1, 1));
    QImage image(wanted, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        refuse(QStringLiteral("memoria insufficiente per decodificare l'immagine"));
    }
    WebPDecoderConfig config;
    WebPInitDecoderConfig(&config);
    config.options.use_scaling = wanted != d.stored;
    config.options.scaled_width = wanted.width();
    config.options.scaled_height = wanted.height();
    // Premultiplied B, G, R, A bytes: Qt's premultiplied ARGB32 on a little-endian machine.
    config.output.colorspace = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? MODE_bgrA : MODE_Argb;
    config.output.is_external_memory = 1;
    config.output.u.RGBA.rgba = image.bits();
    config.output.u.RGBA.stride = int(image.bytesPerLine());
    config.output.u.RGBA.size = size_t(image.sizeInBytes());
    const VP8StatusCode status = WebPDecode(d.frame.fragment.bytes, d.frame.fragment.size, &config);
    WebPFreeDecBuffer(&config.output);
    if (status != VP8_STATUS_OK) {
        refuse(QStringLiteral("file WebP non decodificabile (errore %1)").arg(int(status)));
    }
    const QByteArrayView icc = d.chunk("ICCP");
    return std::make_shared<RasterPicture>(oriented(std::move(image), d.orientation),
                                           icc.toByteArray(), background);
}

} // namespace

const Decoder webpDecoder{probe, load};

} // namespace lumetra::pictures
