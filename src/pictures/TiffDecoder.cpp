#include "TiffDecoder.h"

#include "ColourConversion.h"
#include "PictureError.h"
#include "PictureImport.h"
#include "RowReducer.h"

#include <tiffio.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>
#include <memory>
#include <optional>
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
    TIFFOpenOptionsSetMaxSingleMemAlloc(options, tmsize_t{1024} * 1024 * 1024);
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

// What the RGBA reader reads at a time: a strip (the picture's width) or a tile.
struct Band {
    uint32_t width = 0, height = 0;
};

Band bandOf(TIFF* tiff, const Layout& l) {
    Band band;
    if (TIFFIsTiled(tiff)) {
        TIFFGetField(tiff, TIFFTAG_TILEWIDTH, &band.width);
        TIFFGetField(tiff, TIFFTAG_TILELENGTH, &band.height);
        return band;
    }
    band.width = l.width;
    band.height = l.height;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_ROWSPERSTRIP, &band.height);
    band.height = std::min(band.height, l.height);
    return band;
}

// Where a strip or tile cannot be read the picture is grey.
constexpr uint32_t Grey = 0xff808080u;

// A row as libtiff gives it (each pixel A, B, G, R from the high byte) as B, G, R, X bytes laid
// over white.
void toBgrOverWhite(const uint32_t* in, std::size_t width, uchar* out) {
    for (std::size_t x = 0; x < width; ++x) {
        const uint32_t p = in[x];
        const unsigned a = TIFFGetA(p);
        const auto over = [a](unsigned c) {
            return static_cast<uchar>((c * a + 255 * (255 - a) + 127) / 255);
        };
        out[4 * x] = over(TIFFGetB(p));
        out[4 * x + 1] = over(TIFFGetG(p));
        out[4 * x + 2] = over(TIFFGetR(p));
        out[4 * x + 3] = 255;
    }
}

QImage toImage(RowReducer& reducer, std::array<uchar, 4> tail) {
    const std::vector<uchar>& pixels = reducer.finish(tail);
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

// What a decoding that lost `lost` rows from `firstLost` on, or met `errors`, says: nothing
// readable is refused; otherwise the damage is described.
void tellLostRows(uint32_t lost, uint32_t firstLost, uint32_t height, int errors, QString* damage) {
    if (lost == height) {
        refuse(QStringLiteral("file TIFF danneggiato: nessuna parte dell'immagine è leggibile"));
    }
    if (damage && lost > 0) {
        *damage = QStringLiteral("file TIFF danneggiato: %1 righe su %2 illeggibili, dalla %3")
                      .arg(lost)
                      .arg(height)
                      .arg(firstLost + 1);
    } else if (damage && errors > 0) {
        *damage = QStringLiteral("file TIFF danneggiato");
    }
}

// The first strip (or tile) of the first picture not wholly in the file, or that holds far
// fewer bytes than its rows take decoded: a header promising 12000 x 12000 pixels over a few
// hundred bytes. The ratios are above what each compression reaches on a flat picture;
// compressions not listed here are not judged.
uint32_t firstMissingStrip(TIFF* tiff, uint64_t fileSize) {
    uint16_t compression = COMPRESSION_NONE;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_COMPRESSION, &compression);
    const uint64_t ratio =
        compression == COMPRESSION_NONE                                                  ? 1
        : compression == COMPRESSION_PACKBITS                                            ? 130
        : compression == COMPRESSION_ADOBE_DEFLATE || compression == COMPRESSION_DEFLATE ? 1100
        : compression == COMPRESSION_LZW || compression == COMPRESSION_JPEG              ? 4000
                                                                                         : 0;
    const bool tiled = TIFFIsTiled(tiff);
    const Layout l = layoutOf(tiff);
    uint32_t rowsPerStrip = l.height;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_ROWSPERSTRIP, &rowsPerStrip);
    rowsPerStrip = std::clamp<uint32_t>(rowsPerStrip, 1, std::max<uint32_t>(l.height, 1));
    const uint32_t stripsPerPlane = (l.height + rowsPerStrip - 1) / rowsPerStrip;
    const uint32_t count = TIFFNumberOfStrips(tiff);
    for (uint32_t i = 0; i < count; ++i) {
        int error = 0;
        const uint64_t offset = TIFFGetStrileOffsetWithErr(tiff, i, &error);
        const uint64_t length = error ? 0 : TIFFGetStrileByteCountWithErr(tiff, i, &error);
        if (error || length == 0 || offset > fileSize || length > fileSize - offset) {
            return i;
        }
        const uint32_t top = stripsPerPlane ? (i % stripsPerPlane) * rowsPerStrip : 0;
        const uint64_t decoded =
            tiled ? TIFFTileSize64(tiff)
                  : TIFFVStripSize64(tiff, std::min(rowsPerStrip, l.height - top));
        if (ratio > 0 && length * ratio < decoded) {
            return i;
        }
    }
    return count;
}

