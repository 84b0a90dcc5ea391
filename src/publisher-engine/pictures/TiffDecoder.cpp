#include "TiffDecoder.h"

#include "ColourConversion.h"
#include "PictureError.h"
#include "PictureImport.h"

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

bool isCmykTiff(QByteArrayView data) {
    const auto tiff = open(data);
    return tiff && convertible(layoutOf(tiff->tiff.get()), tiff->tiff.get());
}

QImage decodeCmykTiff(QByteArrayView data, QString* damage) {
    const auto tiff = open(data);
    if (!tiff) {
        refuse(QStringLiteral("file TIFF danneggiato"));
    }
    TIFF* t = tiff->tiff.get();
    const Layout l = layoutOf(t);
    if (!convertible(l, t) || qint64(l.width) * l.height > MaxPicturePixels) {
        refuse(QStringLiteral("file TIFF CMYK non leggibile"));
    }
    const auto width = static_cast<std::size_t>(l.width);
    std::vector<uchar> line(static_cast<std::size_t>(TIFFScanlineSize(t)));
    std::vector<uchar> cmyk(width * 4 * l.height, 0);
    const std::size_t step = static_cast<std::size_t>(l.samples) * (l.bits / 8);
    uint32_t rows = 0;
    for (; rows < l.height; ++rows) {
        if (TIFFReadScanline(t, line.data(), rows, 0) < 0) {
            break;
        }
        uchar* out = cmyk.data() + rows * width * 4;
        for (std::size_t x = 0; x < width; ++x) {
            for (std::size_t c = 0; c < 4; ++c) {
                // 16-bit samples in the machine's order: their high byte.
                const uchar* sample = line.data() + x * step + c * (l.bits / 8);
                uint16_t wide = 0;
                if (l.bits == 16) {
                    std::memcpy(&wide, sample, sizeof wide);
                }
                out[4 * x + c] = l.bits == 8 ? sample[0] : static_cast<uchar>(wide >> 8);
            }
        }
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
    return cmykToSrgb(CmykPixels{cmyk.data(), static_cast<int>(l.width), static_cast<int>(l.height),
                                 static_cast<qsizetype>(width * 4), false},
                      icc);
}

} // namespace lumetra::pictures
