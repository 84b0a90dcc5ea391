#include "Reader2002.h"

#include "ByteView.h"
#include "ShapeTypes.h"

#include <QString>

#include <array>
#include <cmath>
#include <map>
#include <optional>
#include <set>

namespace lumetra::pub::detail {

namespace {

constexpr double EmuPerPoint = 12700.0;
constexpr std::size_t MaxDirectoryEntries = 1'000'000;
constexpr std::size_t MaxShapes = 200'000;
constexpr int MaxGroupDepth = 32;

// Contents chunk types.
constexpr int ChunkShape = 0x01;
constexpr int ChunkTable = 0x10;
constexpr int ChunkPage = 0x43;
constexpr int ChunkDocument = 0x44;

// OfficeArt record types.
constexpr int RecDgg = 0xF000;
constexpr int RecDg = 0xF002;
constexpr int RecSpgr = 0xF003;
constexpr int RecSp = 0xF004;
constexpr int RecFspgr = 0xF009;
constexpr int RecFsp = 0xF00A;
constexpr int RecFopt = 0xF00B;
constexpr int RecChildAnchor = 0xF00F;
constexpr int RecClientAnchor = 0xF010;
constexpr int RecClientData = 0xF011;

constexpr std::uint32_t FlagGroup = 0x1;
constexpr std::uint32_t FlagFlipH = 0x40;
constexpr std::uint32_t FlagFlipV = 0x80;

bool isDummyPage(std::uint32_t seqnum) {
    return seqnum == 0x10D || seqnum == 0x110 || seqnum == 0x113 || seqnum == 0x117;
}

// ---- Contents blocks ------------------------------------------------------------------------

struct Block {
    std::uint8_t id = 0;
    std::uint8_t type = 0;
    std::size_t dataOffset = 0;
    std::size_t end = 0;
    std::uint32_t value = 0;
    bool variable = false;
};

int fixedBlockLength(std::uint8_t type) {
    switch (type) {
    case 0x07:
    case 0x10:
    case 0x12:
    case 0x18:
    case 0x1A:
        return 2;
    case 0x20:
    case 0x22:
    case 0x58:
    case 0x68:
    case 0x70:
    case 0xB8:
        return 4;
    case 0x28:
        return 8;
    case 0x38:
        return 16;
    case 0x48:
        return 24;
    case 0x80:
    case 0x82:
    case 0x88:
    case 0x8A:
    case 0x90:
    case 0x98:
    case 0xA0:
    case 0xC0:
        return -1;
    default: // 0x78, 0x05, 0x08, 0x0A and unknown types carry no data
        return 0;
    }
}

Block readBlock(const ByteView& b, std::size_t pos, std::size_t limit) {
    if (pos > limit || limit - pos < 2) {
        throw Damaged{"blocco troncato nel flusso Contents"};
    }
    Block k;
    k.id = b.u8(pos);
    k.type = b.u8(pos + 1);
    k.dataOffset = pos + 2;
    const int length = fixedBlockLength(k.type);
    if (length < 0) {
        if (limit - k.dataOffset < 4) {
            throw Damaged{"blocco troncato nel flusso Contents"};
        }
        const std::uint32_t total = b.u32(k.dataOffset);
        if (total < 4 || total > limit - k.dataOffset) {
            throw Damaged{"lunghezza di blocco non valida nel flusso Contents"};
        }
        k.variable = true;
        k.end = k.dataOffset + total;
    } else {
        if (static_cast<std::size_t>(length) > limit - k.dataOffset) {
            throw Damaged{"blocco troncato nel flusso Contents"};
        }
        k.end = k.dataOffset + static_cast<std::size_t>(length);
        if (length == 2) {
            k.value = b.u16(k.dataOffset);
        } else if (length == 4) {
            k.value = b.u32(k.dataOffset);
        }
    }
    return k;
}

template <typename F> void forEachSubBlock(const ByteView& b, const Block& parent, F&& f) {
    std::size_t pos = parent.dataOffset + 4;
    while (pos < parent.end) {
        const Block k = readBlock(b, pos, parent.end);
        f(k);
        pos = k.end;
    }
}

// The blocks of the chunk at `offset`: a U32 length counting itself, then blocks.
template <typename F> void forEachChunkBlock(const ByteView& b, std::uint32_t offset, F&& f) {
    b.require(offset, 4, "riferimento a un blocco oltre la fine del flusso Contents");
    const std::uint32_t length = b.u32(offset);
    if (length < 4 || !b.has(offset, length)) {
        throw Damaged{"lunghezza di blocco non valida nel flusso Contents"};
    }
    const std::size_t end = std::size_t{offset} + length;
    std::size_t pos = std::size_t{offset} + 4;
    while (pos < end) {
        const Block k = readBlock(b, pos, end);
        f(k);
        pos = k.end;
    }
}

struct ChunkRef {
    int type = -1; // -1: the entry references no chunk
    std::uint32_t offset = 0;
};

struct PageChunk {
    std::uint32_t seqnum = 0;
    bool isMaster = false;
    QString masterName;
    std::optional<std::uint32_t> appliedMaster;
};

QString utf16String(const ByteView& b, std::size_t from, std::size_t to) {
    QString text;
    for (std::size_t pos = from; pos + 1 < to; pos += 2) {
        const char16_t c = b.u16(pos);
        if (c == 0) {
            break;
        }
        text.append(QChar(c));
    }
    return text;
}

// ---- Escher records -------------------------------------------------------------------------

struct Record {
    int instance = 0;
    int type = 0;
    std::size_t contents = 0;
    std::size_t end = 0;
};

Record readRecord(const ByteView& b, std::size_t pos, std::size_t limit) {
    if (pos > limit || limit - pos < 8) {
        throw Damaged{"record OfficeArt troncato"};
    }
    Record r;
    r.instance = b.u16(pos) >> 4;
    r.type = b.u16(pos + 2);
    const std::uint32_t length = b.u32(pos + 4);
    r.contents = pos + 8;
    if (length > limit - r.contents) {
        throw Damaged{"record OfficeArt oltre il suo contenitore"};
    }
    r.end = r.contents + length;
    return r;
}

template <typename F> void forEachChild(const ByteView& b, const Record& parent, F&& f) {
    std::size_t pos = parent.contents;
    while (pos < parent.end) {
        const Record r = readRecord(b, pos, parent.end);
        f(r);
        pos = r.end;
    }
}

struct Box {
    double xs = 0, ys = 0, xe = 0, ye = 0;
};

struct SpInfo {
    int spt = 0;
    std::uint32_t flags = 0;
    std::optional<Box> fspgr;
    std::optional<Box> clientAnchor;
    std::optional<Box> childAnchor;
    std::optional<std::uint32_t> seqnum;
    std::vector<std::size_t> seqnumOffsets;
    double rotation = 0;
    std::uint32_t pib = 0;
};

Box readFourInts(const ByteView& b, const Record& r) {
    b.require(r.contents, 16, "ancoraggio OfficeArt troncato");
    if (r.end - r.contents < 16) {
        throw Damaged{"ancoraggio OfficeArt troncato"};
    }
    return {double(b.s32(r.contents)), double(b.s32(r.contents + 4)), double(b.s32(r.contents + 8)),
            double(b.s32(r.contents + 12))};
}

// U16 id / U32 value pairs after a 4-byte copy of the length (ClientAnchor, ClientData).
template <typename F> void forEachClientValue(const ByteView& b, const Record& r, F&& f) {
    for (std::size_t pos = r.contents + 4; pos + 6 <= r.end; pos += 6) {
        f(b.u16(pos), b.u32(pos + 2), pos + 2);
    }
}

SpInfo readSp(const ByteView& b, const Record& sp) {
    SpInfo info;
    bool seenFsp = false, seenFopt = false, seenData = false;
    forEachChild(b, sp, [&](const Record& r) {
        switch (r.type) {
        case RecFspgr:
            if (!info.fspgr) {
                info.fspgr = readFourInts(b, r);
            }
            break;
        case RecFsp:
            if (!seenFsp) {
                seenFsp = true;
                info.spt = r.instance;
                if (r.end - r.contents >= 8) {
                    info.flags = b.u32(r.contents + 4);
                }
            }
            break;
        case RecFopt:
            if (!seenFopt) {
                seenFopt = true;
                std::size_t pos = r.contents;
                for (int i = 0; i < r.instance && pos + 6 <= r.end; ++i, pos += 6) {
                    const std::uint16_t id = b.u16(pos);
                    const std::uint32_t value = b.u32(pos + 2);
                    if ((id & 0x3FFF) == 0x0004) {
                        info.rotation = static_cast<std::int32_t>(value) / 65536.0;
                    } else if ((id & 0xBFFF) == 0x0104) {
                        info.pib = value;
                    }
                }
            }
            break;
        case RecChildAnchor:
            if (!info.childAnchor && !info.clientAnchor) {
                info.childAnchor = readFourInts(b, r);
            }
            break;
        case RecClientAnchor:
            if (!info.childAnchor && !info.clientAnchor) {
                Box box;
                forEachClientValue(b, r, [&](std::uint16_t id, std::uint32_t v, std::size_t) {
                    const double value = static_cast<std::int32_t>(v);
                    switch (id) {
                    case 0x2001:
                        box.xs = value;
                        break;
                    case 0x2002:
                        box.ys = value;
                        break;
                    case 0x2003:
                        box.xe = value;
                        break;
                    case 0x2004:
                        box.ye = value;
                        break;
                    default:
                        break;
                    }
                });
                info.clientAnchor = box;
            }
            break;
        case RecClientData:
            if (!seenData) {
                seenData = true;
                forEachClientValue(b, r, [&](std::uint16_t id, std::uint32_t v, std::size_t at) {
                    if (id == 0x6801) {
                        info.seqnum = v;
                        info.seqnumOffsets.push_back(at);
                    }
                });
            }
            break;
        default:
            break;
        }
    });
    return info;
}

bool isTurnedQuarter(double rotation) {
    double r = std::fmod(rotation, 360.0);
    if (r < 0) {
        r += 360.0;
    }
    return (r >= 45 && r < 135) || (r >= 225 && r < 315);
}

// Where the group members' coordinates map to: the leader's FSPGR onto the leader's box.
struct GroupSpace {
    Box system;
    Box absolute;
    bool defined = false;
};

Box absoluteBox(const SpInfo& info, const GroupSpace& space) {
    Box box;
    if (info.clientAnchor) {
        box = *info.clientAnchor;
    } else if (info.childAnchor) {
        const Box& c = *info.childAnchor;
        if (space.defined) {
            double sw = space.system.xe - space.system.xs;
            double sh = space.system.ye - space.system.ys;
            if (sw == 0) {
                sw = 1;
            }
            if (sh == 0) {
                sh = 1;
            }
            const double kx = (space.absolute.xe - space.absolute.xs) / sw;
            const double ky = (space.absolute.ye - space.absolute.ys) / sh;
            box = {(c.xs - space.system.xs) * kx + space.absolute.xs,
                   (c.ys - space.system.ys) * ky + space.absolute.ys,
                   (c.xe - space.system.xs) * kx + space.absolute.xs,
                   (c.ye - space.system.ys) * ky + space.absolute.ys};
        } else {
            box = c;
        }
    }
    if (isTurnedQuarter(info.rotation)) {
        // The stored box is the turned one: the shape's own box has width and height swapped
        // around the same centre.
        const double cx = (box.xs + box.xe) / 2, cy = (box.ys + box.ye) / 2;
        const double w = box.xe - box.xs, h = box.ye - box.ys;
        box = {cx - h / 2, cy - w / 2, cx + h / 2, cy + w / 2};
    }
    return box;
}

class EscherWalker {
public:
    EscherWalker(const ByteView& b, double pageWidthEmu, double pageHeightEmu,
                 const std::vector<ChunkRef>& directory)
        : b_(b), halfWidth_(pageWidthEmu / 2), halfHeight_(pageHeightEmu / 2),
          directory_(directory) {}

