// WMF to SVG through libwmf's SVG device; its error and debug reports are switched off.
// The metafile is first made ready (WmfPreparation.h); the SVG device draws bitmaps with its own
// code below, writes the metafile's own colours rather than the nearest colour names and thin
// pens as hairlines; its text is turned from the metafile's code page to UTF-8.
#include "MetafileConversion.h"

#include "PictureError.h"
#include "WmfPreparation.h"

#include <QColor>
#include <QString>
#include <QtEndian>

#include <libwmf/api.h>
#include <libwmf/ipa.h>
#include <libwmf/macro.h>
#include <libwmf/svg.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <mutex>
#include <type_traits>
#include <utility>

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

// libwmf's SVG device writes each colour as the nearest SVG colour name ("fill:teal" for
// 0,77,179). The device writes through this stream, which passes everything on to libwmf's own
// but, while a shape or text is drawn, writes its fill and stroke as the colours the drawing
// context gives them instead of the names.
struct Colours {
    const wmfRGB* fill = nullptr;
    const wmfRGB* stroke = nullptr;
};
struct ExactColourStream {
    wmfStream stream;
    wmfStream* inner;
    Colours pending = {}; // the colours of the shape being drawn, until written
};

// In libwmf's piece of output `text`, the name after the first `property` ("fill:") becomes
// `rgb`; true if there was one ("none" is not a colour and stays).
bool replaceColourName(QByteArray& text, QByteArrayView property, const wmfRGB& rgb) {
    const qsizetype at = text.indexOf(property);
    if (at < 0) {
        return false;
    }
    const qsizetype from = at + property.size();
    qsizetype to = from;
    while (to < text.size() && std::isalpha(quint8(text[to]))) {
        ++to;
    }
    if (to == from || text.mid(from, to - from) == "none") {
        return false;
    }
    text.replace(from, to - from, QColor(rgb.r, rgb.g, rgb.b).name().toLatin1());
    return true;
}

int putExactColours(char* text, void* context) {
    auto* self = static_cast<ExactColourStream*>(context);
    wmfStream* inner = self->inner;
    Colours& pending = self->pending;
    if (!pending.fill && !pending.stroke) {
        return inner->sputs(text, inner->context);
    }
    // Each colour is written once per shape, the fill before the text that follows it.
    QByteArray piece(text);
    if (pending.fill && replaceColourName(piece, "fill:", *pending.fill)) {
        pending.fill = nullptr;
    }
    if (pending.stroke && replaceColourName(piece, "stroke:", *pending.stroke)) {
        pending.stroke = nullptr;
    }
    return inner->sputs(piece.data(), inner->context);
}

int resetExactColours(void* context) {
    wmfStream* inner = static_cast<ExactColourStream*>(context)->inner;
    return inner->reset(inner->context);
}

Colours coloursOf(wmfDrawText_t* text) {
    return {WMF_DC_TEXTCOLOR(text->dc), nullptr};
}
Colours coloursOf(wmfDrawPixel_t* pixel) {
    return {&pixel->color, nullptr};
}
template <typename Record> Colours coloursOf(Record* shape) {
    return {WMF_BRUSH_COLOR(WMF_DC_BRUSH(shape->dc)), WMF_PEN_COLOR(WMF_DC_PEN(shape->dc))};
}

template <typename> struct RecordOf;
template <typename Record> struct RecordOf<void (*)(wmfAPI*, Record*)> { using Type = Record; };
template <auto Slot>
using Callback = std::remove_reference_t<decltype(std::declval<wmfFunctionReference&>().*Slot)>;

// libwmf's own drawing of the function table's `Slot`.
template <auto Slot> Callback<Slot> svgOriginal = nullptr;

// Draws with libwmf's own function, its colours exact when the device writes to an
// ExactColourStream.
template <auto Slot>
void drawInExactColours(wmfAPI* api, typename RecordOf<Callback<Slot>>::Type* record) {
    wmfStream* out = WMF_SVG_GetData(api)->out;
    auto* exact = out && out->sputs == putExactColours
                      ? static_cast<ExactColourStream*>(out->context)
                      : nullptr;
    if (exact) {
        exact->pending = coloursOf(record);
    }
    svgOriginal<Slot>(api, record);
    if (exact) {
        exact->pending = {};
    }
}

template <auto... Slots> void drawAllInExactColours(wmfFunctionReference* functions) {
    ((svgOriginal<Slots> = functions->*Slots, functions->*Slots = drawInExactColours<Slots>), ...);
}

void svgDevice(wmfAPI* api) {
    wmf_svg_function(api);
    auto* functions = static_cast<wmfFunctionReference*>(api->function_reference);
    functions->bmp_draw = drawBitmap;
    using F = wmfFunctionReference;
    drawAllInExactColours<&F::draw_pixel, &F::draw_pie, &F::draw_chord, &F::draw_arc,
                          &F::draw_ellipse, &F::draw_line, &F::poly_line, &F::draw_polygon,
                          &F::draw_polypolygon, &F::draw_rectangle, &F::draw_text>(functions);
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
        ExactColourStream exact{{}, wmf_stream_create(api_, nullptr)};
        if (!exact.inner) {
            damaged();
        }
        exact.stream = {&exact, putExactColours, resetExactColours};
        device->out = &exact.stream;
        char description[] = "";
        device->Description = description;
        device->bbox = box_;
        device->width = unsigned(size.width());
        device->height = unsigned(size.height());
        device->flags |= WMF_SVG_INLINE_IMAGES;
        const wmf_error_t played = wmf_play(api_, 0, &box_);
        char* text = nullptr;
        unsigned long length = 0;
        wmf_stream_destroy(api_, exact.inner, &text, &length);
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
