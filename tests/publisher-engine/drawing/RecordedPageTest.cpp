// The librevenge painter: calls as libmspub makes them, recorded and painted, checked by pixels.

#include "PagePainter.h"
#include "PageRecorder.h"
#include "PixelProbe.h"
#include "TextChains.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QPainter>

namespace lumetra::pub {
namespace {

using librevenge::RVNGPropertyList;
using librevenge::RVNGPropertyListVector;
using test::darkPixels;
using test::inkedPixels;

constexpr double kDpi = 100.0; // 1 inch = 100 pixels

RVNGPropertyListVector rectanglePoints(double x, double y, double w, double h) {
    RVNGPropertyListVector points;
    const double xs[] = {x, x + w, x + w, x, x};
    const double ys[] = {y, y, y + h, y + h, y};
    for (int i = 0; i < 5; ++i) {
        RVNGPropertyList p;
        p.insert("svg:x", xs[i]);
        p.insert("svg:y", ys[i]);
        points.append(p);
    }
    return points;
}

void polygon(PageRecorder& r, double x, double y, double w, double h) {
    RVNGPropertyList list;
    list.insert("svg:points", rectanglePoints(x, y, w, h));
    r.drawPolygon(list);
}

void startPage(PageRecorder& r, double w = 3.0, double h = 3.0) {
    RVNGPropertyList page;
    page.insert("svg:width", w);
    page.insert("svg:height", h);
    r.startPage(page);
}

// The properties of a text object's box, in inches.
RVNGPropertyList textBox(const QRectF& box) {
    RVNGPropertyList t;
    t.insert("svg:x", box.x());
    t.insert("svg:y", box.y());
    t.insert("svg:width", box.width());
    t.insert("svg:height", box.height());
    return t;
}

void addText(PageRecorder& r, const QRectF& box, const char* text, const char* align = "left",
             const char* valign = nullptr, double sizeInches = 0.25, double rotate = 0.0) {
    RVNGPropertyList t = textBox(box);
    t.insert("fo:padding-left", 0.05);
    t.insert("fo:padding-top", 0.05);
    t.insert("fo:padding-right", 0.05);
    t.insert("fo:padding-bottom", 0.05);
    if (valign)
        t.insert("draw:textarea-vertical-align", valign);
    if (rotate != 0.0)
        t.insert("librevenge:rotate", rotate);
    r.startTextObject(t);
    RVNGPropertyList para;
    para.insert("fo:text-align", align);
    r.openParagraph(para);
    RVNGPropertyList span;
    span.insert("style:font-name", "Arial");
    span.insert("fo:font-size", sizeInches);
    span.insert("fo:font-weight", "bold");
    span.insert("fo:color", "#000000");
    r.openSpan(span);
    r.insertText(librevenge::RVNGString(text));
    r.closeSpan();
    r.closeParagraph();
    r.endTextObject();
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

TEST(RecordedPage, SolidFillAndOutlineLandWhereThePolygonIs) {
    PageRecorder r;
    startPage(r);
    RVNGPropertyList style;
    style.insert("draw:fill", "solid");
    style.insert("draw:fill-color", "#ff0000");
    style.insert("draw:opacity", "100%");
    style.insert("draw:stroke", "none");
    r.setStyle(style);
    polygon(r, 0.5, 0.5, 1.0, 0.5);
    RVNGPropertyList line;
    line.insert("draw:fill", "none");
    line.insert("draw:stroke", "solid");
    line.insert("svg:stroke-width", 0.1);
    line.insert("svg:stroke-color", "#0000ff");
    r.setStyle(line);
    polygon(r, 0.5, 2.0, 2.0, 0.5);
    const QImage image = paintOnly(r);

    EXPECT_TRUE(test::near(image.pixelColor(100, 75), Qt::red));
    EXPECT_TRUE(test::near(image.pixelColor(40, 75), Qt::white));
    EXPECT_TRUE(test::near(image.pixelColor(160, 75), Qt::white));
    EXPECT_TRUE(test::near(image.pixelColor(100, 110), Qt::white));
    // The outline straddles the edge at y = 2.0 in; the inside of the unfilled box stays white.
    EXPECT_TRUE(test::near(image.pixelColor(150, 200), Qt::blue));
    EXPECT_TRUE(test::near(image.pixelColor(150, 225), Qt::white));
}

TEST(RecordedPage, GradientRunsAlongItsAngle) {
    PageRecorder r;
    startPage(r);
    RVNGPropertyList style;
    style.insert("draw:fill", "gradient");
    style.insert("draw:angle", -90.0); // libmspub writes the angle clockwise
    RVNGPropertyListVector stops;
    for (const char* colour : {"#000000", "#ffffff"}) {
        RVNGPropertyList stop;
        stop.insert("svg:offset", stops.count() == 0 ? "0%" : "100%");
        stop.insert("svg:stop-color", colour);
        stops.append(stop);
    }
    style.insert("svg:linearGradient", stops);
    r.setStyle(style);
    polygon(r, 0.5, 0.5, 2.0, 2.0);
    const QImage image = paintOnly(r);
    // A quarter turn: dark at one horizontal edge, light at the other, even across.
    const int top = qGray(image.pixel(150, 55)), bottom = qGray(image.pixel(150, 245));
    EXPECT_GT(std::abs(top - bottom), 180);
    EXPECT_NEAR(qGray(image.pixel(60, 150)), qGray(image.pixel(240, 150)), 8);
    EXPECT_TRUE(test::near(image.pixelColor(20, 150), Qt::white));
}

TEST(RecordedPage, DashedOutlineLeavesGaps) {
    PageRecorder r;
    startPage(r);
    RVNGPropertyList line;
    line.insert("draw:stroke", "dash");
    line.insert("svg:stroke-width", 0.05);
    line.insert("svg:stroke-color", "#000000");
    line.insert("draw:dots1", 1);
    line.insert("draw:dots1-length", 0.2);
    line.insert("draw:distance", 0.2);
    r.setStyle(line);
    RVNGPropertyList list;
    RVNGPropertyListVector points;
    for (double x : {0.0, 3.0}) {
        RVNGPropertyList p;
        p.insert("svg:x", x);
        p.insert("svg:y", 1.5);
        points.append(p);
    }
    list.insert("svg:points", points);
    r.drawPolyline(list);
    const QImage image = paintOnly(r);
    const int inked = darkPixels(image, QRectF(0, 148, 300, 4));
    // Half of the line is dash, half gap.
    EXPECT_GT(inked, 300 * 4 * 3 / 10);
    EXPECT_LT(inked, 300 * 4 * 7 / 10);
}

TEST(RecordedPage, TextIsDrawnInsideItsBoxAndAligned) {
    PageRecorder r;
    startPage(r);
    addText(r, QRectF(0.2, 0.2, 2.6, 0.8), "Prova", "right", "bottom");
    addText(r, QRectF(0.2, 1.5, 2.6, 1.2), "Centro", "center", "middle");
    const QImage image = paintOnly(r);

    // Right-aligned, bottom-aligned: ink in the right half and the lower half of the first box.
    EXPECT_GT(darkPixels(image, QRectF(160, 60, 120, 40)), 100);
    EXPECT_EQ(darkPixels(image, QRectF(20, 20, 120, 80)), 0);
    EXPECT_EQ(darkPixels(image, QRectF(20, 20, 260, 25)), 0);
    // Centred both ways: the middle band holds the ink, the box's top and bottom do not.
    EXPECT_GT(darkPixels(image, QRectF(100, 190, 100, 40)), 100);
    EXPECT_EQ(darkPixels(image, QRectF(20, 150, 260, 25)), 0);
    EXPECT_EQ(darkPixels(image, QRectF(20, 245, 260, 25)), 0);
    EXPECT_EQ(darkPixels(image, QRectF(20, 150, 60, 120)), 0);
    // Nothing outside the boxes.
    EXPECT_EQ(darkPixels(image, QRectF(0, 110, 300, 35)), 0);
}

TEST(RecordedPage, ParagraphSpacingAndIndentsAreInInches) {
    PageRecorder r;
    startPage(r);
    RVNGPropertyList t = textBox(QRectF(0.2, 0.2, 2.6, 2.6));
    r.startTextObject(t);
    RVNGPropertyList span;
    span.insert("fo:font-size", 0.2);
    RVNGPropertyList first;
    first.insert("fo:margin-bottom", 0.5);
    r.openParagraph(first);
    r.openSpan(span);
    r.insertText("Alfa");
    r.closeSpan();
    r.closeParagraph();
    RVNGPropertyList second;
    second.insert("fo:margin-left", 1.0);
    r.openParagraph(second);
    r.openSpan(span);
    r.insertText("Beta");
    r.closeSpan();
    r.closeParagraph();
    r.endTextObject();
    const QImage image = paintOnly(r);

    std::vector<int> inkedRows;
    int betaLeft = image.width();
    for (int y = 0; y < image.height(); ++y)
        if (darkPixels(image, QRectF(0, y, image.width(), 1)) > 0)
            inkedRows.push_back(y);
    ASSERT_GE(inkedRows.size(), 2u);
    int gap = 0, gapEnd = 0;
    for (std::size_t i = 1; i < inkedRows.size(); ++i)
        if (inkedRows[i] - inkedRows[i - 1] > gap) {
            gap = inkedRows[i] - inkedRows[i - 1];
            gapEnd = inkedRows[i];
        }
    // Half an inch (50 pixels) between the paragraphs, plus the space between the lines.
    EXPECT_GE(gap, 45);
    EXPECT_LE(gap, 80);
    for (int y = gapEnd; y <= inkedRows.back(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                betaLeft = std::min(betaLeft, x);
    // The second paragraph starts one inch (100 pixels) right of the box's edge.
    EXPECT_GE(betaLeft, 118);
    EXPECT_LE(betaLeft, 135);
}

TEST(RecordedPage, TextWrapsWithinItsBoxWidthAndOverflowIsClipped) {
    PageRecorder r;
    startPage(r);
    addText(r, QRectF(0.5, 0.5, 1.0, 0.9), "uno due tre quattro cinque sei sette otto nove dieci");
    const QImage image = paintOnly(r);
    EXPECT_GT(darkPixels(image, QRectF(50, 50, 100, 90)), 200);
    EXPECT_EQ(darkPixels(image, QRectF(152, 0, 148, 300)), 0);
    EXPECT_EQ(darkPixels(image, QRectF(0, 142, 300, 158)), 0);
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
        QImage part = image.copy(QRectF(left * kDpi, top * kDpi, 130, h * kDpi).toAlignedRect());
        return part;
    };
    const QImage first = column(0.1, 0.1, 1.0), second = column(1.6, 0.1, 1.0);
    EXPECT_GT(darkPixels(first, first.rect()), 200);
    EXPECT_GT(darkPixels(second, second.rect()), 100);
    EXPECT_NE(first, second);
    // The continuation holds the rest, less than the first frame.
    EXPECT_LT(darkPixels(second, second.rect()), darkPixels(first, first.rect()));
    // A line that does not fit whole is left to the next frame, not cut.
    EXPECT_EQ(darkPixels(first, QRectF(0, 93, 130, 7)), 0);
    const QImage copyA = column(0.1, 2.0, 0.8), copyB = column(1.6, 2.0, 0.8);
    EXPECT_GT(darkPixels(copyA, copyA.rect()), 50);
    EXPECT_EQ(copyA, copyB);
}

TEST(RecordedPage, ColumnsFlowTheTextSideBySide) {
    PageRecorder r;
    startPage(r);
    RVNGPropertyList t = textBox(QRectF(0.0, 0.0, 3.0, 1.0));
    t.insert("fo:column-count", 2);
    t.insert("fo:column-gap", 0.4);
    r.startTextObject(t);
    r.openParagraph(RVNGPropertyList());
    RVNGPropertyList span;
    span.insert("fo:font-size", 0.15);
    r.openSpan(span);
    r.insertText("uno due tre quattro cinque sei sette otto nove dieci undici dodici tredici "
                 "quattordici quindici sedici diciassette diciotto diciannove venti");
    r.closeSpan();
    r.closeParagraph();
    r.endTextObject();
    const QImage image = paintOnly(r);
    // Columns of 1.3 in with a 0.4 in gap between them.
    EXPECT_GT(darkPixels(image, QRectF(0, 0, 130, 100)), 200);
    EXPECT_GT(darkPixels(image, QRectF(170, 0, 130, 100)), 100);
    EXPECT_EQ(darkPixels(image, QRectF(132, 0, 36, 100)), 0);
    EXPECT_EQ(darkPixels(image, QRectF(0, 102, 300, 198)), 0);
}

TEST(RecordedPage, TabsStopEveryHalfInch) {
    PageRecorder r;
    startPage(r);
    RVNGPropertyList t = textBox(QRectF(0.2, 0.2, 2.6, 1.0));
    t.insert("fo:padding-left", 0.05);
    r.startTextObject(t);
    r.openParagraph(RVNGPropertyList());
    RVNGPropertyList span;
    span.insert("fo:font-size", 0.2);
    r.openSpan(span);
    r.insertText("i");
    r.insertTab();
    r.insertText("i");
    r.closeSpan();
    r.closeParagraph();
    r.endTextObject();
    const QImage image = paintOnly(r);
    // Text starts at 0.25 in; after the tab it goes on at 0.75 in.
    EXPECT_GT(darkPixels(image, QRectF(24, 20, 10, 40)), 10);
    EXPECT_EQ(darkPixels(image, QRectF(40, 20, 33, 40)), 0);
    EXPECT_GT(darkPixels(image, QRectF(74, 20, 10, 40)), 10);
}

TEST(RecordedPage, ScaledTextIsNarrower) {
    PageRecorder r;
    startPage(r);
    for (int i = 0; i < 2; ++i) {
        RVNGPropertyList t = textBox(QRectF(0.0, 0.2 + i * 1.0, 3.0, 0.8));
        r.startTextObject(t);
        r.openParagraph(RVNGPropertyList());
        RVNGPropertyList span;
        span.insert("fo:font-size", 0.3);
        if (i == 1) // as libmspub writes 50%: a percentage number in a percent property
            span.insert("fo:text-scale", 50.0, librevenge::RVNG_PERCENT);
        r.openSpan(span);
        r.insertText("MMMMM");
        r.closeSpan();
        r.closeParagraph();
        r.endTextObject();
    }
    const QImage image = paintOnly(r);
    auto inkWidth = [&](int top) {
        int left = image.width(), right = -1;
        for (int y = top; y < top + 80; ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qGray(image.pixel(x, y)) < 128) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
        return right - left;
    };
    const int normal = inkWidth(20), scaled = inkWidth(120);
    ASSERT_GT(normal, 100);
    EXPECT_NEAR(scaled, normal / 2, normal / 8);
}

TEST(RecordedPage, RotatedTextTurnsWithItsBox) {
    PageRecorder r;
    startPage(r);
    // A wide box turned by 90 degrees: the text runs upwards through the page's middle column.
    addText(r, QRectF(0.0, 1.25, 3.0, 0.5), "RUOTATO", "center", "middle", 0.3, 90.0);
    const QImage image = paintOnly(r);
    EXPECT_GT(darkPixels(image, QRectF(125, 50, 50, 200)), 200);
    EXPECT_EQ(darkPixels(image, QRectF(0, 0, 110, 300)), 0);
    EXPECT_EQ(darkPixels(image, QRectF(190, 0, 110, 300)), 0);
}

TEST(RecordedPage, BitmapFillIsStretchedIntoThePolygonsBox) {
    QImage source(4, 2, QImage::Format_RGB32);
    source.fill(Qt::green);
    for (int y = 0; y < 2; ++y)
        for (int x = 2; x < 4; ++x)
            source.setPixelColor(x, y, Qt::blue);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(source.save(&buffer, "PNG"));

    PageRecorder r;
    startPage(r);
    RVNGPropertyList style;
    style.insert("draw:fill", "bitmap");
    style.insert("librevenge:mime-type", "image/png");
    style.insert("draw:fill-image", png.toBase64().constData());
    style.insert("style:repeat", "stretch");
    style.insert("draw:stroke", "none");
    r.setStyle(style);
    polygon(r, 1.0, 1.0, 1.6, 1.0);
    const QImage image = paintOnly(r);
    EXPECT_TRUE(test::near(image.pixelColor(130, 150), Qt::green, 20));
    EXPECT_TRUE(test::near(image.pixelColor(230, 150), Qt::blue, 20));
    EXPECT_TRUE(test::near(image.pixelColor(90, 150), Qt::white));
    EXPECT_TRUE(test::near(image.pixelColor(270, 150), Qt::white));
    EXPECT_TRUE(test::near(image.pixelColor(180, 205), Qt::white));
}

TEST(RecordedPage, RecolouredPicturesTakeTheirColourInTheDarkParts) {
    QImage source(2, 1, QImage::Format_RGB32);
    source.setPixelColor(0, 0, Qt::black);
    source.setPixelColor(1, 0, Qt::white);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(source.save(&buffer, "PNG"));

    PageRecorder r;
    startPage(r);
    RVNGPropertyList style;
    style.insert("draw:fill", "bitmap");
    style.insert("librevenge:mime-type", "image/png");
    style.insert("draw:fill-image", png.toBase64().constData());
    style.insert("draw:color-mode", "greyscale");
    style.insert("draw:red", 1.0, librevenge::RVNG_PERCENT);
    style.insert("draw:green", 0.0, librevenge::RVNG_PERCENT);
    style.insert("draw:blue", 0.0, librevenge::RVNG_PERCENT);
    r.setStyle(style);
    polygon(r, 1.0, 1.0, 1.0, 0.5);
    const QImage image = paintOnly(r);
    EXPECT_TRUE(test::near(image.pixelColor(115, 125), Qt::red, 20));
    EXPECT_TRUE(test::near(image.pixelColor(185, 125), Qt::white, 20));
}

TEST(RecordedPage, LargePicturesAreReducedSmoothly) {
    // Fine stripes drawn ten times smaller must come out grey, not black and white.
    QImage source(400, 400, QImage::Format_RGB32);
    for (int y = 0; y < 400; ++y)
        for (int x = 0; x < 400; ++x)
            source.setPixel(x, y, (x / 4) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(source.save(&buffer, "PNG"));
    PageRecorder r;
    startPage(r);
    RVNGPropertyList style;
    style.insert("draw:fill", "bitmap");
    style.insert("librevenge:mime-type", "image/png");
    style.insert("draw:fill-image", png.toBase64().constData());
    r.setStyle(style);
    polygon(r, 1.0, 1.0, 0.4, 0.4);
    const QImage image = paintOnly(r);
    for (int y = 103; y < 137; y += 3)
        for (int x = 103; x < 137; x += 3)
            ASSERT_NEAR(qGray(image.pixel(x, y)), 128, 50) << x << "," << y;
}

TEST(RecordedPage, LayerClipPathLimitsWhatIsInside) {
    PageRecorder r;
    startPage(r);
    RVNGPropertyList layer;
    layer.insert("svg:clip-path", "M 0 0 L 1.5 0 L 1.5 3 L 0 3 Z");
    r.startLayer(layer);
    RVNGPropertyList style;
    style.insert("draw:fill", "solid");
    style.insert("draw:fill-color", "#000000");
    r.setStyle(style);
    polygon(r, 0.5, 0.5, 2.0, 2.0);
    r.endLayer();
    const QImage image = paintOnly(r);
    EXPECT_TRUE(test::near(image.pixelColor(100, 150), Qt::black));
    EXPECT_TRUE(test::near(image.pixelColor(200, 150), Qt::white));
}

TEST(RecordedPage, TableCellTextGoesIntoItsCell) {
    PageRecorder r;
    startPage(r);
    RVNGPropertyList table;
    table.insert("svg:x", 0.5);
    table.insert("svg:y", 0.5);
    table.insert("svg:width", 2.0);
    table.insert("svg:height", 2.0);
    RVNGPropertyListVector columns;
    for (int i = 0; i < 2; ++i) {
        RVNGPropertyList c;
        c.insert("style:column-width", 1.0);
        columns.append(c);
    }
    table.insert("librevenge:table-columns", columns);
    r.startTableObject(table);
    for (int row = 0; row < 2; ++row) {
        RVNGPropertyList rowProps;
        rowProps.insert("librevenge:row-height", 1.0);
        r.openTableRow(rowProps);
        for (int col = 0; col < 2; ++col) {
            RVNGPropertyList cell;
            cell.insert("librevenge:row", row);
            cell.insert("librevenge:column", col);
            r.openTableCell(cell);
            if (row == 1 && col == 1) {
                r.openParagraph(RVNGPropertyList());
                RVNGPropertyList span;
                span.insert("fo:font-size", 0.2);
                r.openSpan(span);
                r.insertText("Cella");
                r.closeSpan();
                r.closeParagraph();
            }
            r.closeTableCell();
        }
        r.closeTableRow();
    }
    r.endTableObject();
    const QImage image = paintOnly(r);
    EXPECT_GT(darkPixels(image, QRectF(150, 150, 100, 100)), 50);
    EXPECT_EQ(darkPixels(image, QRectF(0, 0, 300, 148)), 0);
    EXPECT_EQ(darkPixels(image, QRectF(0, 0, 148, 300)), 0);
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
    RVNGPropertyList style;
    style.insert("draw:fill", "solid");
    style.insert("draw:fill-color", "not a colour");
    r.setStyle(style);
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
    const QImage image = paint(r.pages().front(), 20);
    EXPECT_FALSE(image.isNull());
}

} // namespace
} // namespace lumetra::pub
