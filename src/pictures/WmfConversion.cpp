// WMF to SVG through libwmf's SVG device; its error and debug reports are switched off.
// The metafile is first made ready (WmfPreparation.h); the SVG device draws bitmaps with its own
// code below, thin pens as hairlines, and its text is turned from the metafile's code page to
// UTF-8.
#include "MetafileConversion.h"

#include "PictureError.h"
#include "WmfPreparation.h"

#include <QString>
#include <QtEndian>

#include <libwmf/api.h>
#include <libwmf/ipa.h>
#include <libwmf/svg.h>

#include <algorithm>
#include <cmath>
#include <mutex>

namespace lumetra::pictures {

namespace {

std::mutex wmfMutex;

[[noreturn]] void damaged() {
    refuse(QStringLiteral("file WMF danneggiato o incompleto"));
}

// libwmf allocates a buffer for the largest record the header announces before reading any:
// no record can be longer than the file, so a larger announcement is cut to the file's length.
void limitLargestRecord(QByteArray& wmf) {
    // The standard header follows the 22 bytes of a placeable metafile's own; the largest
    // record, in 16-bit words, is its fourth field.
    const qsizetype header =
        wmf.size() >= 4 && qFromLittleEndian<quint32>(wmf.constData()) == 0x9AC6CDD7u ? 22 : 0;
    const qsizetype field = header + 12;
    if (wmf.size() < field + 4) {
        return;
    }
    const auto words = quint32(std::min<qsizetype>((wmf.size() - header) / 2, 0x7FFFFFFF));
    if (qFromLittleEndian<quint32>(wmf.constData() + field) > words) {
        qToLittleEndian(words, wmf.data() + field);
    }
}

// libwmf writes the text of the metafile's records into the SVG as their bytes, in the code page
// of Windows ("à" is 0xE0): as XML without a declared encoding is UTF-8, those bytes are turned
// to UTF-8 (everything else libwmf writes is ASCII).
QByteArray windows1252ToUtf8(const QByteArray& svg) {
    // 0x80 to 0x9F, where Windows-1252 differs from Latin-1 (0: unassigned, kept as Latin-1).
    static constexpr char16_t Differing[32] = {
        0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    QString text(svg.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < svg.size(); ++i) {
        const auto byte = quint8(svg[i]);
        const char16_t differing = byte >= 0x80 && byte < 0xA0 ? Differing[byte - 0x80] : 0;
        text[i] = QChar(differing ? differing : char16_t(byte));
    }
    return text.toUtf8();
}

// libwmf's SVG device writes a bitmap's place twice (its x and y, then a transform that moves it
// again) and its size scaled twice: this writes the bitmap where the record puts it.
void drawBitmap(wmfAPI* api, wmfBMP_Draw_t* bitmap) {
    wmf_svg_t* device = WMF_SVG_GetData(api);
    const wmfD_Rect& box = device->bbox;
    if (!device->out || !bitmap->bmp.data || box.BR.x <= box.TL.x || box.BR.y <= box.TL.y) {
        return;
    }
    const double toX = device->width / (double(box.BR.x) - box.TL.x);
    const double toY = device->height / (double(box.BR.y) - box.TL.y);
    const double width = bitmap->pixel_width * bitmap->crop.w * toX;
    const double height = bitmap->pixel_height * bitmap->crop.h * toY;
    // The record's corner is the one of least logical coordinates: on a device whose axes run
    // the other way, the bitmap extends back from it.
    double x = (bitmap->pt.x - box.TL.x) * toX, y = (bitmap->pt.y - box.TL.y) * toY;
    x -= bitmap->dc && bitmap->dc->pixel_width < 0 ? width : 0;
    y -= bitmap->dc && bitmap->dc->pixel_height < 0 ? height : 0;
    // Written whole: libwmf's own printf reuses its arguments when it grows its buffer.
    QByteArray element = QStringLiteral("<image x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" "
                                        "preserveAspectRatio=\"none\" "
                                        "xlink:href=\"data:image/png;base64,")
                             .arg(x)
                             .arg(y)
                             .arg(width)
                             .arg(height)
                             .toLatin1();
    device->out->sputs(element.data(), device->out->context);
    wmf_ipa_bmp_b64(api, bitmap, device->out);
    char end[] = "\"/>\n";
    device->out->sputs(end, device->out->context);
}

void svgDevice(wmfAPI* api) {
    wmf_svg_function(api);
    static_cast<wmfFunctionReference*>(api->function_reference)->bmp_draw = drawBitmap;
}

// Windows draws a pen thinner than a pixel one pixel wide: a stroke thinner than this, in the
// drawing's points, is drawn as a hairline.
constexpr double HairlinePoints = 0.25;

QByteArray withHairlines(const QByteArray& svg) {
    static const QByteArray Width = "stroke-width:";
    QByteArray out;
    out.reserve(svg.size());
    qsizetype from = 0;
    for (qsizetype at = svg.indexOf(Width); at >= 0; at = svg.indexOf(Width, from)) {
        const qsizetype value = at + Width.size();
        const qsizetype end = svg.indexOf(';', value);
        bool number = false;
        const double width = end > value ? svg.mid(value, end - value).toDouble(&number) : 0;
        out += svg.mid(from, value - from);
        from = value;
        if (number && width < HairlinePoints) {
            out += "1; vector-effect:non-scaling-stroke";
            from = end;
        }
    }
    return out + svg.mid(from);
}

// One libwmf player over a copy of the metafile (the library wants writable bytes).
class Player {
public:
    explicit Player(QByteArrayView wmf) : prepared_(prepareWmf(wmf)) {
        limitLargestRecord(prepared_.bytes);
        wmfAPI_Options options{};
        options.function = svgDevice;
        const unsigned long flags =
            WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
        if (wmf_api_create(&api_, flags, &options) != wmf_E_None) {
            if (api_) {
                wmf_api_destroy(api_);
            }
            refuse(QStringLiteral("impossibile avviare la lettura dei file WMF"));
        }
    }
    ~Player() { wmf_api_destroy(api_); }
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;

    // Reads the header and every record once, for the drawing's extent.
    QSize scan() {
        QByteArray& bytes = prepared_.bytes;
        if (wmf_mem_open(api_, reinterpret_cast<unsigned char*>(bytes.data()),
                         long(bytes.size())) != wmf_E_None ||
            wmf_scan(api_, 0, &box_) != wmf_E_None) {
            damaged();
        }
        if (!prepared_.frame.isEmpty()) {
            const QRectF& frame = prepared_.frame;
            box_ = {{float(frame.left()), float(frame.top())},
                    {float(frame.right()), float(frame.bottom())}};
        }
        const QSizeF size = prepared_.size;
        if (!size.isEmpty() && size.width() <= 1'000'000 && size.height() <= 1'000'000) {
            return QSize(std::max(1, int(std::lround(size.width()))),
                         std::max(1, int(std::lround(size.height()))));
        }
        unsigned int width = 0, height = 0;
        if (wmf_display_size(api_, &width, &height, 72.0, 72.0) != wmf_E_None || width == 0 ||
            height == 0 || width > 1'000'000 || height > 1'000'000) {
            refuse(QStringLiteral("file WMF danneggiato: il disegno non ha dimensioni"));
        }
        return QSize(int(width), int(height));
    }

    // Plays the scanned metafile into SVG of `size`.
    QByteArray svg(QSize size) {
        wmf_svg_t* device = WMF_SVG_GetData(api_);
        device->out = wmf_stream_create(api_, nullptr);
        if (!device->out) {
            damaged();
        }
        char description[] = "";
        device->Description = description;
        device->bbox = box_;
        device->width = unsigned(size.width());
        device->height = unsigned(size.height());
        device->flags |= WMF_SVG_INLINE_IMAGES;
        const wmf_error_t played = wmf_play(api_, 0, &box_);
        char* text = nullptr;
        unsigned long length = 0;
        wmf_stream_destroy(api_, device->out, &text, &length);
        device->out = nullptr;
        // The text belongs to the player's memory and goes with it.
        QByteArray svg = text
                             ? withHairlines(windows1252ToUtf8(QByteArray(text, qsizetype(length))))
                             : QByteArray();
        if (played != wmf_E_None || svg.isEmpty()) {
            damaged();
        }
        return svg;
    }

private:
    PreparedWmf prepared_;
    wmfAPI* api_ = nullptr;
    wmfD_Rect box_{};
};

} // namespace

ConvertedMetafile convertWmf(QByteArrayView wmf, bool withDrawing) {
    const std::lock_guard lock(wmfMutex);
    Player player(wmf);
    ConvertedMetafile converted{player.scan(), {}, {}};
    // The standard header tells the file's length in 16-bit words.
    const qsizetype header =
        wmf.size() >= 4 && qFromLittleEndian<quint32>(wmf.data()) == 0x9AC6CDD7u ? 22 : 0;
    if (wmf.size() >= header + 10 &&
        2 * qint64(qFromLittleEndian<quint32>(wmf.data() + header + 6)) > wmf.size()) {
        converted.damage = QStringLiteral("file WMF troncato: il disegno è incompleto");
    }
    if (withDrawing) {
        converted.svg = player.svg(converted.size);
    }
    return converted;
}

} // namespace lumetra::pictures
