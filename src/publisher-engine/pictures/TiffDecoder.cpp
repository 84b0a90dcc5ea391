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

// Averages the rows of a picture, as they come, into a smaller one: each target pixel is the
// mean of the source pixels that fall on it.
class RowReducer {
public:
    RowReducer(QSize source, QSize target)
        : source_(source), target_(target), sums_(static_cast<std::size_t>(target.width()) * 4, 0),
          counts_(static_cast<std::size_t>(target.width()), 0),
          out_(static_cast<std::size_t>(target.width()) * 4 * target.height(), 0) {}

    void add(int y, const uchar* cmyk) {
        const int row = static_cast<int>(qint64(y) * target_.height() / source_.height());
        if (row != row_) {
            flush();
            row_ = row;
        }
        for (int x = 0; x < source_.width(); ++x) {
            const auto t = static_cast<std::size_t>(qint64(x) * target_.width() / source_.width());
            for (std::size_t c = 0; c < 4; ++c) {
                sums_[4 * t + c] += cmyk[4 * x + c];
            }
            ++counts_[t];
        }
    }
    std::vector<uchar>& finish() {
        flush();
        return out_;
    }

private:
    void flush() {
        if (row_ < 0) {
            return;
        }
        uchar* out = out_.data() + static_cast<std::size_t>(row_) * target_.width() * 4;
        for (std::size_t t = 0; t < counts_.size(); ++t) {
            for (std::size_t c = 0; c < 4; ++c) {
                out[4 * t + c] =
                    counts_[t]
                        ? static_cast<uchar>((sums_[4 * t + c] + counts_[t] / 2) / counts_[t])
                        : 0;
            }
        }
        std::fill(sums_.begin(), sums_.end(), 0);
        std::fill(counts_.begin(), counts_.end(), 0);
    }

    QSize source_, target_;
    std::vector<std::uint32_t> sums_, counts_;
    std::vector<uchar> out_;
    int row_ = -1;
};

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
    const std::vector<uchar>& reduced = reducer.finish();
    return cmykToSrgb(CmykPixels{reduced.data(), target.width(), target.height(),
                                 static_cast<qsizetype>(target.width()) * 4, false},
                      icc);
}

} // namespace lumetra::pictures
