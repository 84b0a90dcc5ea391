#include "JxlDecoder.h"

#include "IsoBoxes.h"
#include "LibraryDiagnostics.h"
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

// A decoder given the whole file. Its input is never closed: a file cut short then asks for
// more (JXL_DEC_NEED_MORE_INPUT) rather than failing as damaged.
Decoding started(const PictureData& data, int events) {
    const QByteArrayView bytes = data.bytes();
    if (bytes.startsWith(QByteArrayView("\0\0\0\x0cJXL ", 8)) && !boxesComplete(bytes)) {
        refuseDamaged(); // a container whose last box runs past the end
    }
    Decoding dec(JxlDecoderCreate(nullptr), JxlDecoderDestroy);
    if (!dec || JxlDecoderSubscribeEvents(dec.get(), events) != JXL_DEC_SUCCESS ||
        JxlDecoderSetInput(dec.get(), reinterpret_cast<const uint8_t*>(bytes.data()),
                           size_t(bytes.size())) != JXL_DEC_SUCCESS) {
        refuseDamaged();
    }
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

// The header: the picture's size and its colour encoding. No frame is looked at.
PictureInfo probe(const PictureData& data) {
    const QuietStandardError quiet; // libjxl tells what it finds wrong on stderr
    const Decoding dec = started(data, JXL_DEC_BASIC_INFO | JXL_DEC_COLOR_ENCODING);
    PictureInfo info;
    for (;;) {
        const JxlDecoderStatus status = JxlDecoderProcessInput(dec.get());
        if (status == JXL_DEC_BASIC_INFO) {
            info = PictureInfo(shownSize(dec.get()), "JPEG XL", false);
        } else if (status == JXL_DEC_COLOR_ENCODING && info.size.isValid()) {
            break;
        } else {
            refuseDamaged();
        }
    }
    // libjxl decodes the whole frame, as RGBA, before it is reduced; it holds about as much
    // again of its own on the way (3 bytes a pixel measured for a 12 MP photo, less lossless).
    info.workBytes = 8 * qint64(info.size.width()) * info.size.height();
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

// The first frame as shown, RGBA.
struct Frame {
    QSize size;
    QByteArray icc;
    std::vector<uint8_t> pixels;
    QString damage;
};

void setOutput(JxlDecoder* dec, Frame& frame) {
    size_t bytes = 0;
    if (JxlDecoderImageOutBufferSize(dec, &Rgba, &bytes) != JXL_DEC_SUCCESS ||
        bytes != 4 * size_t(frame.size.width()) * size_t(frame.size.height())) {
        refuseDamaged();
    }
    frame.pixels.resize(bytes);
    if (JxlDecoderSetImageOutBuffer(dec, &Rgba, frame.pixels.data(), bytes) != JXL_DEC_SUCCESS) {
        refuseDamaged();
    }
}

// A file cut short: what libjxl decoded of the frame (the missing groups as libjxl fills them
// in), or grey when it decoded none of it.
void keepWhatCame(JxlDecoder* dec, Frame& frame) {
    frame.damage = QStringLiteral("file JPEG XL troncato: l'immagine è incompleta");
    if (!frame.pixels.empty() && JxlDecoderFlushImage(dec) == JXL_DEC_SUCCESS) {
        return;
    }
    frame.pixels.assign(4 * size_t(frame.size.width()) * size_t(frame.size.height()), 0x80);
    for (size_t alpha = 3; alpha < frame.pixels.size(); alpha += 4) {
        frame.pixels[alpha] = 0xff;
    }
}

Frame decodedFrame(const PictureData& data) {
    const Decoding dec =
        started(data, JXL_DEC_BASIC_INFO | JXL_DEC_COLOR_ENCODING | JXL_DEC_FULL_IMAGE);
    Frame frame;
    for (;;) {
        const JxlDecoderStatus status = JxlDecoderProcessInput(dec.get());
        if (status == JXL_DEC_BASIC_INFO) {
            frame.size = shownSize(dec.get());
        } else if (status == JXL_DEC_COLOR_ENCODING) {
            frame.icc = iccProfile(dec.get());
        } else if (status == JXL_DEC_NEED_IMAGE_OUT_BUFFER && frame.size.isValid()) {
            setOutput(dec.get(), frame);
        } else if (status == JXL_DEC_FULL_IMAGE && !frame.pixels.empty()) {
            return frame; // the first frame
        } else if (status == JXL_DEC_NEED_MORE_INPUT && frame.size.isValid()) {
            keepWhatCame(dec.get(), frame);
            return frame;
        } else {
            refuseDamaged();
        }
    }
}

std::shared_ptr<const ImportedPicture> load(const PictureData& data, QSize devicePixels,
                                            Background background) {
    const QuietStandardError quiet;
    const Frame frame = decodedFrame(data);
    QImage reduced = reducedRgba(frame.pixels.data(), 4 * qsizetype(frame.size.width()), frame.size,
                                 devicePixels);
    if (reduced.isNull()) {
        refuse(QStringLiteral("memoria insufficiente per decodificare l'immagine"));
    }
    auto picture = std::make_shared<RasterPicture>(std::move(reduced), frame.icc, background);
    picture->setDamage(frame.damage);
    return picture;
}

} // namespace

const Decoder jxlDecoder{probe, load};

} // namespace lumetra::pictures