// Whether every directory of the file, and every value its entries point to, lies inside the
// file (a file cut short loses its last directory, or the profile or the tables stored after it,
// which libtiff then leaves out with no more than a warning).
bool directoriesInside(QByteArrayView b) {
    const bool little = b.startsWith("II");
    const auto number = [&](qsizetype at, int bytes) -> std::optional<uint64_t> {
        if (at < 0 || at > b.size() - bytes) {
            return std::nullopt;
        }
        uint64_t value = 0;
        for (int i = 0; i < bytes; ++i) {
            const int shift = little ? 8 * i : 8 * (bytes - 1 - i);
            value |= uint64_t(quint8(b[at + i])) << shift;
        }
        return value;
    };
    const bool bigTiff = number(2, 2) == 43u;
    const int offsetBytes = bigTiff ? 8 : 4;
    const int entryBytes = bigTiff ? 20 : 12;
    std::optional<uint64_t> directory = number(bigTiff ? 8 : 4, offsetBytes);
    static constexpr int TypeBytes[] = {0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8, 4, 0, 0, 8, 8, 8};
    for (int pages = 0; directory && *directory != 0 && pages < 4096; ++pages) {
        const auto at = static_cast<qsizetype>(std::min<uint64_t>(*directory, INT64_MAX / 2));
        const std::optional<uint64_t> entries = number(at, bigTiff ? 8 : 2);
        const qsizetype first = at + (bigTiff ? 8 : 2);
        if (!entries || *entries > uint64_t(b.size()) / entryBytes) {
            return false;
        }
        for (uint64_t e = 0; e < *entries; ++e) {
            const qsizetype entry = first + qsizetype(e) * entryBytes;
            const std::optional<uint64_t> type = number(entry + 2, 2);
            const std::optional<uint64_t> count = number(entry + 4, offsetBytes);
            if (!type || !count) {
                return false;
            }
            const uint64_t size = *type < std::size(TypeBytes) ? TypeBytes[*type] : 0;
            if (size > 0 && *count > uint64_t(offsetBytes) / size) {
                const std::optional<uint64_t> where = number(entry + 4 + offsetBytes, offsetBytes);
                if (!where || *count > uint64_t(b.size()) / size ||
                    *where > uint64_t(b.size()) - *count * size) {
                    return false;
                }
            }
        }
        directory = number(first + qsizetype(*entries) * entryBytes, offsetBytes);
        if (!directory) {
            return false;
        }
    }
    return true;
}

// The largest single strip or tile the probe decodes (see tiffDamage).
constexpr uint64_t SmallPiece = 16ull * 1024 * 1024;

