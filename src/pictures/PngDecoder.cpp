#include "PngDecoder.h"

#include "LibraryDiagnostics.h"
#include "PictureError.h"
#include "RowReducer.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <vector>

namespace lumetra::pictures {

namespace {

struct Source {
    QByteArrayView data;
    qsizetype position = 0;
};

void readData(png_structp png, png_bytep out, png_size_t length) {
    auto* source = static_cast<Source*>(png_get_io_ptr(png));
    const auto left = static_cast<png_size_t>(source->data.size() - source->position);
    if (length > left) {
        png_error(png, "cut short");
    }
    std::memcpy(out, source->data.data() + source->position, length);
    source->position += static_cast<qsizetype>(length);
}

void onError(png_structp png, png_const_charp message) {
    diagnostic("libpng", message);
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp message) {
    diagnostic("libpng", message);
}

// The reading state; the functions holding a setjmp keep no C++ objects of their own.
struct Session {
    png_structp png = nullptr;
    png_infop info = nullptr;
    Source source;
    png_uint_32 width = 0, height = 0;
    int passes = 1;
    int rowsRead = 0; // of the pass the picture is read from
    bool ended = false;
    QByteArray icc;

    ~Session() { png_destroy_read_struct(&png, &info, nullptr); }
};

bool start(Session& s) {
    if (setjmp(png_jmpbuf(s.png))) {
        return false;
    }
    png_set_read_fn(s.png, &s.source, readData);
    png_set_user_limits(s.png, 0x7fffffff, 0x7fffffff);
    png_read_info(s.png, s.info);
    int depth = 0, colour = 0, interlace = 0;
    png_get_IHDR(s.png, s.info, &s.width, &s.height, &depth, &colour, &interlace, nullptr, nullptr);
    png_charp name = nullptr;
    int compression = 0;
    png_bytep profile = nullptr;
    png_uint_32 length = 0;
    if (png_get_iCCP(s.png, s.info, &name, &compression, &profile, &length) && profile) {
        s.icc = QByteArray(reinterpret_cast<const char*>(profile), qsizetype(length));
    }
    png_set_expand(s.png);
    png_set_scale_16(s.png);
    png_set_gray_to_rgb(s.png);
    png_set_bgr(s.png);
    if (!(colour & PNG_COLOR_MASK_ALPHA) && !png_get_valid(s.png, s.info, PNG_INFO_tRNS)) {
        png_set_filler(s.png, 0xff, PNG_FILLER_AFTER);
    }
    s.passes = png_set_interlace_handling(s.png);
    png_read_update_info(s.png, s.info);
    return true;
}

// Lays transparency over white, or keeps it premultiplied (what averaging needs), in place
// (B, G, R, A bytes).
void withBackground(std::uint8_t* row, std::size_t width, Background background) {
    const unsigned under = background == Background::White ? 255 : 0;
    for (std::size_t x = 0; x < width; ++x) {
        std::uint8_t* p = row + 4 * x;
        const unsigned a = p[3];
        if (a != 255) {
            for (int c = 0; c < 3; ++c) {
                p[c] = static_cast<std::uint8_t>((p[c] * a + under * (255 - a) + 127) / 255);
            }
            p[3] = background == Background::White ? 255 : p[3];
        }
    }
}

// Reads every row; only those of the last pass are reduced (all rows when not interlaced).
bool readRows(Session& s, std::uint8_t* row, RowReducer& reducer, Background background) {
    if (setjmp(png_jmpbuf(s.png))) {
        return false;
    }
    for (int pass = 0; pass < s.passes; ++pass) {
        const bool last = pass == s.passes - 1;
        for (png_uint_32 y = 0; y < s.height; ++y) {
            png_read_row(s.png, row, nullptr);
            // Adam7's last pass holds the odd rows, whole.
            if (last && (s.passes == 1 || y % 2 == 1)) {
                withBackground(row, s.width, background);
                reducer.add(static_cast<int>(y), row);
                ++s.rowsRead;
            }
        }
    }
    png_read_end(s.png, nullptr);
    s.ended = true;
    return true;
}

} // namespace

QString pngDamage(QByteArrayView data) {
    Session s;
    s.source.data = data;
    s.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, onError, onWarning);
    s.info = s.png ? png_create_info_struct(s.png) : nullptr;
    if (!s.info || !start(s) || s.width == 0 || s.height == 0) {
        refuse(QStringLiteral("file PNG danneggiato: intestazione illeggibile"));
    }
    // The IEND chunk closes every complete PNG; a few bytes of padding may follow it.
    static constexpr char End[] = "\0\0\0\0IEND\xae\x42\x60\x82";
    const QByteArrayView end(End, sizeof End - 1);
    const QByteArrayView last = data.last(std::min<qsizetype>(data.size(), 4096));
    if (last.indexOf(end) >= 0) {
        return {};
    }
    // Cut short: what comes out of it is decoded, at the least size, to tell whether the load
    // can draw anything and which rows it lacks (refused when it cannot).
    const QString found = decodePng(data, QSize(1, 1)).damage;
    return found.isEmpty() ? QStringLiteral("file PNG troncato: la fine del file manca") : found;
}

DecodedPng decodePng(QByteArrayView data, QSize wanted, Background background) {
    Session s;
    s.source.data = data;
    s.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, onError, onWarning);
    s.info = s.png ? png_create_info_struct(s.png) : nullptr;
    if (!s.info || !start(s) || s.width == 0 || s.height == 0 || (s.passes > 1 && s.height < 2)) {
        refuse(QStringLiteral("file PNG danneggiato"));
    }
    const QSize source(static_cast<int>(s.width), static_cast<int>(s.height));
    RowReducer reducer(source, wanted.boundedTo(source).expandedTo(QSize(1, 1)));
    std::vector<std::uint8_t> row(png_get_rowbytes(s.png, s.info) + 16);
    const bool complete = readRows(s, row.data(), reducer, background);
    if (s.rowsRead == 0) {
        refuse(QStringLiteral("file PNG non decodificabile"));
    }
    DecodedPng result;
    if (!complete && s.passes == 1 && s.rowsRead < int(s.height)) {
        result.damage =
            QStringLiteral("file PNG danneggiato o troncato: mancano le righe da %1 in poi")
                .arg(s.rowsRead + 1);
    } else if (!complete) {
        result.damage = QStringLiteral("file PNG danneggiato o troncato: l'immagine è incompleta");
    }
    const std::vector<std::uint8_t>& pixels = reducer.finish({128, 128, 128, 255});
    const QSize size = reducer.target();
    result.image =
        QImage(size, background == Background::White ? QImage::Format_RGB32
                                                     : QImage::Format_ARGB32_Premultiplied);
    if (result.image.isNull()) {
        refuse(QStringLiteral("memoria insufficiente per decodificare l'immagine"));
    }
    for (int y = 0; y < size.height(); ++y) {
        std::memcpy(result.image.scanLine(y),
                    pixels.data() + static_cast<std::size_t>(y) * size.width() * 4,
                    static_cast<std::size_t>(size.width()) * 4);
    }
    result.icc = s.icc;
    return result;
}

} // namespace lumetra::pictures
