#include "TiffDecoder.h"

#include "ColourConversion.h"
#include "PictureError.h"
#include "PictureImport.h"
#include "RowReducer.h"

#include <tiffio.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace lumetra::pictures {

namespace {

// libtiff reads the mapped bytes through these.
struct Memory {
    QByteArrayView data;
    toff_t position = 0;
};

tmsize_t readBytes(thandle_t handle, void* buffer, tmsize_t size) {
    auto* m = static_cast<Memory*>(handle);
    const auto left =
        static_cast<toff_t>(m->data.size()) - std::min<toff_t>(m->position, m->data.size());
    const auto n = std::min<toff_t>(left, static_cast<toff_t>(std::max<tmsize_t>(size, 0)));
    std::memcpy(buffer, m->data.data() + m->position, n);
    m->position += n;
    return static_cast<tmsize_t>(n);
}

tmsize_t writeBytes(thandle_t, void*, tmsize_t) {
    return 0;
}

toff_t seekTo(thandle_t handle, toff_t offset, int whence) {
    auto* m = static_cast<Memory*>(handle);
    const toff_t base = whence == SEEK_CUR   ? m->position
                        : whence == SEEK_END ? static_cast<toff_t>(m->data.size())
                                             : 0;
    m->position = base + offset;
    return m->position;
}

int closeNothing(thandle_t) {
    return 0;
}
toff_t sizeOf(thandle_t handle) {
    return static_cast<toff_t>(static_cast<Memory*>(handle)->data.size());
}
int noMap(thandle_t, void**, toff_t*) {
    return 0;
}
void noUnmap(thandle_t, void*, toff_t) {}

// libtiff's complaints are counted, never printed.
int count(TIFF*, void* counter, const char*, const char*, va_list) {
    ++*static_cast<int*>(counter);
    return 1;
}

struct TiffCloser {
    void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};

struct OpenTiff {
    Memory memory;
    int errors = 0;
    int warnings = 0;
    std::unique_ptr<TIFF, TiffCloser> tiff;
};

std::unique_ptr<OpenTiff> open(QByteArrayView data) {
    auto open = std::make_unique<OpenTiff>();
    open->memory.data = data;
    TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
    TIFFOpenOptionsSetErrorHandlerExtR(options, count, &open->errors);
    TIFFOpenOptionsSetWarningHandlerExtR(options, count, &open->warnings);
    TIFFOpenOptionsSetMaxSingleMemAlloc(options, 1024 * 1024 * 1024);
    open->tiff.reset(TIFFClientOpenExt("picture", "rm", &open->memory, readBytes, writeBytes,
                                       seekTo, closeNothing, sizeOf, noMap, noUnmap, options));
    TIFFOpenOptionsFree(options);
    return open->tiff ? std::move(open) : nullptr;
}

struct Layout {
    uint32_t width = 0, height = 0;
    uint16_t bits = 0, samples = 0, planar = 0, photometric = 0, inkSet = INKSET_CMYK;
};

Layout layoutOf(TIFF* tiff) {
    Layout l;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &l.width);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &l.height);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &l.bits);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &l.samples);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_PLANARCONFIG, &l.planar);
    TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &l.photometric);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_INKSET, &l.inkSet);
    return l;
}

bool convertible(const Layout& l, TIFF* tiff) {
    return l.photometric == PHOTOMETRIC_SEPARATED && l.inkSet == INKSET_CMYK && l.samples >= 4 &&
           (l.bits == 8 || l.bits == 16) && l.planar == PLANARCONFIG_CONTIG && !TIFFIsTiled(tiff) &&
           l.width > 0 && l.height > 0;
}

} // namespace

qint64 tiffStripBytes(QByteArrayView data) {
    const auto tiff = open(data);
    if (!tiff || TIFFIsTiled(tiff->tiff.get())) {
        return -1;
    }
    TIFF* t = tiff->tiff.get();
    uint16_t orientation = ORIENTATION_TOPLEFT;
    TIFFGetFieldDefaulted(t, TIFFTAG_ORIENTATION, &orientation);
    const Layout l = layoutOf(t);
    uint32_t rowsPerStrip = l.height;
    TIFFGetFieldDefaulted(t, TIFFTAG_ROWSPERSTRIP, &rowsPerStrip);
    if (orientation != ORIENTATION_TOPLEFT || l.width == 0 || l.height == 0) {
        return -1;
    }
    char message[1024] = {};
    if (!TIFFRGBAImageOK(t, message)) {
        return -1;
    }
    return 4 * qint64(l.width) * std::min(rowsPerStrip, l.height);
}