// Whether the first strip or tile decodes without a complaint (one too large to try here is
// left to the load).
bool firstPieceDecodes(OpenTiff& open) {
    TIFF* t = open.tiff.get();
    const bool tiled = TIFFIsTiled(t);
    const tmsize_t size = tiled ? TIFFTileSize(t) : TIFFStripSize(t);
    if (size <= 0 || size > MaxWorkBytes) {
        return size > 0;
    }
    std::vector<uchar> piece(static_cast<std::size_t>(size));
    const int errors = open.errors;
    const tmsize_t read = tiled ? TIFFReadEncodedTile(t, 0, piece.data(), size)
                                : TIFFReadEncodedStrip(t, 0, piece.data(), size);
    return read > 0 && open.errors == errors;
}

} // namespace

QString tiffDamage(QByteArrayView data) {
    const auto tiff = open(data);
    if (!tiff) {
        refuse(QStringLiteral("file TIFF danneggiato"));
    }
    TIFF* t = tiff->tiff.get();
    const uint32_t missing = firstMissingStrip(t, static_cast<uint64_t>(data.size()));
    const uint32_t pieces = TIFFNumberOfStrips(t);
    if (missing == 0) {
        refuse(QStringLiteral("file TIFF troncato o danneggiato: i dati dell'immagine mancano"));
    }
    // A header promising far more than the data holds (12000 x 12000 pixels over a few
    // hundred bytes) is no picture worth drawing in grey.
    if (qint64(missing) * 100 < pieces) {
        refuse(QStringLiteral("file TIFF danneggiato: i dati contengono meno di un centesimo "
                              "dell'immagine"));
    }
    if (missing < pieces) {
        if (TIFFIsTiled(t)) {
            return QStringLiteral("file TIFF troncato: mancano parti dell'immagine");
        }
        uint32_t rowsPerStrip = layoutOf(t).height;
        TIFFGetFieldDefaulted(t, TIFFTAG_ROWSPERSTRIP, &rowsPerStrip);
        return QStringLiteral("file TIFF troncato: mancano le righe da %1 in poi")
            .arg(qint64(missing) * rowsPerStrip + 1);
    }
    if (tiff->errors > 0 || !directoriesInside(data)) {
        // What is lost may be what decoding needs (the JPEG tables): the first piece tells.
        if (!firstPieceDecodes(*tiff)) {
            refuse(
                QStringLiteral("file TIFF troncato o danneggiato: l'immagine non si può leggere"));
        }
        return QStringLiteral(
            "file TIFF troncato o danneggiato: parte delle sue informazioni manca");
    }
    // A picture held in one small strip or tile is decoded here: if it fails, the load could
    // draw nothing at all.
    if (pieces == 1 && (TIFFIsTiled(t) ? TIFFTileSize64(t) : TIFFStripSize64(t)) <= SmallPiece &&
        !firstPieceDecodes(*tiff)) {
        refuse(QStringLiteral("file TIFF danneggiato: l'immagine non si può leggere"));
    }
    return {};
}

qint64 tiffRgbaBytes(QByteArrayView data) {
    const auto tiff = open(data);
    if (!tiff) {
        return -1;
    }
    TIFF* t = tiff->tiff.get();
    uint16_t orientation = ORIENTATION_TOPLEFT;
    TIFFGetFieldDefaulted(t, TIFFTAG_ORIENTATION, &orientation);
    const Layout l = layoutOf(t);
    char message[1024] = {};
    if (orientation != ORIENTATION_TOPLEFT || l.width == 0 || l.height == 0 ||
        !TIFFRGBAImageOK(t, message)) {
        return -1;
    }
    const Band band = bandOf(t, l);
    if (band.width == 0 || band.height == 0) {
        return -1;
    }
    // The band of pixels on the way, and one strip or tile as libtiff gives it.
    return 4 * (qint64(l.width) * band.height + qint64(band.width) * band.height);
}