    struct Element {
        std::uint32_t seqnum = 0;
        Shape shape;
        std::vector<std::size_t> seqnumOffsets;
    };

    std::vector<Element> walk() {
        std::size_t pos = 0;
        while (pos < b_.size() && b_.size() - pos >= 8) {
            const Record r = readRecord(b_, pos, b_.size());
            if (r.type == RecDg) {
                forEachChild(b_, r, [&](const Record& child) {
                    if (child.type == RecSpgr) {
                        walkRoot(child);
                    }
                });
            }
            pos = r.end + ((r.type == RecDg || r.type == RecDgg) ? 4 : 0);
        }
        return std::move(elements_);
    }

private:
    void countShape() {
        if (++shapeCount_ > MaxShapes) {
            throw Damaged{"troppe forme"};
        }
    }

    int chunkTypeOf(std::uint32_t seqnum) const {
        return seqnum < directory_.size() ? directory_[seqnum].type : -1;
    }

    Shape makeShape(const SpInfo& info, const GroupSpace& space, bool isGroup) const {
        Shape s;
        const Box box = absoluteBox(info, space);
        s.left = (halfWidth_ + box.xs) / EmuPerPoint;
        s.top = (halfHeight_ + box.ys) / EmuPerPoint;
        s.width = (box.xe - box.xs) / EmuPerPoint;
        s.height = (box.ye - box.ys) / EmuPerPoint;
        s.rotation = info.rotation;
        s.flipH = info.flags & FlagFlipH;
        s.flipV = info.flags & FlagFlipV;
        s.storedType = info.spt;
        s.id = info.seqnum.value_or(0);
        s.chunkType = info.seqnum ? chunkTypeOf(*info.seqnum) : -1;
        s.pictureIndex = info.pib;
        classify(s, isGroup);
        return s;
    }

