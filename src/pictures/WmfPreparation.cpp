// The records are walked once, as Windows would play them, keeping only what the mapping and the
// palette need: the object table (to know which palette SELECTPALETTE picks) and the palette
// selected. A metafile is rewritten only when something must change.
#include "WmfPreparation.h"

#include <QRgb>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace lumetra::pictures {

namespace {

constexpr quint32 PlaceableKey = 0x9AC6CDD7u;
constexpr qsizetype PlaceableHeaderBytes = 22, StandardHeaderBytes = 18;

enum Function : quint16 {
    EndOfFile = 0x0000,
    SetMapMode = 0x0103,
    SetBkColor = 0x0201,
    SetTextColor = 0x0209,
    SetWindowOrg = 0x020B,
    SetWindowExt = 0x020C,
    SetViewportOrg = 0x020D,
    SetViewportExt = 0x020E,
    OffsetViewportOrg = 0x0211,
    ScaleViewportExt = 0x0412,
    SelectPalette = 0x0234,
    DeleteObject = 0x01F0,
    CreatePalette = 0x00F7,
    CreatePen = 0x02FA,
    CreateBrush = 0x02FC,
    CreateFont = 0x02FB,
    CreatePatternBrush = 0x01F9,
    DibCreatePatternBrush = 0x0142,
    CreateRegion = 0x06FF,
    StretchDib = 0x0F43,
};
constexpr quint16 Isotropic = 7, Anisotropic = 8;
constexpr quint16 PaletteColours = 1; // a DIB's colour table holds indices into the palette
constexpr quint8 PaletteIndexFlag = 0x01;
constexpr qsizetype MaxObjects = 0xFFFF;

using Palette = std::vector<QRgb>;

// The colours of the palette every device context starts with.
const Palette DefaultPalette = {
    qRgb(0, 0, 0),       qRgb(128, 0, 0),     qRgb(0, 128, 0),     qRgb(128, 128, 0),
    qRgb(0, 0, 128),     qRgb(128, 0, 128),   qRgb(0, 128, 128),   qRgb(192, 192, 192),
    qRgb(192, 220, 192), qRgb(166, 202, 240), qRgb(255, 251, 240), qRgb(160, 160, 164),
    qRgb(128, 128, 128), qRgb(255, 0, 0),     qRgb(0, 255, 0),     qRgb(255, 255, 0),
    qRgb(0, 0, 255),     qRgb(255, 0, 255),   qRgb(0, 255, 255),   qRgb(255, 255, 255)};

qint16 s16(const QByteArray& b, qsizetype at) {
    if (at + 2 > b.size()) {
        return 0;
    }
    return qFromLittleEndian<qint16>(b.constData() + at);
}
quint16 u16(const QByteArray& b, qsizetype at) {
    return quint16(s16(b, at));
}
quint32 u32(const QByteArray& b, qsizetype at) {
    return u16(b, at) | quint32(u16(b, at + 2)) << 16;
}

struct Record {
    quint16 function;
    QByteArray params;
};

class Preparer {
public:
    // Reads the records (`bytes` holds the whole metafile, `first` where its records start).
    Preparer(const QByteArray& bytes, qsizetype first) {
        qsizetype at = first;
        while (at + 6 <= bytes.size()) {
            const quint32 words = qFromLittleEndian<quint32>(bytes.constData() + at);
            if (words < 3 || words > quint32((bytes.size() - at) / 2)) {
                break;
            }
            Record record{qFromLittleEndian<quint16>(bytes.constData() + at + 4),
                          bytes.mid(at + 6, qsizetype(words) * 2 - 6)};
            at += qsizetype(words) * 2;
            play(record);
            records_.push_back(std::move(record));
            if (records_.back().function == EndOfFile) {
                break;
            }
        }
        tail_ = bytes.mid(at);
    }

    // The window is mapped onto libwmf's viewport when the metafile sets one and leaves the
    // viewport and the mapping mode to the player, as a metafile drawn into a frame does.
    bool mapsWindow() const {
        return windowWidth_ != 0 && windowHeight_ != 0 && !ownViewport_ && !fixedMapping_;
    }
    QSizeF windowSize() const { return QSizeF(std::abs(windowWidth_), std::abs(windowHeight_)); }
    QRectF viewport() const {
        return QRectF(QPointF(0, 0),
                      QPointF(windowWidth_ < 0 ? -WmfViewportSide : WmfViewportSide,
                              windowHeight_ < 0 ? -WmfViewportSide : WmfViewportSide))
            .normalized();
    }
    QPointF windowOrigin() const { return windowOrigin_; }
    bool mapsOnlyByHeader() const { return windowWidth_ == 0 && !ownViewport_ && !fixedMapping_; }
    bool changed() const { return changed_; }

