// The librevenge painter: calls as libmspub makes them, recorded and painted, checked by pixels.
// Solid fills, outlines and pictures stretched into their box are checked from a generated layout
// through libmspub (GeneratedLayout).

#include "LetturaPdf.h"
#include "PageRecorder.h"
#include "PicturePool.h"
#include "PixelProbe.h"
#include "RecordedPagePainter.h"
#include "TextChains.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <functional>

namespace lumetra::drawing {

namespace {

using librevenge::RVNGPropertyList;
using librevenge::RVNGPropertyListVector;
using test::darkPixels;
using test::expectColour;

constexpr double kDpi = 100.0; // 1 inch = 100 pixels

// One property of a list: a text, a number (inches unless a unit is given) or a list.
struct Value {
    std::function<void(RVNGPropertyList&, const char*)> put;
    Value(const char* v) : put([v](RVNGPropertyList& l, const char* n) { l.insert(n, v); }) {}
    Value(int v) : put([v](RVNGPropertyList& l, const char* n) { l.insert(n, v); }) {}
    Value(double v, librevenge::RVNGUnit unit = librevenge::RVNG_INCH)
        : put([v, unit](RVNGPropertyList& l, const char* n) { l.insert(n, v, unit); }) {}
    Value(const RVNGPropertyListVector& v)
        : put([v](RVNGPropertyList& l, const char* n) { l.insert(n, v); }) {}
};

Value percent(double v) {
    return Value(v, librevenge::RVNG_PERCENT);
}

// A property list written inline, added to `base`.
RVNGPropertyList props(std::initializer_list<std::pair<const char*, Value>> list,
                       RVNGPropertyList base = {}) {
    for (const auto& [name, value] : list)
        value.put(base, name);
    return base;
}

// The properties of a box, in inches.
RVNGPropertyList box(const QRectF& b,
                     std::initializer_list<std::pair<const char*, Value>> more = {}) {
    return props(more, props({{"svg:x", b.x()},
                              {"svg:y", b.y()},
                              {"svg:width", b.width()},
                              {"svg:height", b.height()}}));
}

RVNGPropertyListVector points(std::initializer_list<QPointF> at) {
    RVNGPropertyListVector list;
    for (const QPointF& p : at)
        list.append(props({{"svg:x", p.x()}, {"svg:y", p.y()}}));
    return list;
}

void polygon(PageRecorder& r, double x, double y, double w, double h) {
    r.drawPolygon(
        props({{"svg:points", points({{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}, {x, y}})}}));
}

void startPage(PageRecorder& r, double w = 3.0, double h = 3.0) {
    r.startPage(props({{"svg:width", w}, {"svg:height", h}}));
}

using Paragraphs = std::initializer_list<std::pair<RVNGPropertyList, const char*>>;

// Paragraphs in one span style each; a tab in a text is an insertTab call.
void paragraphs(PageRecorder& r, const RVNGPropertyList& span, Paragraphs list) {
    for (const auto& [paragraph, text] : list) {
        r.openParagraph(paragraph);
        r.openSpan(span);
        const QStringList pieces = QString::fromUtf8(text).split(QLatin1Char('\t'));
        for (qsizetype i = 0; i < pieces.size(); ++i) {
            if (i > 0)
                r.insertTab();
            r.insertText(librevenge::RVNGString(pieces[i].toUtf8().constData()));
        }
        r.closeSpan();
        r.closeParagraph();
    }
}

void textObject(PageRecorder& r, const RVNGPropertyList& frame, const RVNGPropertyList& span,
                Paragraphs list) {
    r.startTextObject(frame);
    paragraphs(r, span, list);
    r.endTextObject();
}

// One paragraph of bold Arial in a box with 0.05 in padding.
void addText(PageRecorder& r, const QRectF& b, const char* text, const char* align = "left",
             const char* valign = nullptr, double sizeInches = 0.25, double rotate = 0.0) {
    RVNGPropertyList frame = box(b, {{"fo:padding-left", 0.05},
                                     {"fo:padding-top", 0.05},
                                     {"fo:padding-right", 0.05},
                                     {"fo:padding-bottom", 0.05}});
    if (valign)
        frame.insert("draw:textarea-vertical-align", valign);
    if (rotate != 0.0)
        frame.insert("librevenge:rotate", rotate);
    textObject(r, frame,
               props({{"style:font-name", "Arial"},
                      {"fo:font-size", sizeInches},
                      {"fo:font-weight", "bold"},
                      {"fo:color", "#000000"}}),
               {{props({{"fo:text-align", align}}), text}});
}

// A bitmap fill of `source` as a PNG.
RVNGPropertyList bitmapFill(const QImage& source,
                            std::initializer_list<std::pair<const char*, Value>> more = {}) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(source.save(&buffer, "PNG"));
    const QByteArray base64 = png.toBase64();
    return props(more, props({{"draw:fill", "bitmap"},
                              {"librevenge:mime-type", "image/png"},
                              {"draw:fill-image", base64.constData()}}));
}

QImage paint(const RecordedPage& page, double dpi = kDpi) {
    QImage image(int(page.size.width() * dpi), int(page.size.height() * dpi),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintRecordedPage(painter, page, QRectF(0, 0, image.width(), image.height()));
    painter.end();
    return image;
}

QImage paintOnly(PageRecorder& r) {
    r.endPage();
    EXPECT_EQ(r.pages().size(), 1u);
    return r.pages().empty() ? QImage() : paint(r.pages().front());
}

// Each row draws on a 3 x 3 inch page and names the areas (in pixels, 100 an inch) that must
// hold more than so many dark pixels, and those that must hold none.
TEST(RecordedPage, InkLandsWhereTheBoxesAndStylesSay) {
    const char* words = "uno due tre quattro cinque sei sette otto nove dieci";
    const struct {
        const char* name;
        std::function<void(PageRecorder&)> draw;
        std::vector<std::pair<int, QRectF>> ink;
        std::vector<QRectF> noInk;
    } rows[] = {
        {"right and bottom aligned, then centred both ways; nothing outside the boxes",
         [](PageRecorder& r) {
             addText(r, QRectF(0.2, 0.2, 2.6, 0.8), "Prova", "right", "bottom");
             addText(r, QRectF(0.2, 1.5, 2.6, 1.2), "Centro", "center", "middle");
         },
         {{100, {160, 60, 120, 40}}, {100, {100, 190, 100, 40}}},
         {{20, 20, 120, 80},
          {20, 20, 260, 25},
          {20, 150, 260, 25},
          {20, 245, 260, 25},
          {20, 150, 60, 120},
          {0, 110, 300, 35}}},
        {"wrapped within the box's width, the overflow clipped",
         [&](PageRecorder& r) { addText(r, QRectF(0.5, 0.5, 1.0, 0.9), words); },
         {{200, {50, 50, 100, 90}}},
         {{152, 0, 148, 300}, {0, 142, 300, 158}}},
        {"two columns of 1.3 in with a 0.4 in gap",
         [](PageRecorder& r) {
             textObject(
                 r,
                 box(QRectF(0.0, 0.0, 3.0, 1.0), {{"fo:column-count", 2}, {"fo:column-gap", 0.4}}),
                 props({{"fo:font-size", 0.15}}),
                 {{{},
                   "uno due tre quattro cinque sei sette otto nove dieci undici dodici "
                   "tredici quattordici quindici sedici diciassette diciotto diciannove "
                   "venti"}});
         },
         {{200, {0, 0, 130, 100}}, {100, {170, 0, 130, 100}}},
         {{132, 0, 36, 100}, {0, 102, 300, 198}}},
        {"text from 0.25 in, after a tab from 0.75 in (stops every half inch)",
         [](PageRecorder& r) {
             textObject(r, box(QRectF(0.2, 0.2, 2.6, 1.0), {{"fo:padding-left", 0.05}}),
                        props({{"fo:font-size", 0.2}}), {{{}, "i\ti"}});
         },
         {{10, {24, 20, 10, 40}}, {10, {74, 20, 10, 40}}},
         {{40, 20, 33, 40}}},
        {"a box turned by libmspub's -90 degrees (clockwise) runs up the middle, reading upwards",
         [](PageRecorder& r) {
             addText(r, QRectF(0.0, 1.25, 3.0, 0.5), "ALTO", "left", "middle", 0.3, -90.0);
         },
         {{200, {125, 200, 50, 100}}},
         {{0, 0, 110, 300}, {190, 0, 110, 300}, {0, 0, 300, 150}}},
        {"a line shape (two-point polygon) ends at its points; a sharp turn is bevelled",
         [](PageRecorder& r) {
             r.setStyle(props({{"draw:stroke", "solid"}, {"svg:stroke-width", 0.2}}));
             r.drawPolygon(props({{"svg:points", points({{0.5, 1.5}, {2.5, 1.5}})}}));
             r.drawPolyline(props({{"svg:points", points({{0.5, 2.2}, {2.4, 2.5}, {0.5, 2.8}})}}));
         },
         {{3000, {52, 142, 196, 16}}},
         {{0, 0, 49, 300}, {251, 0, 49, 300}}},
        {"columns 0.1 pt apart in width holding 19 of 20 lines of 10 pt: the last moves on",
         [](PageRecorder& r) {
             const auto line = props({{"fo:line-height", Value(10.0, librevenge::RVNG_POINT)}});
             for (const double cut : {0.0, 0.1 / 72}) {
                 r.startTextObject(box(QRectF(cut > 0 ? 1.6 : 0.1, 0.1, 1.3 - cut, 190.5 / 72)));
                 for (int i = 0; i < 20; ++i)
                     paragraphs(r, props({{"fo:font-size", 0.1}}), {{line, "riga"}});
                 r.endTextObject();
             }
             linkTextFrames(r.pages().back());
         },
         {{20, {10, 240, 130, 25}}, {20, {160, 10, 130, 14}}},
         {{160, 25, 140, 275}}},
        {"a layer's clip path limits what is inside",
         [](PageRecorder& r) {
             r.startLayer(props({{"svg:clip-path", "M 0 0 L 1.5 0 L 1.5 3 L 0 3 Z"}}));
             r.setStyle(props({{"draw:fill", "solid"}, {"draw:fill-color", "#000000"}}));
             polygon(r, 0.5, 0.5, 2.0, 2.0);
             r.endLayer();
         },
         {{14000, {52, 52, 96, 196}}},
         {{152, 0, 148, 300}}},
        {"a table cell's text goes into its cell",
         [](PageRecorder& r) {
             RVNGPropertyListVector columns;
             for (int i = 0; i < 2; ++i)
                 columns.append(props({{"style:column-width", 1.0}}));
             r.startTableObject(
                 box(QRectF(0.5, 0.5, 2.0, 2.0), {{"librevenge:table-columns", columns}}));
             for (int row = 0; row < 2; ++row) {
                 r.openTableRow(props({{"librevenge:row-height", 1.0}}));
                 for (int col = 0; col < 2; ++col) {
                     r.openTableCell(props({{"librevenge:row", row}, {"librevenge:column", col}}));
                     if (row == 1 && col == 1)
                         paragraphs(r, props({{"fo:font-size", 0.2}}), {{{}, "Cella"}});
                     r.closeTableCell();
                 }
                 r.closeTableRow();
             }
             r.endTableObject();
         },
         {{50, {150, 150, 100, 100}}},
         {{0, 0, 300, 148}, {0, 0, 148, 300}}},
        {"half an inch after the first paragraph, the second indented by an inch",
         [](PageRecorder& r) {
             textObject(r, box(QRectF(0.2, 0.2, 2.6, 2.6)), props({{"fo:font-size", 0.2}}),
                        {{props({{"fo:margin-bottom", 0.5}}), "Alfa"},
                         {props({{"fo:margin-left", 1.0}}), "Beta"}});
         },
         {{50, {20, 20, 60, 25}}, {20, {118, 85, 20, 40}}},
         {{0, 42, 300, 40}, {0, 85, 116, 40}}},
        {"text scaled to 50% (a percentage number, as libmspub writes it) is half as wide",
         [](PageRecorder& r) {
             for (const double scale : {100.0, 50.0})
                 textObject(r, box(QRectF(0.0, scale == 100.0 ? 0.2 : 1.2, 3.0, 0.8)),
                            props({{"fo:font-size", 0.3}, {"fo:text-scale", percent(scale)}}),
                            {{{}, "MMMMM"}});
         },
         {{50, {110, 20, 25, 80}}, {50, {45, 120, 15, 80}}},
         {{140, 20, 160, 80}, {80, 120, 220, 80}}},
        {"a gradient turned a quarter (libmspub writes the angle clockwise) runs up, even across",
         [](PageRecorder& r) {
             RVNGPropertyListVector stops;
             stops.append(props({{"svg:offset", "0%"}, {"svg:stop-color", "#000000"}}));
             stops.append(props({{"svg:offset", "100%"}, {"svg:stop-color", "#ffffff"}}));
             r.setStyle(props({{"draw:fill", "gradient"},
                               {"draw:angle", -90.0},
                               {"svg:linearGradient", stops}}));
             polygon(r, 0.5, 0.5, 2.0, 2.0);
         },
         {{1500, {52, 228, 96, 20}}, {1500, {152, 228, 96, 20}}},
         {{52, 52, 196, 20}, {0, 0, 48, 300}}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        PageRecorder r;
        startPage(r);
        row.draw(r);
        const QImage image = paintOnly(r);
        for (const auto& [more, area] : row.ink)
            EXPECT_GT(darkPixels(image, area), more) << area.x() << "," << area.y();
        for (const QRectF& area : row.noInk)
            EXPECT_EQ(darkPixels(image, area), 0) << area.x() << "," << area.y();
    }
}

// What "xxx xxx" in 0.4 in DejaVu Sans, painted at 300 dpi with its baseline at y 141, leaves:
// under the baseline, the rows holding a line, their groups and the breaks along the fullest
// row; above it, the text's ink; and where anything is drawn at all.
struct EffectInk {
    int rows = 0, groups = 0, runs = 0, text = 0;
    QRect extent;
};

EffectInk effectInk(std::initializer_list<std::pair<const char*, Value>> effect) {
    PageRecorder r;
    startPage(r, 3.0, 1.5);
    textObject(r, box(QRectF(0.1, 0.1, 2.8, 1.0)),
               props(effect, props({{"style:font-name", "DejaVu Sans"}, {"fo:font-size", 0.4}})),
               {{{}, "xxx xxx"}});
    const QImage image = paintOnly(r).isNull() ? QImage() : paint(r.pages().front(), 300);
    EffectInk ink;
    int fullest = 0, fullestY = -1;
    for (int y = 144, last = -2; y < 185; ++y) {
        const int n = darkPixels(image, QRectF(0, y, 900, 1));
        if (n > 10)
            ink.groups += y != last + 1, ++ink.rows, last = y;
        if (n > fullest)
            fullest = n, fullestY = y;
    }
    for (int x = 1; fullestY >= 0 && x < 900; ++x)
        ink.runs += darkPixels(image, QRectF(x, fullestY, 1, 1)) &&
                    !darkPixels(image, QRectF(x - 1, fullestY, 1, 1));
    ink.text = darkPixels(image, QRectF(0, 0, 900, 140));
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 250)
                ink.extent |= QRect(x, y, 1, 1);
    return ink;
}

TEST(RecordedPage, UnderlineStylesAndCharacterEffectsAreDrawn) {
    const EffectInk plain = effectInk({}),
                    solid = effectInk({{"style:text-underline-style", "solid"}});
    EXPECT_EQ(plain.rows, 0);
    EXPECT_EQ(solid.groups, 1);
    EXPECT_EQ(solid.runs, 1);
    const struct {
        const char* name;
        std::initializer_list<std::pair<const char*, Value>> effect;
        std::function<void(const EffectInk&)> check;
    } rows[] = {
        {"dashed: gaps",
         {{"style:text-underline-style", "dash"}},
         [](const EffectInk& i) { EXPECT_GE(i.runs, 6); }},
        {"dotted: many gaps",
         {{"style:text-underline-style", "dotted"}},
         [](const EffectInk& i) { EXPECT_GE(i.runs, 12); }},
        {"words only: one line a word",
         {{"style:text-underline-style", "solid"},
          {"style:text-underline-mode", "skip-white-space"}},
         [](const EffectInk& i) { EXPECT_EQ(i.runs, 2); }},
        {"double: two lines",
         {{"style:text-underline-style", "solid"}, {"style:text-underline-type", "double"}},
         [](const EffectInk& i) { EXPECT_EQ(i.groups, 2); }},
        {"thick: twice as thick",
         {{"style:text-underline-style", "solid"}, {"style:text-underline-width", "bold"}},
         [&](const EffectInk& i) { EXPECT_GE(i.rows, solid.rows * 3 / 2); }},
        {"wave: up and down",
         {{"style:text-underline-style", "wave"}},
         [&](const EffectInk& i) { EXPECT_GE(i.rows, solid.rows * 2); }},
        {"outline: hollow letters",
         {{"style:text-outline", "true"}},
         [&](const EffectInk& i) { EXPECT_LT(i.text, plain.text * 6 / 10); }},
        {"shadow: a copy down and right",
         {{"fo:text-shadow", "1pt 1pt"}},
         [&](const EffectInk& i) {
             EXPECT_GE(i.extent.right(), plain.extent.right() + 3);
             EXPECT_GE(i.extent.bottom(), plain.extent.bottom() + 3);
             EXPECT_EQ(i.extent.top(), plain.extent.top());
         }},
        {"engraved: a dark edge up and left",
         {{"style:font-relief", "engraved"}},
         [&](const EffectInk& i) { EXPECT_LE(i.extent.top(), plain.extent.top() - 1); }},
        {"embossed: a dark edge down and right",
         {{"style:font-relief", "embossed"}},
         [&](const EffectInk& i) { EXPECT_GE(i.extent.bottom(), plain.extent.bottom() + 1); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        row.check(effectInk(row.effect));
    }
}

// The same frame, one line too short for its text, in an installed family and in one drawn by
// a substitute, printed to a PDF whose words are read back: the installed font keeps the
// layout and hides the last line, whole (its words are not in the PDF at all); the substitute
// is condensed just enough to show them.
TEST(RecordedPage, ASubstituteFontIsCondensedRatherThanLoseWords) {
    for (const char* family : {"DejaVu Sans", "Verdana"}) {
        SCOPED_TRACE(family);
        PageRecorder r;
        startPage(r);
        textObject(r, box(QRectF(0.1, 0.2, 2.8, 0.75)),
                   props({{"style:font-name", family}, {"fo:font-size", 0.15}}),
                   {{{},
                     "uno due tre quattro cinque sei sette otto nove dieci undici dodici tredici "
                     "quattordici quindici sedici diciassette diciotto diciannove venti ventuno "
                     "ventidue mela"}});
        r.endPage();
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("pagina.pdf"));
        {
            QPdfWriter writer(pdf);
            writer.setPageSize(QPageSize(QSizeF(3, 3), QPageSize::Inch));
            writer.setPageMargins({});
            QPainter painter(&writer);
            paintRecordedPage(painter, r.pages().front(),
                              QRectF(0, 0, writer.width(), writer.height()));
        }
        const QStringList words = composition::test::TestiDelPdf(pdf, 1);
        EXPECT_TRUE(words.contains(QStringLiteral("ventuno"))) << words.join(' ').toStdString();
        EXPECT_EQ(words.contains(QStringLiteral("mela")), QLatin1String(family) == "Verdana");
    }
}

TEST(RecordedPage, LinkedFramesContinueTheStoryAndCopiesRepeatIt) {
    const char* story = "uno due tre quattro cinque sei sette otto nove dieci undici dodici "
                        "tredici quattordici quindici sedici diciassette diciotto";
    PageRecorder r;
    startPage(r);
    // Two columns of one story (the first frame overflows) ...
    addText(r, QRectF(0.1, 0.1, 1.3, 1.0), story, "left", nullptr, 0.15);
    addText(r, QRectF(1.6, 0.1, 1.3, 1.0), story, "left", nullptr, 0.15);
    // ... and two copies of a short text.
    addText(r, QRectF(0.1, 2.0, 1.3, 0.8), "Copia", "left", nullptr, 0.15);
    addText(r, QRectF(1.6, 2.0, 1.3, 0.8), "Copia", "left", nullptr, 0.15);
    r.endPage();
    ASSERT_EQ(r.pages().size(), 1u);
    RecordedPage page = r.pages().front();
    linkTextFrames(page);
    const QImage image = paint(page);

    auto column = [&](double left, double top, double h) {
        return image.copy(QRectF(left * kDpi, top * kDpi, 130, h * kDpi).toAlignedRect());
    };
    const QImage first = column(0.1, 0.1, 1.0), second = column(1.6, 0.1, 1.0);
    EXPECT_GT(darkPixels(first, first.rect()), 200);
    EXPECT_GT(darkPixels(second, second.rect()), 100);
    // The continuation holds the rest, less than the first frame.
    EXPECT_LT(darkPixels(second, second.rect()), darkPixels(first, first.rect()));
    // A line that does not fit whole is left to the next frame, not cut.
    EXPECT_EQ(darkPixels(first, QRectF(0, 93, 130, 7)), 0);
    const QImage copyA = column(0.1, 2.0, 0.8), copyB = column(1.6, 2.0, 0.8);
    EXPECT_GT(darkPixels(copyA, copyA.rect()), 50);
    EXPECT_EQ(copyA, copyB);
}

TEST(RecordedPage, PicturesAreRecolouredReducedSmoothlyAndKeepTheirTransparency) {
    QImage pair(2, 1, QImage::Format_RGB32);
    pair.setPixelColor(0, 0, Qt::black);
    pair.setPixelColor(1, 0, Qt::white);
    QImage stripes(400, 400, QImage::Format_RGB32);
    for (int y = 0; y < 400; ++y)
        for (int x = 0; x < 400; ++x)
            stripes.setPixel(x, y, (x / 4) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    PageRecorder r(std::make_shared<pictures::PicturePool>());
    startPage(r);
    r.setStyle(bitmapFill(pair, {{"draw:color-mode", "greyscale"},
                                 {"draw:red", percent(1.0)},
                                 {"draw:green", percent(0.0)},
                                 {"draw:blue", percent(0.0)}}));
    polygon(r, 1.0, 1.0, 1.0, 0.5);
    // Channels beyond 0-100% are taken as 0 and 100%.
    r.setStyle(bitmapFill(pair, {{"draw:color-mode", "greyscale"},
                                 {"draw:red", percent(1e12)},
                                 {"draw:green", percent(-1e12)},
                                 {"draw:blue", percent(-0.5)}}));
    polygon(r, 2.1, 1.0, 0.8, 0.5);
    r.setStyle(bitmapFill(stripes));
    polygon(r, 1.0, 2.0, 0.4, 0.4);
    // A picture's transparent parts leave what lies under it as it was.
    QImage holed(2, 1, QImage::Format_ARGB32);
    holed.setPixel(0, 0, qRgba(0, 0, 0, 0));
    holed.setPixel(1, 0, qRgba(0, 0, 0, 255));
    r.setStyle(props({{"draw:fill", "solid"}, {"draw:fill-color", "#0000ff"}}));
    polygon(r, 2.0, 2.0, 0.8, 0.4);
    r.setStyle(bitmapFill(holed));
    polygon(r, 2.0, 2.0, 0.8, 0.4);
    const QImage image = paintOnly(r);
    expectColour(image, Qt::red, {{115, 125}, {225, 125}}, 20);
    expectColour(image, Qt::white, {{185, 125}}, 20);
    expectColour(image, Qt::blue, {{210, 220}}, 20);
    expectColour(image, Qt::black, {{270, 220}}, 20);
    // The fine stripes drawn ten times smaller come out grey, not black and white.
    for (int y = 203; y < 237; y += 3)
        for (int x = 103; x < 137; x += 3)
            ASSERT_NEAR(qGray(image.pixel(x, y)), 128, 50) << x << "," << y;
}

TEST(RecordedPage, RepaintingAtHigherResolutionKeepsTheSameLayout) {
    PageRecorder r;
    startPage(r);
    addText(r, QRectF(0.2, 0.2, 2.6, 2.6), "uno due tre quattro cinque sei sette otto nove dieci");
    r.endPage();
    ASSERT_EQ(r.pages().size(), 1u);
    const QImage low = paint(r.pages().front(), 100);
    const QImage high = paint(r.pages().front(), 400);
    // The same words land on the same lines: the ink of each band of the page matches.
    for (int band = 0; band < 10; ++band) {
        const int lowInk = darkPixels(low, QRectF(0, band * 30, 300, 30), 160);
        const int highInk = darkPixels(high, QRectF(0, band * 120, 1200, 120), 160);
        EXPECT_NEAR(highInk / 16.0, lowInk, 40 + lowInk * 0.35) << "band " << band;
    }
}

TEST(RecordedPage, BrokenInputIsIgnoredNotPainted) {
    PageRecorder r;
    // Calls outside a page, unbalanced layers and absurd sizes must not break anything.
    polygon(r, 0, 0, 1, 1);
    r.endLayer();
    startPage(r, -5, 1e9);
    r.endLayer();
    r.setStyle(props({{"draw:fill", "solid"}, {"draw:fill-color", "not a colour"}}));
    polygon(r, 0.5, 0.5, 1e12, 1.0);
    r.startLayer(RVNGPropertyList());
    r.insertText("senza paragrafo");
    r.closeSpan();
    r.closeParagraph();
    r.endTextObject();
    r.endTableObject();
    r.endPage();
    ASSERT_EQ(r.pages().size(), 1u);
    EXPECT_GT(r.pages().front().size.width(), 0);
    EXPECT_FALSE(paint(r.pages().front(), 20).isNull());
}

} // namespace
} // namespace lumetra::drawing