    static void classify(Shape& s, bool isGroup) {
        const int spt = s.storedType;
        s.autoShapeType = AutoShapeNone;
        if (isGroup) {
            s.type = TypeGroup;
        } else if (s.chunkType == ChunkTable || spt == SptHostControl) {
            s.type = TypeTable;
        } else if (spt == SptTextBox) {
            s.type = TypeTextBox;
            s.autoShapeType = AutoShapeRectangle;
        } else if ((spt == SptRectangle && s.hasPicture()) || spt == SptPictureFrame) {
            s.type = TypePicture;
            s.autoShapeType = AutoShapeRectangle;
        } else if (spt == SptLine || spt == SptStraightConnector) {
            s.type = TypeLine;
        } else if (spt >= SptTextPlainText && spt <= SptTextCanDown) {
            s.type = TypeTextEffect;
        } else if (spt == SptNotPrimitive) {
            s.type = TypeFreeform;
        } else if (spt == SptRectangle && s.chunkType != ChunkShape) {
            // Stored rectangles that are not plain shape chunks (logos, alternative shapes)
            // are no rectangle auto shapes.
            s.type = TypeAutoShape;
            s.autoShapeType = AutoShapeNotPrimitive;
        } else {
            s.type = TypeAutoShape;
            s.autoShapeType = autoShapeTypeOfSpt(spt);
        }
    }