    // The records after `header`, a SETMAPMODE first when `anisotropic`, the header's length and
    // largest record updated.
    QByteArray written(QByteArrayView header, bool anisotropic) const {
        std::vector<Record> records;
        if (anisotropic) {
            QByteArray mode(2, '\0');
            qToLittleEndian<quint16>(Anisotropic, mode.data());
            records.push_back({SetMapMode, mode});
        }
        records.insert(records.end(), records_.begin(), records_.end());
        QByteArray out = header.toByteArray();
        quint32 largest = 0;
        for (const Record& record : records) {
            const auto words = quint32(3 + (record.params.size() + 1) / 2);
            largest = std::max(largest, words);
            QByteArray head(6, '\0');
            qToLittleEndian<quint32>(words, head.data());
            qToLittleEndian<quint16>(record.function, head.data() + 4);
            out += head + record.params;
            if (record.params.size() % 2) {
                out += '\0';
            }
        }
        out += tail_;
        const qsizetype standard = header.size() - StandardHeaderBytes;
        qToLittleEndian<quint32>(quint32((out.size() - standard) / 2), out.data() + standard + 6);
        qToLittleEndian<quint32>(largest, out.data() + standard + 12);
        return out;
    }

private:
    struct Slot {
        bool used = false;
        Palette palette;
    };
    std::vector<Record> records_;
    QByteArray tail_;
    std::vector<Slot> objects_;
    Palette palette_ = DefaultPalette;
    qint16 windowWidth_ = 0, windowHeight_ = 0;
    QPointF windowOrigin_;
    bool ownViewport_ = false, fixedMapping_ = false, changed_ = false;

    void play(Record& record) {
        QByteArray& p = record.params;
        switch (record.function) {
        case SetMapMode:
            fixedMapping_ |= u16(p, 0) != Isotropic && u16(p, 0) != Anisotropic;
            break;
        case SetWindowExt: // height, then width
            if (windowWidth_ == 0 && windowHeight_ == 0) {
                windowHeight_ = s16(p, 0);
                windowWidth_ = s16(p, 2);
            }
            break;
        case SetWindowOrg:
            if (windowWidth_ == 0 && windowHeight_ == 0) {
                windowOrigin_ = QPointF(s16(p, 2), s16(p, 0));
            }
            break;
        case SetViewportOrg:
        case SetViewportExt:
        case OffsetViewportOrg:
        case ScaleViewportExt:
            ownViewport_ = true;
            break;
        case CreatePalette:
            create(paletteOf(p));
            break;
        case CreatePen:
            resolveColour(p, 6);
            create({});
            break;
        case CreateBrush:
            resolveColour(p, 2);
            create({});
            break;
        case DibCreatePatternBrush:
            resolveBitmap(p, 2, 4);
            create({});
            break;
        case CreateFont:
        case CreatePatternBrush:
        case CreateRegion:
            create({});
            break;
        case DeleteObject:
            if (u16(p, 0) < objects_.size()) {
                objects_[u16(p, 0)] = Slot{};
            }
            break;
        case SelectPalette:
            if (u16(p, 0) < objects_.size() && !objects_[u16(p, 0)].palette.empty()) {
                palette_ = objects_[u16(p, 0)].palette;
            }
            break;
        case SetBkColor:
        case SetTextColor:
            resolveColour(p, 0);
            break;
        case StretchDib:
            resolveBitmap(p, 4, 22);
            break;
        default:
            break;
        }
    }

    // The new object takes the lowest free slot of the object table.
    void create(Palette palette) {
        auto free = std::find_if(objects_.begin(), objects_.end(),
                                 [](const Slot& slot) { return !slot.used; });
        if (free == objects_.end()) {
            if (qsizetype(objects_.size()) >= MaxObjects) {
                return;
            }
            free = objects_.insert(objects_.end(), Slot{});
        }
        *free = Slot{true, std::move(palette)};
    }

