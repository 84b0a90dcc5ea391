#include "PubStreams.h"

#include "PubFormat.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>

namespace lumetra::pub {

namespace {

void u8(QByteArray& out, std::uint8_t v) {
    out.append(char(v));
}
void u16(QByteArray& out, std::uint16_t v) {
    out.append(char(v & 0xFF));
    out.append(char(v >> 8));
}
void u32(QByteArray& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        out.append(char((v >> (8 * i)) & 0xFF));
    }
}
void s32(QByteArray& out, std::int32_t v) {
    u32(out, static_cast<std::uint32_t>(v));
}
void setU32(QByteArray& out, qsizetype at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        out[at + i] = char((v >> (8 * i)) & 0xFF);
    }
}

// Contents blocks.
QByteArray block4(std::uint8_t id, std::uint8_t type, std::uint32_t value) {
    QByteArray out;
    u8(out, id);
    u8(out, type);
    u32(out, value);
    return out;
}
QByteArray block2(std::uint8_t id, std::uint8_t type, std::uint16_t value) {
    QByteArray out;
    u8(out, id);
    u8(out, type);
    u16(out, value);
    return out;
}
QByteArray blockVar(std::uint8_t id, std::uint8_t type, const QByteArray& payload) {
    QByteArray out;
    u8(out, id);
    u8(out, type);
    u32(out, std::uint32_t(payload.size() + 4));
    return out + payload;
}
QByteArray chunk(const QByteArray& blocks) {
    QByteArray out;
    u32(out, std::uint32_t(blocks.size() + 4));
    return out + blocks;
}

// OfficeArt records.
QByteArray record(int version, int instance, int type, const QByteArray& contents) {
    QByteArray out;
    u16(out, std::uint16_t(version | instance << 4));
    u16(out, std::uint16_t(type));
    u32(out, std::uint32_t(contents.size()));
    return out + contents;
}

std::uint32_t bgr(QRgb c) {
    return std::uint32_t(qRed(c)) | std::uint32_t(qGreen(c)) << 8 | std::uint32_t(qBlue(c)) << 16;
}

struct Emu {
    std::int32_t xs, ys, xe, ye;
};

// A stored 32-bit value from a computed one: rounded, saturated to the range of the records and
// 0 for a value that is not a number (PubBuilder::problem() refuses such input; this only keeps
// the conversion defined).
std::int32_t stored(double value) {
    if (!std::isfinite(value)) {
        return 0;
    }
    const double limit = 2147483647.0;
    return std::int32_t(std::clamp(std::round(value), -limit, limit));
}

} // namespace

PubFileWriter::PubFileWriter(const PubBuilder& builder)
    : widthEmu_(std::max(0, stored(builder.width_ * EmuPerPoint))),
      heightEmu_(std::max(0, stored(builder.height_ * EmuPerPoint))) {
    // Masters come first in the document's page list.
    for (int pass = 0; pass < 2; ++pass) {
        for (const auto& page : builder.pages_) {
            const bool master = !page->masterName_.isEmpty();
            if (master == (pass == 0)) {
                pages_.push_back({page.get(), nextSeqnum(), {}});
            }
        }
    }
    for (Page& page : pages_) {
        for (const PubItem& item : page.page->items()) {
            page.shapes.push_back(prepare(item, page.seqnum));
        }
    }
}

std::uint32_t PubFileWriter::nextSeqnum() {
    do {
        ++lastSeqnum_;
    } while (lastSeqnum_ == 0x10D || lastSeqnum_ == 0x110 || lastSeqnum_ == 0x113 ||
             lastSeqnum_ == 0x117);
    return lastSeqnum_;
}

PubFileWriter::Shape PubFileWriter::prepare(const PubItem& item, std::uint32_t parent) {
    Shape shape;
    shape.item = &item;
    shape.seqnum = nextSeqnum();
    shape.parent = parent;
    if (item.kind == PubItem::Kind::TextBox) {
        shape.textId = static_cast<int>(texts_.size());
        texts_.push_back(item.text);
    } else if (item.kind == PubItem::Kind::Picture) {
        pictures_.push_back(&item);
        shape.pictureIndex = static_cast<int>(pictures_.size());
    } else if (item.kind == PubItem::Kind::Group) {
        for (const PubItem& member : item.members) {
            shape.members.push_back(prepare(member, shape.seqnum));
        }
    }
    return shape;
}