QImage decodeTiffStrips(QByteArrayView data, QSize wanted, QString* damage, QByteArray* icc) {
    const auto tiff = open(data);
    if (!tiff) {
        refuse(QStringLiteral("file TIFF danneggiato"));
    }
    TIFF* t = tiff->tiff.get();
    const Layout l = layoutOf(t);
    uint32_t rowsPerStrip = l.height;
    TIFFGetFieldDefaulted(t, TIFFTAG_ROWSPERSTRIP, &rowsPerStrip);
    rowsPerStrip = std::clamp<uint32_t>(rowsPerStrip, 1, l.height);
    const QSize source(static_cast<int>(l.width), static_cast<int>(l.height));
    RowReducer reducer(source, wanted.boundedTo(source).expandedTo(QSize(1, 1)));
    const auto width = static_cast<std::size_t>(l.width);
    std::vector<uint32_t> strip(width * rowsPerStrip);
    std::vector<uchar> line(width * 4);
    uint32_t rows = 0;
    for (uint32_t top = 0; top < l.height; top += rowsPerStrip) {
        if (!TIFFReadRGBAStrip(t, top, strip.data())) {
            break;
        }
        // The strip comes bottom row first, each pixel as A, B, G, R from the high byte.
        const uint32_t count = std::min(rowsPerStrip, l.height - top);
        for (uint32_t r = 0; r < count; ++r) {
            const uint32_t* in = strip.data() + std::size_t(count - 1 - r) * width;
            for (std::size_t x = 0; x < width; ++x) {
                const uint32_t p = in[x];
                const unsigned a = TIFFGetA(p);
                const auto over = [a](unsigned c) {
                    return static_cast<uchar>((c * a + 255 * (255 - a) + 127) / 255);
                };
                line[4 * x] = over(TIFFGetB(p));
                line[4 * x + 1] = over(TIFFGetG(p));
                line[4 * x + 2] = over(TIFFGetR(p));
                line[4 * x + 3] = 255;
            }
            reducer.add(static_cast<int>(top + r), line.data());
        }
        rows = top + count;
    }
    if (rows == 0) {
        refuse(QStringLiteral("file TIFF danneggiato"));
    }
    if (damage && (rows < l.height || tiff->errors > 0)) {
        *damage = QStringLiteral("il file TIFF è danneggiato o incompleto");
    }
    uint32_t iccLength = 0;
    void* iccData = nullptr;
    if (icc && TIFFGetField(t, TIFFTAG_ICCPROFILE, &iccLength, &iccData) && iccData) {
        *icc = QByteArray(static_cast<const char*>(iccData), iccLength);
    }
    const std::vector<uchar>& pixels = reducer.finish({128, 128, 128, 255});
    const QSize size = reducer.target();
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull()) {
        refuse(QStringLiteral("memoria insufficiente per decodificare l'immagine"));
    }
    for (int y = 0; y < size.height(); ++y) {
        std::memcpy(image.scanLine(y), pixels.data() + std::size_t(y) * size.width() * 4,
                    std::size_t(size.width()) * 4);
    }
    return image;
}

QString tiffDamage(QByteArrayView data) {
    const auto tiff = open(data);
    if (!tiff) {
        return QStringLiteral("il file TIFF è danneggiato");
    }
    TIFF* t = tiff->tiff.get();
    // Every strip or tile of the first picture lies inside the file, else it was cut short.
    const auto size = static_cast<uint64_t>(data.size());
    const uint32_t count = TIFFNumberOfStrips(t);
    for (uint32_t i = 0; i < count; ++i) {
        int error = 0;
        const uint64_t offset = TIFFGetStrileOffsetWithErr(t, i, &error);
        const uint64_t length = error ? 0 : TIFFGetStrileByteCountWithErr(t, i, &error);
        if (error || offset > size || length > size - offset) {
            return QStringLiteral("il file TIFF è incompleto");
        }
    }
    return {};
}

bool isCmykTiff(QByteArrayView data) {
    const auto tiff = open(data);
    return tiff && convertible(layoutOf(tiff->tiff.get()), tiff->tiff.get());
}

QImage decodeCmykTiff(QByteArrayView data, QSize wanted, QString* damage) {
    const auto tiff = open(data);
    if (!tiff) {
        refuse(QStringLiteral("file TIFF danneggiato"));
    }
    TIFF* t = tiff->tiff.get();
    const Layout l = layoutOf(t);
    if (!convertible(l, t) || qint64(l.width) * l.height > MaxPicturePixels) {
        refuse(QStringLiteral("file TIFF CMYK non leggibile"));
    }
    const QSize source(static_cast<int>(l.width), static_cast<int>(l.height));
    const QSize target = wanted.boundedTo(source).expandedTo(QSize(1, 1));
    const auto width = static_cast<std::size_t>(l.width);
    std::vector<uchar> line(static_cast<std::size_t>(TIFFScanlineSize(t)));
    std::vector<uchar> cmykLine(width * 4);
    RowReducer reducer(source, target);
    const std::size_t bytes = l.bits / 8;
    const std::size_t step = static_cast<std::size_t>(l.samples) * bytes;
    uint32_t rows = 0;
    for (; rows < l.height; ++rows) {
        if (TIFFReadScanline(t, line.data(), rows, 0) < 0) {
            break;
        }
        for (std::size_t x = 0; x < width; ++x) {
            for (std::size_t c = 0; c < 4; ++c) {
                // 16-bit samples come in the machine's order: their high byte.
                const uchar* sample = line.data() + x * step + c * bytes;
                uint16_t wide = 0;
                if (bytes == 2) {
                    std::memcpy(&wide, sample, sizeof wide);
                }
                cmykLine[4 * x + c] = bytes == 1 ? sample[0] : static_cast<uchar>(wide >> 8);
            }
        }
        reducer.add(static_cast<int>(rows), cmykLine.data());
    }
    if (rows == 0) {
        refuse(QStringLiteral("file TIFF danneggiato"));
    }
    if (damage && (rows < l.height || tiff->errors > 0)) {
        *damage = QStringLiteral("il file TIFF è danneggiato o incompleto");
    }
    uint32_t iccLength = 0;
    void* iccData = nullptr;
    QByteArray icc;
    if (TIFFGetField(t, TIFFTAG_ICCPROFILE, &iccLength, &iccData) && iccData) {
        icc = QByteArray(static_cast<const char*>(iccData), iccLength);
    }
    const std::vector<uchar>& reduced = reducer.finish({0, 0, 0, 0});
    return cmykToSrgb(CmykPixels{reduced.data(), target.width(), target.height(),
                                 static_cast<qsizetype>(target.width()) * 4, false},
                      icc);
}

} // namespace lumetra::pictures
