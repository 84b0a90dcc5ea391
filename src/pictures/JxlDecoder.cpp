#include "JxlDecoder.h"

#include "PictureData.h"
#include "PictureError.h"
#include "RasterPicture.h"
#include "RgbaReduction.h"

#include <jxl/decode.h>

#include <memory>
#include <vector>

namespace lumetra::pictures {

namespace {

using Decoding = std::unique_ptr<JxlDecoder, void (*)(JxlDecoder*)>;

const JxlPixelFormat Rgba{4, JXL_TYPE_UINT8, JXL_NATIVE_ENDIAN, 0};

[[noreturn]] void refuseDamaged() {
    refuse(QStringLiteral("file JPEG XL danneggiato o troncato"));
}

Decoding started(const PictureData& data, int events) {
    Decoding dec(JxlDecoderCreate(nullptr), JxlDecoderDestroy);
    if (!dec || JxlDecoderSubscribeEvents(dec.get(), events) != JXL_DEC_SUCCESS ||
        JxlDecoderSetInput(dec.get(), reinterpret_cast<const uint8_t*>(data.bytes().data()),
                           size_t(data.bytes().size())) != JXL_DEC_SUCCESS) {
        refuseDamaged();
    }
    JxlDecoderCloseInput(dec.get());
    return dec;
}

// The size as shown (libjxl applies the orientation), refused when too large.
QSize shownSize(JxlDecoder* dec) {
    JxlBasicInfo info;
    if (JxlDecoderGetBasicInfo(dec, &info) != JXL_DEC_SUCCESS) {
        refuseDamaged();
    }
    const qint64 width = info.orientation >= JXL_ORIENT_TRANSPOSE ? info.ysize : info.xsize;
    const qint64 height = info.orientation >= JXL_ORIENT_TRANSPOSE ? info.xsize : info.ysize;
    if (width * height > MaxPicturePixels || width > 65535 || height > 65535) {
        refuseTooLarge(width, height);
    }
    if (width <= 0 || height <= 0) {
        refuse(QStringLiteral("l'immagine non ha dimensioni valide"));
    }
    return QSize(int(width), int(height));
}

// Decodes the first frame, its pixels thrown away as they come: libjxl tells a file cut short
// only by decoding it (its frames are skipped without their bytes being looked for).
PictureInfo probe(const PictureData& data) {
    const Decoding dec = started(data, JXL_DEC_BASIC_INFO | JXL_DEC_FULL_IMAGE);
    PictureInfo info;
    const auto ignored = [](void*, size_t, size_t, size_t, const void*) {};
    for (;;) {
        const JxlDecoderStatus status = JxlDecoderProcessInput(dec.get());
        if (status == JXL_DEC_BASIC_INFO) {
            info = PictureInfo(shownSize(dec.get()), "JPEG XL", false);
        } else if (status == JXL_DEC_NEED_IMAGE_OUT_BUFFER && info.size.isValid()) {
            JxlDecoderSetImageOutCallback(dec.get(), &Rgba, ignored, nullptr);
        } else if (status == JXL_DEC_FULL_IMAGE && info.size.isValid()) {
            break;
        } else {
            refuseDamaged();
        }
    }
    // The picture decoded whole as RGBA, and libjxl's own planes of it, before it is reduced.
    info.workBytes = 16 * qint64(info.size.width()) * info.size.height();
    return info;
}

QByteArray iccProfile(JxlDecoder* dec) {
    size_t size = 0;
    if (JxlDecoderGetICCProfileSize(dec, &Rgba, JXL_COLOR_PROFILE_TARGET_DATA, &size) !=
            JXL_DEC_SUCCESS ||
        size == 0) {
        return {};
    }
    QByteArray icc(qsizetype(size), '\0');
    if (JxlDecoderGetColorAsICCProfile(dec, &Rgba, JXL_COLOR_PROFILE_TARGET_DATA,
                                       reinterpret_cast<uint8_t*>(icc.data()),
                                       size) != JXL_DEC_SUCCESS) {
        return {};
    }
    return icc;
}

std::shared_ptr<const ImportedPicture> load(const PictureData& data, QSize devicePixels,
                                            Background background) {
    const Decoding dec =
        started(data, JXL_DEC_BASIC_INFO | JXL_DEC_COLOR_ENCODING | JXL_DEC_FULL_IMAGE);
    QSize size;
    QByteArray icc;
    std::vector<uint8_t> pixels;
    for (;;) {
        const JxlDecoderStatus status = JxlDecoderProcessInput(dec.get());
        if (status == JXL_DEC_BASIC_INFO) {
            size = shownSize(dec.get());
        } else if (status == JXL_DEC_COLOR_ENCODING) {
            icc = iccProfile(dec.get());
        } else if (status == JXL_DEC_NEED_IMAGE_OUT_BUFFER) {
            size_t bytes = 0;
            if (JxlDecoderImageOutBufferSize(dec.get(), &Rgba, &bytes) != JXL_DEC_SUCCESS ||
                bytes != 4 * size_t(size.width()) * size_t(size.height())) {
                refuseDamaged();
            }
            pixels.resize(bytes);
            JxlDecoderSetImageOutBuffer(dec.get(), &Rgba, pixels.data(), bytes);
        } else if (status == JXL_DEC_FULL_IMAGE && !pixels.empty()) {
            break; // the first frame
        } else {
            refuseDamaged();
        }
    }
    QImage reduced = reducedRgba(pixels.data(), 4 * qsizetype(size.width()), size, devicePixels);
    if (reduced.isNull()) {
        refuse(QStringLiteral("memoria insufficiente per decodificare l'immagine"));
    }
    return std::make_shared<RasterPicture>(std::move(reduced), icc, background);
}

} // namespace

const Decoder jxlDecoder{probe, load};

} // namespace lumetra::pictures