// ---- Contents -------------------------------------------------------------------------------

void PubFileWriter::appendChunks(const Shape& shape,
                                 std::vector<std::pair<std::uint32_t, QByteArray>>& chunks,
                                 std::vector<std::pair<std::uint32_t, int>>& types) const {
    QByteArray blocks;
    if (shape.textId >= 0) {
        blocks += block4(0x27, 0x20, std::uint32_t(shape.textId));
    }
    const bool group = shape.item->kind == PubItem::Kind::Group;
    chunks.push_back({shape.seqnum, chunk(blocks)});
    types.push_back({shape.seqnum, group ? ChunkGroup : ChunkShape});
    for (const Shape& member : shape.members) {
        appendChunks(member, chunks, types);
    }
}

QByteArray PubFileWriter::contents() const {
    std::vector<std::pair<std::uint32_t, QByteArray>> chunks; // seqnum, chunk
    std::vector<std::pair<std::uint32_t, int>> types;         // seqnum, chunk type
    std::map<std::uint32_t, std::uint32_t> parents;

    QByteArray size = block4(0x01, 0x20, std::uint32_t(widthEmu_)) +
                      block4(0x02, 0x20, std::uint32_t(heightEmu_));
    QByteArray pageList;
    for (const Page& page : pages_) {
        pageList += block4(0x00, 0x70, page.seqnum);
    }
    chunks.push_back({0x100, chunk(blockVar(0x12, 0x88, size) + blockVar(0x02, 0xA0, pageList))});
    types.push_back({0x100, ChunkDocument});

    for (const Page& page : pages_) {
        QByteArray shapeList;
        std::vector<const Shape*> listed;
        for (const Shape& s : page.shapes) {
            listed.push_back(&s);
        }
        if (page.page->reversed_) {
            std::reverse(listed.begin(), listed.end());
        }
        for (const Shape* s : listed) {
            shapeList += block4(0x00, 0x70, s->seqnum);
        }
        QByteArray blocks = blockVar(0x02, 0xA0, shapeList);
        if (!page.page->masterName_.isEmpty()) {
            QByteArray name;
            for (const QChar c : page.page->masterName_) {
                u16(name, c.unicode());
            }
            u16(name, 0);
            blocks += blockVar(0x0E, 0xC0, name);
        } else {
            // The page number block Publisher writes for the document's pages (8 bytes).
            blocks += QByteArray("\x06\x28\x01\0\0\0\0\0\0\0", 10);
        }
        if (page.page->masterNumber_ >= 0) {
            for (const Page& other : pages_) {
                if (other.page->number_ == page.page->masterNumber_) {
                    blocks += block4(0x0D, 0x68, other.seqnum);
                }
            }
        }
        chunks.push_back({page.seqnum, chunk(blocks)});
        types.push_back({page.seqnum, ChunkPage});
        parents[page.seqnum] = 0x100;
        for (const Shape& s : page.shapes) {
            appendChunks(s, chunks, types);
        }
    }
    std::function<void(const Shape&)> noteParents = [&](const Shape& s) {
        parents[s.seqnum] = s.parent;
        for (const Shape& m : s.members) {
            noteParents(m);
        }
    };
    for (const Page& page : pages_) {
        for (const Shape& s : page.shapes) {
            noteParents(s);
        }
    }

    QByteArray out(0x20, '\0');
    out[0] = char(0xE8);
    out[1] = char(0xAC);
    out[2] = char(0x2C);
    std::map<std::uint32_t, std::uint32_t> offsets;
    for (const auto& [seqnum, bytes] : chunks) {
        offsets[seqnum] = std::uint32_t(out.size());
        out += bytes;
    }
    std::map<std::uint32_t, int> typeOf(types.begin(), types.end());

    QByteArray directory;
    for (std::uint32_t seqnum = 0; seqnum <= lastSeqnum_; ++seqnum) {
        const auto it = typeOf.find(seqnum);
        if (it == typeOf.end()) {
            u8(directory, 0x00);
            u8(directory, 0x78);
            continue;
        }
        QByteArray ref =
            block2(0x02, 0x18, std::uint16_t(it->second)) + block4(0x04, 0xB8, offsets[seqnum]);
        if (parents.count(seqnum)) {
            ref += block4(0x05, 0x68, parents[seqnum]);
        }
        directory += blockVar(0x00, 0x88, ref);
    }
    const QByteArray trailer = block4(0x01, 0x20, lastSeqnum_ + 1) +
                               block4(0x02, 0x20, lastSeqnum_) + blockVar(0x03, 0x90, directory);
    setU32(out, 0x1A, std::uint32_t(out.size()));
    u32(out, std::uint32_t(trailer.size() + 4));
    return out + trailer;
}