    static Palette paletteOf(const QByteArray& p) {
        // Start (0x0300), the number of entries, then red, green, blue and flags of each.
        const qsizetype count = std::min<qsizetype>(u16(p, 2), (p.size() - 4) / 4);
        Palette palette;
        for (qsizetype i = 0; i < count; ++i) {
            const auto* entry = reinterpret_cast<const uchar*>(p.constData() + 4 + 4 * i);
            palette.push_back(qRgb(entry[0], entry[1], entry[2]));
        }
        return palette;
    }

    QRgb entry(quint16 index) const {
        return index < palette_.size() ? palette_[index] : qRgb(0, 0, 0);
    }

    // A COLORREF at `at` that names a palette entry is written as that entry's colour.
    void resolveColour(QByteArray& p, qsizetype at) {
        if (at + 4 > p.size() || quint8(p[at + 3]) != PaletteIndexFlag) {
            return;
        }
        const QRgb colour = entry(u16(p, at));
        p[at] = char(qRed(colour));
        p[at + 1] = char(qGreen(colour));
        p[at + 2] = char(qBlue(colour));
        p[at + 3] = '\0';
        changed_ = true;
    }

    // A DIB at `dib` whose colour table holds palette indices (its colour use at `usage`) is
    // given the table of the colours they name.
    void resolveBitmap(QByteArray& p, qsizetype usage, qsizetype dib) {
        if (usage + 2 > p.size() || u16(p, usage) != PaletteColours || dib + 40 > p.size()) {
            return;
        }
        const quint32 headerBytes = u32(p, dib);
        const quint16 bitCount = u16(p, dib + 14);
        const quint32 used = u32(p, dib + 32);
        if (headerBytes < 40 || headerBytes > 124 || bitCount > 8) {
            return;
        }
        const qsizetype count = used > 0 && used < (1u << bitCount) ? used : 1u << bitCount;
        const qsizetype table = dib + headerBytes;
        if (table + 2 * count > p.size()) {
            return;
        }
        QByteArray colours(4 * count, '\0');
        for (qsizetype i = 0; i < count; ++i) {
            const QRgb colour = entry(u16(p, table + 2 * i));
            colours[4 * i] = char(qBlue(colour));
            colours[4 * i + 1] = char(qGreen(colour));
            colours[4 * i + 2] = char(qRed(colour));
        }
        p = p.left(table) + colours + p.mid(table + 2 * count);
        qToLittleEndian<quint16>(0, p.data() + usage);
        changed_ = true;
    }
};

} // namespace

PreparedWmf prepareWmf(QByteArrayView wmf) {
    const QByteArray bytes = wmf.toByteArray();
    const bool placeable =
        bytes.size() >= 4 && qFromLittleEndian<quint32>(bytes.constData()) == PlaceableKey;
    const qsizetype first = (placeable ? PlaceableHeaderBytes : 0) + StandardHeaderBytes;
    if (bytes.size() < first || u16(bytes, first - StandardHeaderBytes + 2) != 9) {
        return {bytes, {}, {}};
    }
    const Preparer preparer(bytes, first);
    PreparedWmf prepared{bytes, {}, {}};
    if (preparer.mapsWindow()) {
        prepared.frame = preparer.viewport();
        // libwmf's guess for a metafile without a placeable header: small drawings in points,
        // larger ones in twips.
        const QSizeF window = preparer.windowSize();
        const double unitsPerInch = window.width() * window.height() < 1024.0 * 1024.0 ? 72 : 1440;
        prepared.size = placeable ? QSizeF() : window * (72.0 / unitsPerInch);
    } else if (placeable && preparer.mapsOnlyByHeader() && u16(bytes, 14) > 0) {
        // libwmf plays it in inches of the header's units, from the window's origin.
        const double scale = 72.0 / u16(bytes, 14);
        const QPointF origin = preparer.windowOrigin();
        prepared.frame =
            QRectF(QPointF(s16(bytes, 6) - origin.x(), s16(bytes, 8) - origin.y()) * scale,
                   QPointF(s16(bytes, 10) - origin.x(), s16(bytes, 12) - origin.y()) * scale)
                .normalized();
    }
    if (preparer.mapsWindow() || preparer.changed()) {
        prepared.bytes =
            preparer.written(QByteArrayView(bytes).first(first), preparer.mapsWindow());
    }
    return prepared;
}

} // namespace lumetra::pictures
