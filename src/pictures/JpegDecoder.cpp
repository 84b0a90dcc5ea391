#include "JpegDecoder.h"

#include "ColourConversion.h"
#include "LibraryDiagnostics.h"
#include "PictureError.h"
#include "PictureImport.h"
#include "RowReducer.h"

#include <algorithm>
#include <array>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include <jpeglib.h>

#include <jerror.h> // after jpeglib.h, which it needs

namespace lumetra::pictures {

namespace {

// libjpeg reports fatal errors through error_exit, which must not return: it jumps back to the
// step that called the library. The functions holding a setjmp keep no C++ objects of their own.
struct Errors {
    jpeg_error_mgr manager{};
    std::jmp_buf jump{};
    int warnings = 0;
    char message[JMSG_LENGTH_MAX] = {};
};

void onError(j_common_ptr info) {
    auto* errors = reinterpret_cast<Errors*>(info->err);
    (*info->err->format_message)(info, errors->message);
    std::longjmp(errors->jump, 1);
}

void onMessage(j_common_ptr info, int level) {
    if (level < 0) {
        ++reinterpret_cast<Errors*>(info->err)->warnings; // corrupt data, data cut short
        char message[JMSG_LENGTH_MAX] = {};
        (*info->err->format_message)(info, message);
        diagnostic("libjpeg", message);
    }
}

struct Session {
    jpeg_decompress_struct info{};
    Errors errors;
    bool created = false;
    JOCTET* icc = nullptr;
    unsigned int iccLength = 0;