// ---- Escher ---------------------------------------------------------------------------------

QByteArray PubFileWriter::shapeRecord(const Shape& shape, bool topLevel) const {
    const PubItem& item = *shape.item;
    // Publisher's box (points from the top-left corner) as EMU from the page centre; for shapes
    // turned by about a quarter the stored box is the turned one.
    double l = item.left, t = item.top, w = item.width, h = item.height;
    if (item.kind == PubItem::Kind::Group) {
        // The group's box is the union of its members' boxes.
        bool first = true;
        double r = 0, b = 0;
        std::function<void(const PubItem&)> grow = [&](const PubItem& m) {
            if (m.kind == PubItem::Kind::Group) {
                for (const PubItem& mm : m.members) {
                    grow(mm);
                }
                return;
            }
            if (first) {
                l = m.left, t = m.top, r = m.left + m.width, b = m.top + m.height;
                first = false;
            } else {
                l = std::min(l, m.left), t = std::min(t, m.top);
                r = std::max(r, m.left + m.width), b = std::max(b, m.top + m.height);
            }
        };
        grow(item);
        w = r - l;
        h = b - t;
    }
    if (isTurnedQuarter(item.rotation)) {
        const double cx = l + w / 2, cy = t + h / 2;
        std::swap(w, h);
        l = cx - w / 2;
        t = cy - h / 2;
    }
    const Emu box{stored(l * EmuPerPoint - widthEmu_ / 2), stored(t * EmuPerPoint - heightEmu_ / 2),
                  stored((l + w) * EmuPerPoint - widthEmu_ / 2),
                  stored((t + h) * EmuPerPoint - heightEmu_ / 2)};
    const bool group = item.kind == PubItem::Kind::Group;

    int spt = 1;
    switch (item.kind) {
    case PubItem::Kind::Rectangle:
        spt = 1;
        break;
    case PubItem::Kind::RoundedRectangle:
        spt = 2;
        break;
    case PubItem::Kind::Oval:
        spt = 3;
        break;
    case PubItem::Kind::TextBox:
        spt = 202;
        break;
    case PubItem::Kind::Picture:
        spt = 1;
        break;
    case PubItem::Kind::Group:
        spt = 0;
        break;
    }
    std::uint32_t flags = FlagHaveShapeType | FlagHaveAnchor;
    if (group) {
        flags |= FlagGroup | FlagHaveAnchor;
    }
    if (!topLevel) {
        flags |= FlagChild;
    }

    QByteArray sp;
    if (group) {
        QByteArray fspgr;
        s32(fspgr, box.xs);
        s32(fspgr, box.ys);
        s32(fspgr, box.xe);
        s32(fspgr, box.ye);
        sp += record(1, 0, RecFspgr, fspgr);
    }
    QByteArray fsp;
    u32(fsp, 0x400 + shape.seqnum);
    u32(fsp, flags);
    sp += record(2, spt, RecFsp, fsp);

    std::map<std::uint16_t, std::uint32_t> props;
    if (item.rotation != 0) {
        props[0x0004] = std::uint32_t(stored(item.rotation * 65536));
    }
    if (shape.pictureIndex > 0) {
        props[0x4104] = std::uint32_t(shape.pictureIndex);
    }
    if (!group) {
        if (item.style.fill) {
            props[0x0181] = bgr(*item.style.fill);
            props[0x01BF] = 0x00100010;
        } else {
            props[0x01BF] = 0x00100000;
        }
        if (item.style.line) {
            props[0x01C0] = bgr(*item.style.line);
            props[0x01CB] = std::uint32_t(std::max(0, stored(item.style.lineWidth * EmuPerPoint)));
            props[0x01FF] = 0x00080008;
        } else {
            props[0x01FF] = 0x00080000;
        }
    }
    QByteArray fopt;
    for (const auto& [id, value] : props) {
        u16(fopt, id);
        u32(fopt, value);
    }
    sp += record(3, int(props.size()), RecFopt, fopt);

    if (topLevel) {
        QByteArray anchor;
        u32(anchor, 28);
        for (const auto& [id, v] : {std::pair{0x2001, box.xs}, std::pair{0x2002, box.ys},
                                    std::pair{0x2003, box.xe}, std::pair{0x2004, box.ye}}) {
            u16(anchor, std::uint16_t(id));
            s32(anchor, v);
        }
        sp += record(0, 0, RecClientAnchor, anchor);
    } else {
        // Group coordinate systems are the groups' own boxes in page EMU: child anchors are
        // page EMU too.
        QByteArray anchor;
        s32(anchor, box.xs);
        s32(anchor, box.ys);
        s32(anchor, box.xe);
        s32(anchor, box.ye);
        sp += record(0, 0, RecChildAnchor, anchor);
    }
    QByteArray data;
    u32(data, 10);
    u16(data, 0x6801);
    u32(data, shape.seqnum);
    sp += record(0, 0, RecClientData, data);

    QByteArray container = record(0xF, 0, RecSpContainer, sp);
    if (!group) {
        return container;
    }
    QByteArray members = container;
    for (const Shape& m : shape.members) {
        members += shapeRecord(m, false);
    }
    return record(0xF, 0, RecSpgrContainer, members);
}