    void walkRoot(const Record& spgr) {
        const GroupSpace none;
        forEachChild(b_, spgr, [&](const Record& r) {
            if (r.type == RecSp) {
                countShape();
                const SpInfo info = readSp(b_, r);
                if ((info.flags & FlagGroup) || !info.seqnum) {
                    return; // the page's patriarch, or a shape libmspub ignores
                }
                elements_.push_back(
                    {*info.seqnum, makeShape(info, none, false), info.seqnumOffsets});
            } else if (r.type == RecSpgr) {
                Element group;
                group.shape = readGroup(r, none, 1, group.seqnumOffsets, group.seqnum);
                if (!group.seqnumOffsets.empty()) {
                    elements_.push_back(std::move(group));
                }
            }
        });
    }

    Shape readGroup(const Record& spgr, GroupSpace space, int depth,
                    std::vector<std::size_t>& leaderOffsets, std::uint32_t& seqnum) {
        if (depth > MaxGroupDepth) {
            throw Damaged{"gruppi annidati troppo in profondità"};
        }
        Shape group;
        group.type = TypeGroup;
        bool haveLeader = false;
        forEachChild(b_, spgr, [&](const Record& r) {
            if (r.type == RecSp) {
                countShape();
                const SpInfo info = readSp(b_, r);
                if (info.flags & FlagGroup) {
                    if (!info.seqnum) {
                        return;
                    }
                    // The group's leader: its anchor is the group's box, its FSPGR the
                    // members' coordinate system.
                    std::vector<Shape> members = std::move(group.children);
                    group = makeShape(info, space, true);
                    group.children = std::move(members);
                    seqnum = *info.seqnum;
                    leaderOffsets = info.seqnumOffsets;
                    haveLeader = true;
                    if (info.fspgr) {
                        space.system = *info.fspgr;
                        space.absolute = absoluteBox(info, space);
                        space.defined = true;
                    }
                    return;
                }
                group.children.push_back(makeShape(info, space, false));
            } else if (r.type == RecSpgr) {
                std::vector<std::size_t> ignoredOffsets;
                std::uint32_t ignoredSeqnum = 0;
                group.children.push_back(
                    readGroup(r, space, depth + 1, ignoredOffsets, ignoredSeqnum));
            }
        });
        if (!haveLeader) {
            leaderOffsets.clear();
        }
        return group;
    }