QImage decodeTiffRgba(QByteArrayView data, QSize wanted, QString* damage, QByteArray* icc) {
    const auto tiff = open(data);
    if (!tiff) {
        refuse(QStringLiteral("file TIFF danneggiato"));
    }
    TIFF* t = tiff->tiff.get();
    const Layout l = layoutOf(t);
    const Band band = bandOf(t, l);
    if (band.width == 0 || band.height == 0) {
        refuse(QStringLiteral("file TIFF danneggiato"));
    }
    const QSize source(static_cast<int>(l.width), static_cast<int>(l.height));
    RowReducer reducer(source, wanted.boundedTo(source).expandedTo(QSize(1, 1)));
    const auto width = static_cast<std::size_t>(l.width);
    std::vector<uint32_t> piece(std::size_t(band.width) * band.height);
    std::vector<uint32_t> rows(width * band.height);
    std::vector<uchar> line(width * 4);
    uint32_t lost = 0, firstLost = 0;
    for (uint32_t top = 0; top < l.height; top += band.height) {
        const uint32_t count = std::min(band.height, l.height - top);
        std::fill(rows.begin(), rows.end(), Grey);
        bool whole = true;
        for (uint32_t left = 0; left < l.width; left += band.width) {
            // Each piece comes bottom row first: a tile always at its full height, a strip at
            // the rows it holds.
            const int errors = tiff->errors;
            const bool read = TIFFIsTiled(t) ? TIFFReadRGBATileExt(t, left, top, piece.data(), 1)
                                             : TIFFReadRGBAStripExt(t, top, piece.data(), 1);
            if (!read || tiff->errors > errors) {
                whole = false;
                continue;
            }
            const uint32_t height = TIFFIsTiled(t) ? band.height : count;
            const uint32_t columns = std::min(band.width, l.width - left);
            for (uint32_t r = 0; r < count; ++r) {
                std::copy_n(piece.data() + std::size_t(height - 1 - r) * band.width, columns,
                            rows.data() + std::size_t(r) * width + left);
            }
        }
        if (!whole) {
            firstLost = lost == 0 ? top : firstLost;
            lost += count;
        }
        for (uint32_t r = 0; r < count; ++r) {
            toBgrOverWhite(rows.data() + std::size_t(r) * width, width, line.data());
            reducer.add(static_cast<int>(top + r), line.data());
        }
    }
    tellLostRows(lost, firstLost, l.height, tiff->errors, damage);
    uint32_t iccLength = 0;
    void* iccData = nullptr;
    if (icc && TIFFGetField(t, TIFFTAG_ICCPROFILE, &iccLength, &iccData) && iccData) {
        *icc = QByteArray(static_cast<const char*>(iccData), iccLength);
    }
    return toImage(reducer, {128, 128, 128, 255});
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
    const std::size_t bytes = l.bits / 8;
    const std::size_t step = static_cast<std::size_t>(l.samples) * bytes;
    std::vector<uchar> line(static_cast<std::size_t>(std::max<tmsize_t>(TIFFScanlineSize(t), 0)));
    if (line.size() < width * step) {
        refuse(QStringLiteral("file TIFF CMYK danneggiato"));
    }
    std::vector<uchar> cmykLine(width * 4);
    RowReducer reducer(source, target);
    const uint32_t rowsPerStrip = bandOf(t, l).height;
    uint32_t lost = 0, firstLost = 0;
    for (uint32_t row = 0; row < l.height; ++row) {
        if (TIFFReadScanline(t, line.data(), row, 0) < 0) {
            // The rest of the strip is skipped: its rows cannot be reached either.
            const uint32_t next = std::min(l.height, (row / std::max(rowsPerStrip, 1u) + 1) *
                                                         std::max(rowsPerStrip, 1u));
            firstLost = lost == 0 ? row : firstLost;
            lost += next - row;
            row = next - 1;
            continue;
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
        reducer.add(static_cast<int>(row), cmykLine.data());
    }
    tellLostRows(lost, firstLost, l.height, tiff->errors, damage);
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
