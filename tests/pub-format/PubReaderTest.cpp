// The layout reader. Layouts written by the test-layout writer are read back by the reader and by
// libmspub: the version and page size read back are lumetra-pubinfo's checks (PubInfoTool), how
// libmspub draws their shapes, text, pictures, groups, turned shapes and master pages is checked
// by pixels with the drawing (GeneratedLayout). Files that are no usable layout each end in a
// lumetra::runtime::Error with an Italian description, quickly, without a crash; missing,
// non-layout and unreadable files are refused by lumetra-componi (InputErrati). Real Publisher
// files (LUMETRA_PUB_SAMPLES) are checked against facts seen in them and against what libmspub
// draws; that every one reads or is refused, and that libmspub emits the pages the reader predicts,
// is checked with the drawing (SampleDrawing) and the engine (PubLayout).

#include "CompoundFileWriter.h"
#include "Layout.h"
#include "PageRecorder.h"
#include "PatchedInputStream.h"
#include "PubBuilder.h"
#include "PubStreams.h"
#include "Samples.h"
#include "TestImages.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QtEndian>

#include <libmspub/libmspub.h>
#include <librevenge-stream/librevenge-stream.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>

using namespace lumetra::pub;
using lumetra::pub::CompoundFileWriter;
using lumetra::pub::PubBuilder;
using lumetra::pub::PubFileWriter;
using lumetra::pub::PubItem;
namespace drawing = lumetra::drawing;