    const ByteView& b_;
    double halfWidth_;
    double halfHeight_;
    const std::vector<ChunkRef>& directory_;
    std::vector<Element> elements_;
    std::size_t shapeCount_ = 0;
};

} // namespace

RawLayout read2002(const std::vector<std::uint8_t>& contentsBytes,
                   const std::vector<std::uint8_t>& escherBytes) {
    const ByteView contents(contentsBytes);
    const ByteView escher(escherBytes);

    // Chunk directory.
    const std::uint32_t trailer = contents.u32(0x1A);
    contents.require(trailer, 4, "indice dei blocchi oltre la fine del flusso Contents");
    std::vector<ChunkRef> directory;
    bool seenDirectory = false;
    std::size_t pos = std::size_t{trailer} + 4;
    for (int part = 0; part < 3 && !seenDirectory; ++part) {
        const Block block = readBlock(contents, pos, contents.size());
        pos = block.end;
        if (block.type != 0x90) {
            continue;
        }
        seenDirectory = true;
        forEachSubBlock(contents, block, [&](const Block& entry) {
            if (directory.size() >= MaxDirectoryEntries) {
                throw Damaged{"troppi blocchi nel flusso Contents"};
            }
            ChunkRef ref;
            if (entry.type == 0x88) {
                int type = -1;
                std::optional<std::uint32_t> offset;
                forEachSubBlock(contents, entry, [&](const Block& sub) {
                    if (sub.id == 0x02 && !sub.variable) {
                        type = static_cast<int>(sub.value);
                    } else if (sub.id == 0x04 && !sub.variable) {
                        offset = sub.value;
                    }
                });
                if (type >= 0 && offset) {
                    ref = {type, *offset};
                }
            }
            directory.push_back(ref);
        });
    }
    if (!seenDirectory) {
        throw Damaged{"manca l'indice dei blocchi"};
    }

    // Document: page size and page list.
    std::optional<std::uint32_t> documentOffset;
    for (const ChunkRef& ref : directory) {
        if (ref.type == ChunkDocument) {
            documentOffset = ref.offset;
        }
    }
    if (!documentOffset) {
        throw Damaged{"manca il blocco del documento"};
    }
    std::uint32_t widthEmu = 0, heightEmu = 0;
    std::vector<std::uint32_t> pageList;
    forEachChunkBlock(contents, *documentOffset, [&](const Block& block) {
        if (block.id == 0x12 && block.variable) {
            forEachSubBlock(contents, block, [&](const Block& sub) {
                if (sub.id == 0x01 && !sub.variable) {
                    widthEmu = sub.value;
                } else if (sub.id == 0x02 && !sub.variable) {
                    heightEmu = sub.value;
                }
            });
        } else if (block.id == 0x02 && block.variable) {
            forEachSubBlock(contents, block, [&](const Block& sub) {
                if (sub.id == 0x00 && !sub.variable) {
                    pageList.push_back(sub.value);
                }
            });
        }
    });
    constexpr std::uint32_t MaxPageEmu = 1'000'000'000; // about 1000 inches
    if (widthEmu == 0 || heightEmu == 0 || widthEmu > MaxPageEmu || heightEmu > MaxPageEmu) {
        throw Damaged{"dimensioni della pagina non valide"};
    }

    // Pages: which shape belongs to which page (the last page listing it wins, as in libmspub).
    std::map<std::uint32_t, PageChunk> pageChunks;
    std::map<std::uint32_t, std::uint32_t> pageOfShape;
    for (std::uint32_t seqnum = 0; seqnum < directory.size(); ++seqnum) {
        if (directory[seqnum].type != ChunkPage) {
            continue;
        }
        PageChunk page;
        page.seqnum = seqnum;
        forEachChunkBlock(contents, directory[seqnum].offset, [&](const Block& block) {
            if (block.id == 0x02 && block.variable) {
                forEachSubBlock(contents, block, [&](const Block& sub) {
                    if (sub.type == 0x70) {
                        pageOfShape[sub.value] = seqnum;
                    }
                });
            } else if (block.id == 0x0E && block.type == 0xC0) {
                for (std::size_t at = block.dataOffset + 4; at < block.end; ++at) {
                    if (contents.u8(at) != 0) {
                        page.isMaster = true;
                    }
                }
                page.masterName = utf16String(contents, block.dataOffset + 4, block.end);
            } else if (block.id == 0x0D && !block.variable) {
                page.appliedMaster = block.value;
            }
        });
        if (!isDummyPage(seqnum)) {
            pageChunks[seqnum] = page;
        }
    }

    RawLayout raw;
    raw.version = Version::Publisher2002;
    raw.pageWidth = widthEmu / EmuPerPoint;
    raw.pageHeight = heightEmu / EmuPerPoint;

    std::vector<std::uint32_t> order = pageList;
    if (order.empty()) {
        for (const auto& [seqnum, page] : pageChunks) {
            order.push_back(seqnum);
        }
    }
    std::map<std::uint32_t, int> pageIndex, masterIndex;
    auto addPage = [&](const PageChunk& chunk) {
        RawPage page;
        page.page.id = chunk.seqnum;
        page.page.isMaster = chunk.isMaster;
        page.page.masterName = chunk.isMaster ? chunk.masterName : QString();
        if (chunk.isMaster) {
            masterIndex[chunk.seqnum] = static_cast<int>(raw.masters.size());
            raw.masters.push_back(std::move(page));
        } else {
            pageIndex[chunk.seqnum] = static_cast<int>(raw.pages.size());
            raw.pages.push_back(std::move(page));
        }
    };
    for (const std::uint32_t seqnum : order) {
        const auto it = pageChunks.find(seqnum);
        if (it == pageChunks.end()) {
            continue;
        }
        if (!pageIndex.count(seqnum) && !masterIndex.count(seqnum)) {
            addPage(it->second);
        }
        if (!it->second.isMaster) {
            raw.libmspubOrder.push_back(pageIndex[seqnum]);
        }
    }
    for (const auto& [seqnum, chunk] : pageChunks) {
        if (chunk.isMaster && !masterIndex.count(seqnum)) {
            addPage(chunk);
        }
    }
    for (RawPage& page : raw.pages) {
        const PageChunk& chunk = pageChunks[page.page.id];
        if (chunk.appliedMaster) {
            const auto it = masterIndex.find(*chunk.appliedMaster);
            if (it != masterIndex.end()) {
                page.page.masterIndex = it->second;
            }
        }
    }

    // Shapes, in drawing order, to the pages listing them.
    EscherWalker walker(escher, widthEmu, heightEmu, directory);
    std::map<std::pair<RawPage*, std::uint32_t>, std::size_t> placed;
    for (auto& element : walker.walk()) {
        const auto owner = pageOfShape.find(element.seqnum);
        if (owner == pageOfShape.end()) {
            continue;
        }
        RawPage* page = nullptr;
        if (const auto it = pageIndex.find(owner->second); it != pageIndex.end()) {
            page = &raw.pages[static_cast<std::size_t>(it->second)];
        } else if (const auto m = masterIndex.find(owner->second); m != masterIndex.end()) {
            page = &raw.masters[static_cast<std::size_t>(m->second)];
        } else {
            continue;
        }
        std::vector<StreamPatch> hide;
        for (const std::size_t at : element.seqnumOffsets) {
            hide.push_back({"Escher/EscherStm", at, {0xFF, 0xFF, 0xFF, 0xFF}});
        }
        const auto key = std::make_pair(page, element.seqnum);
        if (const auto it = placed.find(key); it != placed.end()) {
            auto& existing = page->shapes[it->second].hide;
            existing.insert(existing.end(), hide.begin(), hide.end());
            continue;
        }
        placed[key] = page->shapes.size();
        page->shapes.push_back({std::move(element.shape), std::move(hide)});
    }
    return raw;
}

} // namespace lumetra::pub::detail
