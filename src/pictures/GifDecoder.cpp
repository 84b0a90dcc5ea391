#include "GifDecoder.h"

#include "PictureError.h"
#include "RowReducer.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace lumetra::pictures {

namespace {

struct Source {
    QByteArrayView data;
    qsizetype position = 0;
};

int readData(GifFileType* gif, GifByteType* out, int length) {
    auto* source = static_cast<Source*>(gif->UserData);
    const qsizetype count =
        std::clamp<qsizetype>(source->data.size() - source->position, 0, length);
    std::memcpy(out, source->data.data() + source->position, static_cast<std::size_t>(count));
    source->position += count;
    return static_cast<int>(count);
}

struct Closer {
    void operator()(GifFileType* gif) const {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};

const QString Damaged = QStringLiteral("file GIF danneggiato");

using Gif = std::unique_ptr<GifFileType, Closer>;

// Skips the data blocks of an extension or a picture; false when the file ends among them.
bool skipExtension(GifFileType* gif, GifByteType* block) {
    while (block) {
        if (DGifGetExtensionNext(gif, &block) != GIF_OK) {
            return false;
        }
    }
    return true;
}

// Skips the data blocks of a picture: how many there are whole, negative when the file ends
// among them (-1: not one whole).
int skipPicture(GifFileType* gif) {
    int codeSize = 0;
    GifByteType* block = nullptr;
    if (DGifGetCode(gif, &codeSize, &block) != GIF_OK) {
        return -1;
    }
    int blocks = 0;
    while (block) {
        ++blocks;
        if (DGifGetCodeNext(gif, &block) != GIF_OK) {
            return -blocks;
        }
    }
    return blocks;
}

} // namespace

QString gifDamage(QByteArrayView data) {
    Source source{data, 0};
    int error = 0;
    Gif gif(DGifOpen(&source, readData, &error));
    if (!gif) {
        refuse(Damaged);
    }
    int pictures = 0;
    for (;;) {
        GifRecordType record = UNDEFINED_RECORD_TYPE;
        bool read = DGifGetRecordType(gif.get(), &record) == GIF_OK;
        if (read && record == TERMINATE_RECORD_TYPE) {
            break;
        }
        if (read && record == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* block = nullptr;
            read = DGifGetExtension(gif.get(), &code, &block) == GIF_OK &&
                   skipExtension(gif.get(), block);
        } else if (read && record == IMAGE_DESC_RECORD_TYPE) {
            read = DGifGetImageDesc(gif.get()) == GIF_OK;
            const int blocks = read ? skipPicture(gif.get()) : -1;
            read = blocks >= 0;
            if (!read && pictures == 0 && blocks == -1) { // not one block of its data
                refuse(QStringLiteral("file GIF troncato: l'immagine manca"));
            }
            pictures += read ? 1 : 0;
        }
        if (!read && pictures > 0) {
            return QStringLiteral("file GIF troncato o danneggiato dopo la prima immagine");
        }
        if (!read) {
            // The first picture is cut: decoded at the least size, it tells whether the load
            // can draw any of its lines (refused when it cannot), and which it lacks.
            QString damage;
            decodeGif(data, QSize(1, 1), &damage);
            return damage.isEmpty()
                       ? QStringLiteral("file GIF troncato o danneggiato: l'immagine è incompleta")
                       : damage;
        }
    }
    if (pictures == 0) {
        refuse(QStringLiteral("file GIF senza immagini"));
    }
    return {};
}

QImage decodeGif(QByteArrayView data, QSize wanted, QString* damage, Background background) {
    Source source{data, 0};
    int error = 0;
    Gif gif(DGifOpen(&source, readData, &error));
    if (!gif || gif->SWidth <= 0 || gif->SHeight <= 0) {
        refuse(Damaged);
    }
    int transparent = -1;
    GifRecordType record = UNDEFINED_RECORD_TYPE;
    // Up to the first picture: its graphic control block tells the transparent colour.
    for (;;) {
        if (DGifGetRecordType(gif.get(), &record) != GIF_OK || record == TERMINATE_RECORD_TYPE) {
            refuse(Damaged);
        }
        if (record == IMAGE_DESC_RECORD_TYPE) {
            break;
        }
        if (record == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* block = nullptr;
            if (DGifGetExtension(gif.get(), &code, &block) != GIF_OK) {
                refuse(Damaged);
            }
            if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4 && (block[1] & 1)) {
                transparent = block[4];
            }
            if (!skipExtension(gif.get(), block)) {
                refuse(Damaged);
            }
        }
    }
    if (DGifGetImageDesc(gif.get()) != GIF_OK) {
        refuse(Damaged);
    }
    const GifImageDesc frame = gif->Image;
    const ColorMapObject* map = frame.ColorMap ? frame.ColorMap : gif->SColorMap;
    const QSize screen(gif->SWidth, gif->SHeight);
    const int left = std::clamp(frame.Left, 0, screen.width());
    const int right = std::clamp(frame.Left + frame.Width, left, screen.width());
    if (!map || frame.Width <= 0 || frame.Height <= 0) {
        refuse(Damaged);
    }
    std::vector<std::uint32_t> palette(256, 0xffffffffu);
    for (int i = 0; i < std::min(map->ColorCount, 256); ++i) {
        const GifColorType c = map->Colors[i];
        palette[static_cast<std::size_t>(i)] =
            0xff000000u | unsigned(c.Red) << 16 | unsigned(c.Green) << 8 | unsigned(c.Blue);
    }
    // What is transparent or left uncovered: white, or no colour at all.
    const std::uint32_t clear = background == Background::White ? 0xffffffffu : 0u;
    if (transparent >= 0) {
        palette[static_cast<std::size_t>(transparent)] = clear;
    }
    RowReducer reducer(screen, wanted.boundedTo(screen).expandedTo(QSize(1, 1)));
    std::vector<std::uint32_t> uncovered(static_cast<std::size_t>(screen.width()), clear);
    std::vector<std::uint32_t> line = uncovered;
    std::vector<GifPixelType> indices(static_cast<std::size_t>(frame.Width));
    const auto addUncovered = [&](int from, int to) {
        for (int y = std::max(from, 0); y < std::min(to, screen.height()); ++y) {
            reducer.add(y, reinterpret_cast<const std::uint8_t*>(uncovered.data()));
        }
    };
    addUncovered(0, frame.Top);
    // Interlaced lines come in four passes; the last holds the odd lines.
    const bool interlaced = frame.Interlace && frame.Height >= 2;
    const int passes[][2] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};
    int read = 0;
    bool complete = true;
    for (int pass = interlaced ? 0 : 3; pass < 4 && complete; ++pass) {
        const int start = interlaced ? passes[pass][0] : 0;
        const int step = interlaced ? passes[pass][1] : 1;
        for (int y = start; y < frame.Height; y += step) {
            if (DGifGetLine(gif.get(), indices.data(), frame.Width) != GIF_OK) {
                complete = false;
                break;
            }
            if (pass < 3) {
                continue;
            }
            for (int x = left; x < right; ++x) {
                line[static_cast<std::size_t>(x)] =
                    palette[indices[static_cast<std::size_t>(x - frame.Left)]];
            }
            reducer.add(frame.Top + y, reinterpret_cast<const std::uint8_t*>(line.data()));
            ++read;
        }
    }
    if (read == 0) {
        refuse(Damaged);
    }
    if (complete) {
        addUncovered(frame.Top + frame.Height, screen.height());
    } else if (damage && !interlaced) {
        *damage = QStringLiteral("file GIF danneggiato o troncato: mancano le righe da %1 in poi")
                      .arg(frame.Top + read + 1);
    } else if (damage) {
        *damage = QStringLiteral("file GIF danneggiato o troncato: l'immagine è incompleta");
    }
    const std::vector<std::uint8_t>& pixels = reducer.finish({128, 128, 128, 255});
    const QSize size = reducer.target();
    QImage image(size, background == Background::White ? QImage::Format_RGB32
                                                       : QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        refuse(QStringLiteral("memoria insufficiente per decodificare l'immagine"));
    }
    for (int y = 0; y < size.height(); ++y) {
        std::memcpy(image.scanLine(y),
                    pixels.data() + static_cast<std::size_t>(y) * size.width() * 4,
                    static_cast<std::size_t>(size.width()) * 4);
    }
    return image;
}

} // namespace lumetra::pictures