namespace {

Layout read(const QByteArray& file) {
    return Layout::readBytes(reinterpret_cast<const std::uint8_t*>(file.constData()),
                             std::size_t(file.size()));
}
Layout readSample(const char* name) {
    return Layout::readFile(drawing::test::sample(QString::fromLatin1(name)));
}

// The error of reading `file`, or -1 when it reads.
int errorOf(const QByteArray& file, QString* description = nullptr) {
    try {
        read(file);
        return -1;
    } catch (const lumetra::runtime::Error& error) {
        if (description) {
            *description = error.Description();
        }
        return error.Number();
    }
}

void setU16(QByteArray& b, qsizetype at, std::uint16_t v) {
    qToLittleEndian(v, b.data() + at);
}
void setU32(QByteArray& b, qsizetype at, std::uint32_t v) {
    qToLittleEndian(v, b.data() + at);
}
std::uint32_t u32(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<std::uint32_t>(b.constData() + at);
}

QByteArray compound(const QByteArray& contents, const QByteArray& escher, bool quill = true) {
    CompoundFileWriter file;
    file.addStream(QStringLiteral("Contents"), contents);
    if (!escher.isNull()) {
        file.addStream(QStringLiteral("Escher/EscherStm"), escher);
    }
    if (quill) {
        QByteArray q("CHNKINK ");
        q.append(QByteArray(24, '\0'));
        setU32(q, 0x1C, 0xFFFFFFFF);
        file.addStream(QStringLiteral("Quill/QuillSub/CONTENTS"), q);
    }
    return file.build();
}

PubBuilder& sampleBuilder(PubBuilder& b) {
    auto& p = b.addPage();
    p.addRectangle(50, 50, 100, 100);
    p.addTextBox(200, 50, 100, 40, QStringLiteral("testo"));
    p.addGroup({PubItem::rectangle(50, 300, 100, 50), PubItem::oval(50, 400, 100, 50)});
    b.addPage().addOval(10, 10, 30, 30);
    return b;
}

// A 98/2000-format Contents: a document chunk, page chunks and shape chunks.
struct OldChunk {
    std::uint16_t type;
    std::uint16_t id;
    std::uint16_t parent;
    std::int32_t xs = 0, ys = 0, xe = 0, ye = 0;
    std::uint16_t pageKind = 1;
};

QByteArray oldContents(const std::vector<OldChunk>& chunks, double widthPt, double heightPt) {
    QByteArray c(0x20, '\0');
    setU32(c, 0, 0x0022ACE8); // the signature of 95/97 to 2000
    std::vector<std::uint32_t> offsets;
    for (const OldChunk& chunk : chunks) {
        offsets.push_back(std::uint32_t(c.size()));
        QByteArray data(0x40, '\0');
        setU16(data, 0, chunk.type);
        if (chunk.type == 0x15) {
            setU32(data, 0x14, std::uint32_t(widthPt * 12700));
            setU32(data, 0x18, std::uint32_t(heightPt * 12700));
        } else if (chunk.type == 0x14) {
            setU16(data, 0x14, chunk.pageKind);
        } else {
            setU32(data, 6, std::uint32_t(chunk.xs));
            setU32(data, 10, std::uint32_t(chunk.ys));
            setU32(data, 14, std::uint32_t(chunk.xe));
            setU32(data, 18, std::uint32_t(chunk.ye));
        }
        c += data;
    }
    setU32(c, 0x16, std::uint32_t(c.size()));
    QByteArray table;
    table.append(char(chunks.size() & 0xFF));
    table.append(char(chunks.size() >> 8));
    for (std::size_t i = 0; i < chunks.size(); ++i) {
        QByteArray entry(10, '\0');
        setU16(entry, 2, chunks[i].id);
        setU16(entry, 4, chunks[i].parent);
        setU32(entry, 6, offsets[i]);
        table += entry;
    }
    return c + table;
}

// A box in points as 98/2000 stores it: EMU from the page centre.
OldChunk shape(std::uint16_t type, std::uint16_t id, std::uint16_t parent, double l, double t,
               double w, double h, double pageW = 612, double pageH = 792, double shift = 0) {
    auto emu = [](double pt) { return std::int32_t(std::lround(pt * 12700)); };
    return {type,
            id,
            parent,
            emu(l - pageW / 2) + emu(shift),
            emu(t - pageH / 2) + emu(shift),
            emu(l + w - pageW / 2) + emu(shift),
            emu(t + h - pageH / 2) + emu(shift)};
}

// A 98/2000 page of a rectangle, a text frame and an oval.
std::vector<OldChunk> layout2000() {
    return {{0x15, 0x120, 0},
            {0x14, 0x121, 0x120},
            shape(0x05, 0x130, 0x121, 72, 100, 200, 150),
            shape(0x08, 0x131, 0x121, 300, 100, 100, 50),
            shape(0x07, 0x132, 0x121, 72, 300, 100, 50)};
}

QByteArray png(QColor colour) {
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

void expectBox(const Shape& s, double l, double t, double w, double h) {
    EXPECT_NEAR(s.left, l, 0.01);
    EXPECT_NEAR(s.top, t, 0.01);
    EXPECT_NEAR(s.width, w, 0.01);
    EXPECT_NEAR(s.height, h, 0.01);
}

// What libmspub draws of a layout held in memory (with the reader's stream patches applied), as
// the drawing layer records it, page by page: the shapes' boxes, in points, and
// the text, one entry a paragraph. Nothing when libmspub refuses the file.
struct DrawnPage {
    QSizeF size;
    std::vector<QRectF> boxes;
    QStringList paragraphs;
};

std::optional<std::vector<DrawnPage>>
drawWithLibmspub(const QByteArray& file, const std::vector<StreamPatch>& patches = {}) {
    drawing::PatchedInputStream input(std::make_unique<librevenge::RVNGStringStream>(
                                          reinterpret_cast<const unsigned char*>(file.constData()),
                                          static_cast<unsigned>(file.size())),
                                      patches);
    drawing::PageRecorder recorder;
    if (!libmspub::MSPUBDocument::isSupported(&input) ||
        !libmspub::MSPUBDocument::parse(&input, &recorder)) {
        return std::nullopt;
    }
    std::vector<DrawnPage> pages;
    for (const drawing::RecordedPage& recorded : recorder.pages()) {
        DrawnPage& page = pages.emplace_back();
        page.size = recorded.size * 72;
        for (const drawing::DisplayItem& item : recorded.items) {
            if (const auto* shape = std::get_if<drawing::ShapeItem>(&item)) {
                const QRectF box = shape->path.boundingRect();
                page.boxes.emplace_back(box.topLeft() * 72, box.size() * 72);
            } else if (const auto* text = std::get_if<drawing::TextItem>(&item)) {
                for (const drawing::TextParagraph& paragraph : text->paragraphs) {
                    QString joined;
                    for (const drawing::TextSpan& span : paragraph.spans) {
                        joined += span.text;
                    }
                    page.paragraphs << joined;
                }
            }
        }
    }
    return pages;
}

// A shape libmspub drew over the box (outlines move the top edge up by half the line width).
bool drawnAt(const DrawnPage& page, QRectF box) {
    return std::any_of(page.boxes.begin(), page.boxes.end(), [&](const QRectF& p) {
        return std::abs(p.left() - box.left()) < 0.6 && std::abs(p.top() - box.top()) < 0.6 &&
               std::abs(p.right() - box.right()) < 0.6 && std::abs(p.bottom() - box.bottom()) < 0.6;
    });
}

} // namespace

TEST(PubOlderFormats, Publisher2000And97FilesAreRead) {
    const Layout l2000 = read(compound(oldContents(layout2000(), 612, 792), QByteArray()));
    EXPECT_EQ(l2000.version(), Version::Publisher2000);
    ASSERT_EQ(l2000.pages().size(), 1u);
    ASSERT_EQ(l2000.pages()[0].shapes.size(), 3u);
    EXPECT_NEAR(l2000.pages()[0].shapes[0].left, 72, 0.01);
    EXPECT_NEAR(l2000.pages()[0].shapes[0].height, 150, 0.01);
    EXPECT_EQ(l2000.pages()[0].shapes[1].type, TypeTextBox);
    EXPECT_EQ(l2000.pages()[0].shapes[2].autoShapeType, AutoShapeOval);
    EXPECT_EQ(l2000.pictureSlots(), (std::vector<int>{1}));

    // 95/97: no text stream, shapes measured from a point 25 inches off the page centre.
    const std::vector<OldChunk> layout97{
        {0x15, 0x120, 0},
        {0x14, 0x121, 0x120},
        shape(0x05, 0x130, 0x121, 72, 100, 200, 150, 612, 792, 1800)};
    const Layout l97 = read(compound(oldContents(layout97, 612, 792), QByteArray(), false));
    EXPECT_EQ(l97.version(), Version::Publisher97);
    EXPECT_EQ(l97.versionName(), QStringLiteral("95/97"));
    EXPECT_NEAR(l97.pages()[0].shapes[0].left, 72, 0.01);
    EXPECT_NEAR(l97.pages()[0].shapes[0].top, 100, 0.01);
}

// Each row is refused as no layout, with these words in its description.
TEST(PubBadInput, BrokenLayoutsOfEveryVersionAreRefused) {
    // 98/2000: duplicate ids make group 0x140 contain itself through 0x141; 40 nested groups.
    const std::vector<OldChunk> cycle{{0x15, 0x120, 0},
                                      {0x14, 0x121, 0x120},
                                      shape(0x0F, 0x140, 0x121, 10, 10, 50, 50),
                                      shape(0x0F, 0x141, 0x140, 10, 10, 50, 50),
                                      shape(0x0F, 0x140, 0x141, 10, 10, 50, 50)};
    std::vector<OldChunk> deepOld{{0x15, 0x120, 0}, {0x14, 0x121, 0x120}};
    for (std::uint16_t id = 0x200; id < 0x200 + 40; ++id) {
        deepOld.push_back(shape(0x0F, id, id == 0x200 ? 0x121 : id - 1, 10, 10, 50, 50));
    }
    deepOld.push_back(shape(0x05, 0x300, 0x200 + 39, 10, 10, 50, 50));
    const QByteArray old = oldContents(layout2000(), 612, 792);
    QByteArray oldPastEnd = old, oldLongTable = old;
    setU32(oldPastEnd, oldPastEnd.size() - 4, 0x7FFFFFF0); // the last chunk's offset
    setU16(oldLongTable, qsizetype(u32(old, 0x16)), 0xFFFF);

    // 2002: no pages, pages without shapes, 40 nested groups, and damaged streams.
    PubBuilder noShapes, deep, sample;
    noShapes.addPage();
    noShapes.addPage();
    PubItem group = PubItem::group({PubItem::rectangle(10, 10, 10, 10)});
    for (int i = 0; i < 40; ++i) {
        group = PubItem::group({group, PubItem::oval(30, 30, 10, 10)});
    }
    deep.addPage().add(group);
    const PubFileWriter writer(sampleBuilder(sample));
    const QByteArray contents = writer.contents(), escher = writer.escher();
    ASSERT_EQ(errorOf(compound(contents, escher)), -1);
    QByteArray trailerPastEnd = contents, chunkPastEnd = contents, hugeRecord = escher;
    setU32(trailerPastEnd, 0x1A, 0xFFFFFF00);
    // Every 0x88 directory entry's chunk offset (sub-block 04 B8) pointed past the end.
    int patched = 0;
    for (qsizetype at = qsizetype(u32(contents, 0x1A)); at + 6 <= chunkPastEnd.size(); ++at) {
        if (chunkPastEnd[at] == 0x04 && std::uint8_t(chunkPastEnd[at + 1]) == 0xB8) {
            setU32(chunkPastEnd, at + 2, 0x7FFFFFF0);
            ++patched;
        }
    }
    ASSERT_GT(patched, 3);
    setU32(hugeRecord, 4, 0xFFFFFFF0); // a drawing record claiming 4 GB

    const struct {
        const char* name;
        QByteArray file;
        const char* why;
    } rows[] = {
        {"Publisher 2.0: the 95/97 marker, shapes from the page centre",
         compound(old, QByteArray(), false), "2.0"},
        {"98/2000 group cycle", compound(oldContents(cycle, 612, 792), QByteArray()), "circolari"},
        {"98/2000 nesting", compound(oldContents(deepOld, 612, 792), QByteArray()), "annidati"},
        {"98/2000 chunk past the end", compound(oldPastEnd, QByteArray()),
         "oltre la fine di un flusso"},
        {"98/2000 chunk table past the end", compound(oldLongTable, QByteArray()), "indice"},
        {"2002 without pages", PubBuilder().bytes(), "pagine"},
        {"2002 without shapes", noShapes.bytes(), "forme"},
        {"2002 nesting", deep.bytes(), "annidati"},
        {"2002 directory past the end", compound(trailerPastEnd, escher), "indice"},
        {"2002 chunks past the end", compound(chunkPastEnd, escher), "riferimento a un blocco"},
        {"2002 drawing record past its container", compound(contents, hugeRecord), "OfficeArt"},
        {"2002 without the drawing stream", compound(contents, QByteArray()), "mancano parti"},
        {"2002 without the text stream", compound(contents, escher, false), "mancano parti"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QString why;
        EXPECT_EQ(errorOf(row.file, &why), lumetra::runtime::ErrLayoutNonValido);
        EXPECT_TRUE(why.contains(QString::fromUtf8(row.why))) << why.toStdString();
    }
}

// Empty, random and text files, and a Contents of another version, are refused by lumetra-componi
// (InputErrati); here, cuts at every depth of the file and flipped bits.
TEST(PubBadInput, TruncatedAndFlippedFilesNeverCrash) {
    QRandomGenerator random(20261206);
    PubBuilder b;
    const QByteArray good = sampleBuilder(b).bytes();
    ASSERT_EQ(errorOf(good), -1);
    // Cut anywhere in the first three quarters: the compound file or a stream breaks.
    for (qsizetype size = 0; size < good.size() * 3 / 4; size += 97) {
        EXPECT_EQ(errorOf(good.left(size)), lumetra::runtime::ErrLayoutNonValido)
            << "cut at " << size;
    }
    // Flipped bytes: a layout that still reads keeps its invariants.
    for (int round = 0; round < 300; ++round) {
        QByteArray bad = good;
        for (int k = 0; k < 4; ++k) {
            bad[qsizetype(random.bounded(quint32(bad.size())))] ^= char(1 << random.bounded(8));
        }
        try {
            const Layout layout = read(bad);
            ASSERT_FALSE(layout.pages().empty());
            for (const int slot : layout.pictureSlots()) {
                ASSERT_GE(slot, 1);
                ASSERT_LE(std::size_t(slot), layout.pages()[0].shapes.size());
            }
        } catch (const lumetra::runtime::Error& error) {
            EXPECT_EQ(error.Number(), lumetra::runtime::ErrLayoutNonValido);
        }
    }
}

TEST(PubRoundTrip, FirstPageShapesGiveTypesBoxesAndTheSlotTable) {
    PubBuilder b;
    b.pageSize(595.3, 841.9);
    auto& p = b.addPage();
    p.addRectangle(50, 60, 200, 150);                       // 1: slot
    p.addTextBox(50, 20, 200, 30, QStringLiteral("testo")); // 2
    p.addOval(300, 60, 100, 80);                            // 3
    p.addRectangle(300, 200, 120.5, 90.25);                 // 4: slot
    p.addRoundedRectangle(50, 250, 100, 80);                // 5
    p.addGroup({PubItem::rectangle(300, 400, 100, 80),      // 6: group, members never slots
                PubItem::picture(300, 500, 100, 80, png(Qt::blue))});
    p.addPicture(50, 400, 120, 90, png(Qt::red)); // 7: a picture, no slot
    p.addRectangle(60, 700, 40, 30);              // 8: slot
    // Listed in reverse in the page chunk: the collection follows the drawing order.
    p.setShapeListReversed(true);
    const Layout layout = read(b.bytes());

    ASSERT_EQ(layout.pages().size(), 1u);
    const auto& shapes = layout.pages()[0].shapes;
    ASSERT_EQ(shapes.size(), 8u);
    const std::vector<std::pair<int, int>> expected{{TypeAutoShape, AutoShapeRectangle},
                                                    {TypeTextBox, AutoShapeRectangle},
                                                    {TypeAutoShape, AutoShapeOval},
                                                    {TypeAutoShape, AutoShapeRectangle},
                                                    {TypeAutoShape, AutoShapeRoundedRectangle},
                                                    {TypeGroup, AutoShapeNone},
                                                    {TypePicture, AutoShapeRectangle},
                                                    {TypeAutoShape, AutoShapeRectangle}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(shapes[i].type, expected[i].first) << "shape " << i + 1;
        EXPECT_EQ(shapes[i].autoShapeType, expected[i].second) << "shape " << i + 1;
    }
    expectBox(shapes[3], 300, 200, 120.5, 90.25);
    expectBox(shapes[5], 300, 400, 100, 180); // the group's box spans its members
    ASSERT_EQ(shapes[5].children.size(), 2u);
    expectBox(shapes[5].children[1], 300, 500, 100, 80);
    EXPECT_TRUE(shapes[5].children[1].hasPicture());
    EXPECT_TRUE(shapes[6].hasPicture());
    EXPECT_EQ(layout.pictureSlots(), (std::vector<int>{1, 4, 8}));
}

TEST(PubRoundTrip, RotatedShapesKeepTheirUnturnedBox) {
    const std::vector<PubItem> items{PubItem::rectangle(100, 100, 200, 50).rotated(90),
                                     PubItem::rectangle(100, 300, 200, 50).rotated(-90),
                                     PubItem::rectangle(100, 500, 200, 50).rotated(30),
                                     PubItem::oval(350, 100, 80, 40).rotated(180)};
    PubBuilder b;
    auto& p = b.addPage();
    for (const PubItem& item : items) {
        p.add(item);
    }
    const Layout layout = read(b.bytes());
    const auto& shapes = layout.pages()[0].shapes;
    ASSERT_EQ(shapes.size(), items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        SCOPED_TRACE(i + 1);
        expectBox(shapes[i], items[i].left, items[i].top, items[i].width, items[i].height);
        EXPECT_DOUBLE_EQ(shapes[i].rotation, items[i].rotation);
    }
    // Turned rectangles are still rectangles.
    EXPECT_EQ(layout.pictureSlots(), (std::vector<int>{1, 2, 3}));
}

TEST(PubRoundTrip, PagesMastersAndWhatLibmspubEmits) {
    PubBuilder b;
    b.pageSize(841.9, 595.3); // landscape
    auto& master = b.addMasterPage(QStringLiteral("A"));
    master.addRectangle(20, 20, 30, 30);
    auto& first = b.addPage();
    first.setMaster(master);
    first.addTextBox(100, 100, 200, 40, QStringLiteral("prima\nseconda riga"));
    first.addRectangle(100, 200, 200, 100);
    b.addPage().setMaster(master); // no shapes of its own
    auto& third = b.addPage();
    third.addOval(10, 10, 50, 50);
    third.addRectangle(400, 300, 10, 10);
    b.addPage(); // nothing, and no master where pages have one: a special page, no page
    const QByteArray file = b.bytes();
    const Layout layout = read(file);

    ASSERT_EQ(layout.masters().size(), 1u);
    EXPECT_EQ(layout.masters()[0].masterName, QStringLiteral("A"));
    EXPECT_EQ(layout.masters()[0].shapes.size(), 1u);
    ASSERT_EQ(layout.pages().size(), 3u);
    EXPECT_EQ(layout.firstPageIndex(), 0);
    EXPECT_EQ(layout.pages()[0].masterIndex, 0);
    EXPECT_EQ(layout.pages()[1].masterIndex, 0);
    EXPECT_EQ(layout.pages()[2].masterIndex, -1);
    EXPECT_TRUE(layout.pages()[1].shapes.empty());
    EXPECT_EQ(layout.pictureSlots(0), (std::vector<int>{2}));
    EXPECT_EQ(layout.pictureSlots(2), (std::vector<int>{2}));

    // libmspub skips the page without shapes of its own, and one whose every shape is hidden (that
    // it draws the master's shapes on the pages using it, and that hidden shapes and groups vanish
    // from its drawing, is checked by pixels with the drawing, GeneratedLayout).
    EXPECT_EQ(layout.drawnPages(), (std::vector<int>{0, 2}));
    EXPECT_EQ(layout.drawnPosition(1), -1);
    EXPECT_EQ(layout.drawnPosition(2), 1);
    const auto drawn = drawWithLibmspub(file);
    ASSERT_TRUE(drawn);
    ASSERT_EQ(drawn->size(), 2u);
    EXPECT_NEAR((*drawn)[0].size.width(), 841.9, 0.01);
    EXPECT_NEAR((*drawn)[0].size.height(), 595.3, 0.01);
    EXPECT_EQ((*drawn)[0].paragraphs,
              (QStringList{QStringLiteral("prima"), QStringLiteral("seconda riga")}));

    const std::vector<HiddenShapes> hidden{{0, {0, 1}}};
    EXPECT_EQ(layout.drawnPages(hidden), (std::vector<int>{2}));
    EXPECT_EQ(layout.drawnPosition(2, hidden), 0);
    const auto without = drawWithLibmspub(file, layout.hidePatches(0, {0, 1}));
    ASSERT_TRUE(without);
    ASSERT_EQ(without->size(), 1u);
    EXPECT_TRUE(drawnAt(without->front(), QRectF(400, 300, 10, 10)));
    EXPECT_TRUE(layout.hidePatches(0, {-1, 99}).empty());
    EXPECT_TRUE(layout.hidePatches(7, {0}).empty());
}

TEST(PubSamples, Publisher2010LayoutHasTheKnownPagesAndShapes) {
    LUMETRA_REQUIRE_SAMPLES();
    for (const char* name :
         {"14.0_REG-TST2-pub2010.pub", "12.0_REG-TST2-pub97-to-pub2007-with-pub2007.pub"}) {
        SCOPED_TRACE(name);
        const Layout layout = readSample(name);
        EXPECT_EQ(layout.version(), Version::Publisher2002);
        EXPECT_NEAR(layout.pageWidth(), 612, 0.01); // 8.5 x 11 in
        EXPECT_NEAR(layout.pageHeight(), 792, 0.01);
        ASSERT_EQ(layout.masters().size(), 1u);
        EXPECT_EQ(layout.masters()[0].id, 259u);
        ASSERT_GE(layout.pages().size(), 4u);
        EXPECT_EQ(layout.pages()[0].id, 260u);
        EXPECT_EQ(layout.pages()[1].id, 314u);
        EXPECT_EQ(layout.pages()[3].id, 383u);

        // Page 260: a text box, five tables, three text boxes; no slot.
        const auto& first = layout.pages()[0].shapes;
        ASSERT_EQ(first.size(), 9u);
        EXPECT_EQ(first[0].type, TypeTextBox);
        EXPECT_EQ(first[0].storedType, 202);
        expectBox(first[0], 82.50, 100.50, 81.00, 49.50);
        for (int i = 1; i <= 5; ++i) {
            EXPECT_EQ(first[std::size_t(i)].type, TypeTable);
        }
        EXPECT_EQ(first[8].type, TypeTextBox);
        expectBox(first[8], 87.30, 552.38, 81.00, 54.00);
        EXPECT_TRUE(layout.pictureSlots().empty());

        // Page 314: ten pictures stored as rectangles with a picture; none is a slot.
        const auto& pictures = layout.pages()[1].shapes;
        ASSERT_EQ(pictures.size(), 10u);
        for (std::size_t i = 0; i < pictures.size(); ++i) {
            EXPECT_EQ(pictures[i].storedType, 1);
            EXPECT_EQ(pictures[i].pictureIndex, i + 1);
            EXPECT_EQ(pictures[i].type, TypePicture);
        }
        expectBox(pictures[0], 79.20, 87.30, 164.92, 48.45);
        EXPECT_TRUE(layout.pictureSlots(1).empty());

        // Page 383: 44 shapes, some turned by -90 degrees (reported with their unturned box),
        // two plain rectangles.
        const auto& mixed = layout.pages()[3].shapes;
        ASSERT_EQ(mixed.size(), 44u);
        const auto turned = std::count_if(mixed.begin(), mixed.end(),
                                          [](const Shape& s) { return s.rotation == -90; });
        EXPECT_GE(turned, 3);
        expectBox(mixed[15], 157.16, 397.46, 27.90, 33.97);
        EXPECT_EQ(layout.pictureSlots(3), (std::vector<int>{5, 7}));
    }
}

TEST(PubSamples, TablesAndPageSizes) {
    LUMETRA_REQUIRE_SAMPLES();
    for (const char* name : {"10.0_tables.pub", "11.0_tables.pub", "11.0_table-merged.pub"}) {
        SCOPED_TRACE(name);
        const Layout layout = readSample(name);
        const bool hasTable =
            std::any_of(layout.pages()[0].shapes.begin(), layout.pages()[0].shapes.end(),
                        [](const Shape& s) { return s.type == TypeTable && s.storedType == 201; });
        EXPECT_TRUE(hasTable);
    }
    const Layout a4 = readSample("12.0_fonts.pub");
    EXPECT_NEAR(a4.pageWidth(), 595.28, 0.01);
    EXPECT_NEAR(a4.pageHeight(), 841.89, 0.01);
}

TEST(PubSamples, Publisher98And2000Layouts) {
    LUMETRA_REQUIRE_SAMPLES();
    const Layout layout = readSample("8.5_pub98t1.pub");
    EXPECT_EQ(layout.version(), Version::Publisher2000);
    EXPECT_EQ(layout.versionName(), QStringLiteral("98/2000"));
    EXPECT_NEAR(layout.pageWidth(), 792, 0.01); // landscape letter
    EXPECT_NEAR(layout.pageHeight(), 612, 0.01);
    ASSERT_EQ(layout.pages().size(), 2u);
    const auto& first = layout.pages()[0].shapes;
    ASSERT_EQ(first.size(), 9u);
    // A group of two rectangles and a picture: none of them is a slot.
    EXPECT_EQ(first[0].type, TypeGroup);
    ASSERT_EQ(first[0].children.size(), 3u);
    EXPECT_EQ(first[0].children[0].autoShapeType, AutoShapeRectangle);
    EXPECT_EQ(first[0].children[2].type, TypePicture);
    EXPECT_TRUE(layout.pictureSlots().empty());
    // Page 2 starts with a rectangle: a slot of that page.
    EXPECT_EQ(layout.pictureSlots(1), (std::vector<int>{1}));
    expectBox(layout.pages()[1].shapes[0], 47.52, 36.00, 216.48, 540.00);

    // The page of zero-size prototype shapes is no document page; libmspub still emits it.
    EXPECT_EQ(readSample("9.0_langs.pub").drawnPages(), (std::vector<int>{-1, 0}));
}

// Pages as Publisher shows them: no special page of the file, no page of prototypes, and every
// page libmspub draws something on is one of ours. Per file: shapes per page, page 1's slots.
TEST(PubSamples, PagesOfEveryRealFile) {
    LUMETRA_REQUIRE_SAMPLES();
    using V = std::vector<int>;
    const struct {
        const char* name;
        V shapes, slotList;
    } rows[] = {
        {"10.0_tables.pub", {2}, {}},
        {"11.0_table-merged.pub", {1}, {}},
        {"11.0_tables.pub", {2}, {}},
        {"12.0_REG-TST2-pub97-to-pub2007-with-pub2007.pub", {9, 10, 8, 44}, {}},
        {"12.0_REG-TXT1-pub97-to-pub2007-with-pub2007.pub", {1}, {}},
        {"12.0_fonts.pub", {1}, {}},
        {"14.0_REG-TST2-pub2010.pub", {9, 10, 8, 44}, {}},
        {"14.0_REG-TXT1-pub2010.pub", {1}, {}},
        {"8.5_essai98.pub", {38, 2}, {2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13,
                                      14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24}},
        {"8.5_pub98.t2.pub", {14, 19, 19, 10}, {}},
        {"8.5_pub98t1.pub", {9, 10}, {}},
        {"8.5_wizard98.pub", {16, 19, 19, 11}, {}},
        {"9.0_langs.pub", {1}, {}},
        {"9.0_text-format.pub", {1}, {}},
        {"9.0_text-style.pub", {1}, {}},
        {"3.0_essai3A.PUB", {35, 2, 3, 1}, {}},
        {"3.0_essaiv3.PUB", {15, 13, 52, 49}, {5}},
        {"3.0_tablev3.PUB", {1, 1}, {}},
        {"3.0_testv3.PUB", {1}, {}},
        {"8.0_essai97.pub", {35, 6, 3, 2, 1}, {}},
        {"8.0_test97.pub", {2, 1, 3, 2}, {}},
        {"8.0_wizard97.pub", {1, 1, 1}, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QString path = drawing::test::sample(QLatin1String(row.name));
        if (!QFile::exists(path)) { // Publisher 3.0 and 97 files have a folder of their own
            path = drawing::test::samplesFolder() + QStringLiteral("-older/") + row.name;
        }
        if (!QFile::exists(path)) {
            GTEST_SKIP() << "older Publisher files (pub-samples-older) not available";
        }
        const QByteArray bytes = lumetra::testimages::readBytes(path);
        const Layout layout = read(bytes);
        V shapes;
        for (const Page& page : layout.pages()) {
            shapes.push_back(int(page.shapes.size()));
        }
        EXPECT_EQ(shapes, row.shapes);
        EXPECT_EQ(layout.pictureSlots(), row.slotList);
        const auto drawn = drawWithLibmspub(bytes);
        const V order = layout.drawnPages();
        ASSERT_TRUE(drawn && drawn->size() == order.size());
        for (std::size_t i = 0; i < order.size(); ++i) {
            const DrawnPage& page = (*drawn)[i];
            EXPECT_TRUE(order[i] >= 0 || (page.boxes.empty() && page.paragraphs.empty())) << i;
        }
    }
}

TEST(PubSamples, HidingAPageShapesTakesItOutOfLibmspubsPagesAsPredicted) {
    LUMETRA_REQUIRE_SAMPLES();
    for (const char* name : {"14.0_REG-TST2-pub2010.pub", "10.0_tables.pub", "8.5_pub98t1.pub",
                             "8.5_wizard98.pub", "9.0_langs.pub"}) {
        SCOPED_TRACE(name);
        const QByteArray bytes =
            lumetra::testimages::readBytes(drawing::test::sample(QLatin1String(name)));
        const Layout layout = read(bytes);
        for (int p = 0; p < int(layout.pages().size()); ++p) {
            const auto& shapes = layout.pages()[std::size_t(p)].shapes;
            if (shapes.empty()) {
                continue;
            }
            std::vector<int> all(shapes.size());
            std::iota(all.begin(), all.end(), 0);
            const std::vector<HiddenShapes> hidden{{p, all}};
            const auto drawn = drawWithLibmspub(bytes, layout.hidePatches(p, all));
            ASSERT_TRUE(drawn) << "page " << p;
            EXPECT_EQ(drawn->size(), layout.drawnPages(hidden).size()) << "page " << p;
            EXPECT_EQ(layout.drawnPosition(p, hidden), -1);
        }
    }
}