QByteArray PubFileWriter::escher() const {
    QByteArray dggContents;
    QByteArray fdgg;
    u32(fdgg, spid_ + lastSeqnum_ + 1);
    u32(fdgg, 1);
    u32(fdgg, 0);
    u32(fdgg, std::uint32_t(pages_.size()));
    dggContents += record(0, 0, RecDgg, fdgg);
    if (!pictures_.empty()) {
        QByteArray store;
        std::uint32_t delayOffset = 0;
        for (std::size_t i = 0; i < pictures_.size(); ++i) {
            const QByteArray& png = pictures_[i]->png;
            QByteArray fbse;
            u8(fbse, 6); // PNG
            u8(fbse, 6);
            for (int k = 0; k < 16; ++k) {
                u8(fbse, std::uint8_t(0x11 + k + i));
            }
            u16(fbse, 0xFF);
            const std::uint32_t blipSize = std::uint32_t(8 + 17 + png.size());
            u32(fbse, blipSize);
            u32(fbse, 1);
            u32(fbse, delayOffset);
            u8(fbse, 0);
            u8(fbse, 0);
            u8(fbse, 0);
            u8(fbse, 0);
            store += record(2, 6, RecBse, fbse);
            delayOffset += blipSize;
        }
        dggContents += record(0xF, int(pictures_.size()), RecBStoreContainer, store);
    }
    QByteArray out = record(0xF, 0, RecDggContainer, dggContents);
    out += QByteArray(4, '\0');

    for (std::size_t p = 0; p < pages_.size(); ++p) {
        const Page& page = pages_[p];
        QByteArray patriarch;
        patriarch += record(1, 0, RecFspgr, QByteArray(16, '\0'));
        QByteArray fsp;
        u32(fsp, 0x400 + page.seqnum);
        u32(fsp, 0x5);
        patriarch += record(2, 0, RecFsp, fsp);
        QByteArray group = record(0xF, 0, RecSpContainer, patriarch);
        for (const Shape& s : page.shapes) {
            group += shapeRecord(s, true);
        }
        QByteArray fdg;
        u32(fdg, std::uint32_t(page.shapes.size() + 1));
        u32(fdg, 0x400 + lastSeqnum_);
        const QByteArray dg =
            record(0, int(p + 1), RecDg, fdg) + record(0xF, 0, RecSpgrContainer, group);
        if (p > 0) {
            out += QByteArray(4, '\0');
        }
        out += record(0xF, int(p + 1), RecDgContainer, dg);
    }
    return out;
}

QByteArray PubFileWriter::escherDelay() const {
    QByteArray out;
    for (std::size_t i = 0; i < pictures_.size(); ++i) {
        QByteArray blip;
        for (int k = 0; k < 16; ++k) {
            u8(blip, std::uint8_t(0x11 + k + i));
        }
        u8(blip, 0xFF);
        blip += pictures_[i]->png;
        out += record(0, 0x6E0, RecBlipPng, blip);
    }
    return out;
}

