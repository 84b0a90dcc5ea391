#include "HeifDecoder.h"

#include "IsoBoxes.h"
#include "LibraryDiagnostics.h"
#include "PictureData.h"
#include "PictureError.h"
#include "PictureFormat.h"
#include "RasterPicture.h"
#include "RgbaReduction.h"

#include <libheif/heif.h>

#include <memory>
#include <mutex>

namespace lumetra::pictures {

namespace {

// libheif keeps its decoder plugins registered from the first call on, for the whole process.
void initialised() {
    static std::once_flag once;
    std::call_once(once, [] { heif_init(nullptr); });
}

struct Session {
    std::unique_ptr<heif_context, void (*)(heif_context*)> context{heif_context_alloc(),
                                                                   heif_context_free};
    heif_image_handle* handle = nullptr;
    QByteArray name;

    explicit Session(const PictureData& data) : name(formatName(detectFormat(data), data)) {
        initialised();
        if (!boxesComplete(data.bytes())) {
            refuse(QStringLiteral("file %1 danneggiato o troncato").arg(QLatin1String(name)));
        }
        heif_context_set_maximum_image_size_limit(context.get(), 65535);
        const heif_error read = heif_context_read_from_memory_without_copy(
            context.get(), data.bytes().data(), size_t(data.bytes().size()), nullptr);
        if (read.code != heif_error_Ok ||
            heif_context_get_primary_image_handle(context.get(), &handle).code != heif_error_Ok) {
            refuse(QStringLiteral("file %1 danneggiato: %2")
                       .arg(QLatin1String(name), QString::fromUtf8(read.message)));
        }
    }
    ~Session() { heif_image_handle_release(handle); }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    QSize size() const {
        const QSize shown(heif_image_handle_get_width(handle),
                          heif_image_handle_get_height(handle));
        if (shown.isEmpty()) {
            refuse(QStringLiteral("l'immagine non ha dimensioni valide"));
        }
        if (qint64(shown.width()) * shown.height() > MaxPicturePixels) {
            refuseTooLarge(shown.width(), shown.height());
        }
        return shown;
    }

    QByteArray iccProfile() const {
        QByteArray icc(qsizetype(heif_image_handle_get_raw_color_profile_size(handle)), '\0');
        if (icc.isEmpty() ||
            heif_image_handle_get_raw_color_profile(handle, icc.data()).code != heif_error_Ok) {
            return {};
        }
        return icc;
    }
};

PictureInfo probe(const PictureData& data) {
    const QuietStandardError quiet; // libheif's codecs may talk on stderr of a damaged file
    const Session s(data);
    const QSize size = s.size();
    PictureInfo info{size, s.name, false};
    // libheif cannot decode at a reduced size: the whole picture, its planes (1.5 bytes a pixel
    // for a phone photo) and then RGBA, before it is reduced. Phone photos are coded in tiles,
    // decoded one by one into the planes; one coded whole makes the codec hold more.
    info.workBytes = 6 * qint64(size.width()) * size.height();
    return info;
}

std::shared_ptr<const ImportedPicture> load(const PictureData& data, QSize devicePixels,
                                            Background background) {
    const QuietStandardError quiet;
    const Session s(data);
    s.size();
    heif_image* decoded = nullptr;
    const heif_error error = heif_decode_image(s.handle, &decoded, heif_colorspace_RGB,
                                               heif_chroma_interleaved_RGBA, nullptr);
    const std::unique_ptr<heif_image, void (*)(const heif_image*)> image(decoded,
                                                                         heif_image_release);
    if (error.code != heif_error_Ok || !decoded) {
        refuse(QStringLiteral("file %1 non decodificabile: %2")
                   .arg(QLatin1String(s.name), QString::fromUtf8(error.message)));
    }
    int stride = 0;
    const std::uint8_t* pixels =
        heif_image_get_plane_readonly(decoded, heif_channel_interleaved, &stride);
    const QSize size(heif_image_get_width(decoded, heif_channel_interleaved),
                     heif_image_get_height(decoded, heif_channel_interleaved));
    if (!pixels || size.isEmpty()) {
        refuse(QStringLiteral("file %1 non decodificabile").arg(QLatin1String(s.name)));
    }
    QImage reduced = reducedRgba(pixels, stride, size, devicePixels);
    if (reduced.isNull()) {
        refuse(QStringLiteral("memoria insufficiente per decodificare l'immagine"));
    }
    return std::make_shared<RasterPicture>(std::move(reduced), s.iccProfile(), background);
}

} // namespace

const Decoder heifDecoder{probe, load};

} // namespace lumetra::pictures