    Session() {
        info.err = jpeg_std_error(&errors.manager);
        errors.manager.error_exit = onError;
        errors.manager.emit_message = onMessage;
    }
    ~Session() {
        if (created) {
            jpeg_destroy_decompress(&info);
        }
        std::free(icc);
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
};

bool readHeader(Session& s, QByteArrayView data) {
    if (setjmp(s.errors.jump)) {
        return false;
    }
    jpeg_create_decompress(&s.info);
    s.created = true;
    // libjpeg has no backing store here: beyond this it fails rather than take more.
    s.info.mem->max_memory_to_use = MaxWorkBytes;
    jpeg_mem_src(&s.info, reinterpret_cast<const unsigned char*>(data.data()),
                 static_cast<unsigned long>(data.size()));
    jpeg_save_markers(&s.info, JPEG_APP0 + 2, 0xFFFF); // ICC profile chunks
    jpeg_read_header(&s.info, TRUE);
    if (!jpeg_read_icc_profile(&s.info, &s.icc, &s.iccLength)) {
        s.icc = nullptr;
        s.iccLength = 0;
    }
    return true;
}

bool configure(Session& s, int denominator, J_COLOR_SPACE out) {
    if (setjmp(s.errors.jump)) {
        return false;
    }
    s.info.scale_num = 1;
    s.info.scale_denom = static_cast<unsigned int>(denominator);
    s.info.out_color_space = out;
    s.info.dct_method = JDCT_IFAST;
    s.info.do_fancy_upsampling = FALSE;
    jpeg_calc_output_dimensions(&s.info);
    return true;
}

// Decodes into `rows` (one pointer per output row). The rows decoded before a fatal error stay.
bool readPixels(Session& s, unsigned char* const* rows) {
    if (setjmp(s.errors.jump)) {
        return false;
    }
    jpeg_start_decompress(&s.info);
    while (s.info.output_scanline < s.info.output_height) {
        JSAMPROW row = rows[s.info.output_scanline];
        jpeg_read_scanlines(&s.info, &row, 1);
    }
    jpeg_finish_decompress(&s.info);
    return true;
}

// Decodes into `block` (one pointer per row of it) as many rows at a time as it holds, handing
// each row to `reducer`. The rows before a fatal error stay. Two rows at a time spare libjpeg a
// copy of every other row when it upsamples chroma stored at half the height.
bool readReduced(Session& s, unsigned char* const* block, int blockRows, RowReducer& reducer) {
    if (setjmp(s.errors.jump)) {
        return false;
    }
    jpeg_start_decompress(&s.info);
    while (s.info.output_scanline < s.info.output_height) {
        const int y = static_cast<int>(s.info.output_scanline);
        const auto read = static_cast<int>(jpeg_read_scanlines(
            &s.info, const_cast<JSAMPARRAY>(block), static_cast<JDIMENSION>(blockRows)));
        for (int i = 0; i < read; ++i) {
            reducer.add(y + i, block[i]);
        }
    }
    jpeg_finish_decompress(&s.info);
    return true;
}

// readReduced with a block of rows of its own (held outside the function that may jump).
bool readReduced(Session& s, RowReducer& reducer) {
    const int blockRows = std::max(2, s.info.rec_outbuf_height);
    const auto stride = static_cast<std::size_t>(s.info.output_width) * 4;
    std::vector<unsigned char> block(stride * static_cast<std::size_t>(blockRows));
    std::vector<unsigned char*> starts(static_cast<std::size_t>(blockRows));
    for (std::size_t i = 0; i < starts.size(); ++i) {
        starts[i] = block.data() + i * stride;
    }
    return readReduced(s, starts.data(), blockRows, reducer);
}

// The pixels a RowReducer made, as an image of `size` that owns them: no copy.
QImage imageOf(std::vector<unsigned char>&& pixels, QSize size) {
    auto* owned = new std::vector<unsigned char>(std::move(pixels));
    QImage image(
        owned->data(), size.width(), size.height(), qsizetype(size.width()) * 4,
        QImage::Format_RGB32,
        [](void* held) { delete static_cast<std::vector<unsigned char>*>(held); }, owned);
    if (image.isNull()) {
        delete owned;
    }
    return image;
}

// The whole picture's coefficients, which libjpeg keeps for a JPEG of several scans (every
// progressive one) whatever the scale: per component, its blocks rounded up to whole MCUs.
bool coefficientBytes(Session& s, qint64* bytes) {
    if (setjmp(s.errors.jump)) {
        return false;
    }
    *bytes = 0;
    if (!jpeg_has_multiple_scans(&s.info)) {
        return true;
    }
    for (int c = 0; c < s.info.num_components; ++c) {
        const jpeg_component_info& component = s.info.comp_info[c];
        const auto roundUp = [](qint64 value, qint64 step) {
            return (value + step - 1) / step * step;
        };
        *bytes += roundUp(component.width_in_blocks, component.h_samp_factor) *
                  roundUp(component.height_in_blocks, component.v_samp_factor) *
                  qint64(sizeof(JBLOCK));
    }
    return true;
}

// The smallest of 1/8, 1/4, 1/2, 1/1 that is not below the wanted size.
int scaleDenominator(int width, int height, QSize wanted) {
    int denominator = 8;
    while (denominator > 1 && ((width + denominator - 1) / denominator < wanted.width() ||
                               (height + denominator - 1) / denominator < wanted.height())) {
        denominator /= 2;
    }
    return denominator;
}

QString libraryMessage(const Session& s) {
    return QString::fromLocal8Bit(s.errors.message);
}

// libjpeg stopped: out of the memory it may take (a picture too large), or the data.
[[noreturn]] void undecodable(const Session& s) {
    const int code = s.errors.manager.msg_code;
    if (code == JERR_NO_BACKING_STORE || code == JERR_OUT_OF_MEMORY) {
        refuseTooLarge(s.info.image_width, s.info.image_height);
    }
    refuse(QStringLiteral("file JPEG non decodificabile (%1)").arg(libraryMessage(s)));
}

} // namespace

QString jpegDamage(QByteArrayView data) {
    // A complete JPEG ends with its EOI marker, perhaps followed by some padding.
    const QByteArrayView last = data.last(std::min<qsizetype>(data.size(), 65536));
    const qsizetype end = last.lastIndexOf(QByteArrayView("\xff\xd9"));
    if (end >= 0) {
        const QByteArrayView padding = last.sliced(end + 2);
        if (std::all_of(padding.begin(), padding.end(),
                        [&](char c) { return c == padding.front(); })) {
            return {};
        }
    }
    // No end in sight: a decoding at an eighth of the size tells what the data still holds
    // (and refuses a file of which nothing can be decoded).
    return decodeJpeg(data, QSize(1, 1)).damage;
}

qint64 jpegWorkBytes(QByteArrayView data) {
    Session s;
    qint64 bytes = 0;
    if (!readHeader(s, data) || !coefficientBytes(s, &bytes)) {
        refuse(QStringLiteral("file JPEG danneggiato (%1)").arg(libraryMessage(s)));
    }
    return bytes;
}

DecodedJpeg decodeJpeg(QByteArrayView data, QSize wanted) {
    Session s;
    qint64 coefficients = 0;
    if (!readHeader(s, data) || !coefficientBytes(s, &coefficients)) {
        refuse(QStringLiteral("file JPEG danneggiato (%1)").arg(libraryMessage(s)));
    }
    if (coefficients > MaxWorkBytes) {
        refuseTooLarge(s.info.image_width, s.info.image_height);
    }
    const bool cmyk = s.info.jpeg_color_space == JCS_CMYK || s.info.jpeg_color_space == JCS_YCCK;
    const int denominator = scaleDenominator(static_cast<int>(s.info.image_width),
                                             static_cast<int>(s.info.image_height), wanted);
    if (!configure(s, denominator, cmyk ? JCS_CMYK : JCS_EXT_BGRX)) {
        undecodable(s);
    }
    const int width = static_cast<int>(s.info.output_width);
    const int height = static_cast<int>(s.info.output_height);
    DecodedJpeg result;
    QImage rgb;
    std::vector<unsigned char> cmykPixels;
    bool complete = false;
    QSize size(width, height);
    if (size != wanted) {
        // Larger than asked for: reduced while the rows come, so only the reduced picture is
        // ever held.
        RowReducer reducer(size, wanted.boundedTo(size).expandedTo(QSize(1, 1)));
        complete = readReduced(s, reducer);
        if (!complete && s.info.output_scanline == 0) {
            undecodable(s);
        }
        size = reducer.target();
        cmykPixels =
            std::move(reducer.finish(cmyk ? std::array<std::uint8_t, 4>{0, 0, 0, 0}
                                          : std::array<std::uint8_t, 4>{128, 128, 128, 255}));
        if (!cmyk) {
            rgb = imageOf(std::exchange(cmykPixels, {}), size);
            if (rgb.isNull()) {
                refuse(QStringLiteral("memoria insufficiente per decodificare l'immagine"));
            }
        }
    } else {
        std::vector<unsigned char*> rows(static_cast<std::size_t>(height));
        if (cmyk) {
            cmykPixels.assign(
                static_cast<std::size_t>(width) * 4 * static_cast<std::size_t>(height), 0);
            for (int y = 0; y < height; ++y) {
                rows[static_cast<std::size_t>(y)] =
                    cmykPixels.data() +
                    static_cast<std::size_t>(y) * 4 * static_cast<std::size_t>(width);
            }
        } else {
            rgb = QImage(width, height, QImage::Format_RGB32);
            if (rgb.isNull()) {
                refuse(QStringLiteral("memoria insufficiente per decodificare l'immagine"));
            }
            rgb.fill(Qt::gray); // what a picture cut short shows where its data ends
            for (int y = 0; y < height; ++y) {
                rows[static_cast<std::size_t>(y)] = rgb.scanLine(y);
            }
        }
        complete = readPixels(s, rows.data());
        if (!complete && s.info.output_scanline == 0) {
            undecodable(s);
        }
    }
    if (!complete || s.errors.warnings > 0) {
        result.damage = QStringLiteral("il file JPEG è danneggiato o incompleto");
    }
    if (cmyk) {
        // Photoshop and the writers that follow it (all that write the Adobe marker) store CMYK
        // inverted.
        const QByteArray icc(reinterpret_cast<const char*>(s.icc),
                             static_cast<qsizetype>(s.iccLength));
        rgb = cmykToSrgb(CmykPixels{cmykPixels.data(), size.width(), size.height(),
                                    qsizetype(size.width()) * 4, s.info.saw_Adobe_marker != 0},
                         icc);
        if (rgb.isNull()) {
            refuse(QStringLiteral("memoria insufficiente per decodificare l'immagine"));
        }
    } else if (s.icc) {
        result.icc =
            QByteArray(reinterpret_cast<const char*>(s.icc), static_cast<qsizetype>(s.iccLength));
    }
    result.image = rgb.size() == wanted
                       ? std::move(rgb)
                       : rgb.scaled(wanted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return result;
}

} // namespace lumetra::pictures