// ---- Quill ----------------------------------------------------------------------------------

QByteArray PubFileWriter::quill() const {
    QByteArray header("CHNKINK ");
    header.append(QByteArray(0x20 - header.size(), '\0'));
    if (texts_.empty()) {
        setU32(header, 0x1C, 0xFFFFFFFF);
        return header;
    }
    // Text: every story's paragraphs, each ending with U+000D.
    QByteArray text;
    std::vector<std::uint32_t> storyLengths;
    std::vector<std::uint32_t> paragraphEnds; // in characters from the start of TEXT
    std::vector<std::uint32_t> storyEnds;
    std::uint32_t chars = 0;
    for (const QString& story : texts_) {
        const QStringList paragraphs = story.split(QLatin1Char('\n'));
        std::uint32_t length = 0;
        for (const QString& paragraph : paragraphs) {
            for (const QChar c : paragraph) {
                u16(text, c.unicode());
            }
            u16(text, 0x000D);
            length += std::uint32_t(paragraph.size() + 1);
            chars += std::uint32_t(paragraph.size() + 1);
            paragraphEnds.push_back(chars);
        }
        storyLengths.push_back(length);
        storyEnds.push_back(chars);
    }

    struct QuillChunk {
        const char* name;
        std::uint16_t id;
        QByteArray data;
    };
    std::vector<QuillChunk> list;
    QByteArray strs;
    u32(strs, std::uint32_t(storyLengths.size()));
    u32(strs, 4);
    for (const std::uint32_t l : storyLengths) {
        u32(strs, l);
    }
    QByteArray syid;
    u32(syid, 0);
    u32(syid, std::uint32_t(texts_.size()));
    for (std::size_t i = 0; i < texts_.size(); ++i) {
        u32(syid, std::uint32_t(i));
    }
    QByteArray font;
    u32(font, 0);
    u32(font, 1);
    font.append(QByteArray(12 + 4, '\0'));
    u16(font, 5);
    for (const char c : QByteArray("Arial")) {
        u16(font, std::uint16_t(c));
    }
    u32(font, 0);
    QByteArray stsh;
    u32(stsh, 0);
    u32(stsh, 0);
    stsh.append(QByteArray(12, '\0'));

    // Chunk order and offsets: entries at 0x20, then the chunks.
    const int count = 8;
    const std::uint32_t dataStart = 0x20 + count * 24;
    list.push_back({"TEXT", 0, text});
    list.push_back({"STRS", 0, strs});
    list.push_back({"SYID", 0, syid});
    list.push_back({"FONT", 0, font});
    list.push_back({"STSH", 0, stsh});
    list.push_back({"STSH", 1, stsh});
    // FDPC and FDPP need the absolute offset of TEXT (the first chunk).
    auto runs = [&](const std::vector<std::uint32_t>& ends) {
        QByteArray fdp;
        u16(fdp, std::uint16_t(ends.size()));
        fdp.append(QByteArray(6, '\0'));
        for (const std::uint32_t end : ends) {
            u32(fdp, dataStart + end * 2);
        }
        const std::uint16_t styleAt = std::uint16_t(8 + ends.size() * 6);
        for (std::size_t i = 0; i < ends.size(); ++i) {
            u16(fdp, styleAt);
        }
        u32(fdp, 4); // an empty style
        return fdp;
    };
    list.push_back({"FDPC", 0, runs(storyEnds)});
    list.push_back({"FDPP", 0, runs(paragraphEnds)});

    QByteArray out = header;
    out[0x18] = 0x18;
    out[0x1A] = char(count);
    setU32(out, 0x1C, 0xFFFFFFFF);
    QByteArray data;
    std::uint32_t at = dataStart;
    for (const QuillChunk& c : list) {
        QByteArray entry;
        u16(entry, 0x18);
        entry.append(c.name, 4);
        u16(entry, c.id);
        u32(entry, 1);
        entry.append(c.name, 4);
        u32(entry, at);
        u32(entry, std::uint32_t(c.data.size()));
        out += entry;
        data += c.data;
        at += std::uint32_t(c.data.size());
    }
    return out + data;
}

} // namespace lumetra::pub
