#include "Reader2000.h"

#include "ByteView.h"
#include "ShapeTypes.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

namespace lumetra::pub::detail {

namespace {

constexpr int ChunkPicture = 0x02;
constexpr int ChunkLine = 0x04;
constexpr int ChunkRectangle = 0x05;
constexpr int ChunkCustomShape = 0x06;
constexpr int ChunkOval = 0x07;
constexpr int ChunkTextFrame = 0x08;
constexpr int ChunkGroup = 0x0F;
constexpr int ChunkPage = 0x14;
constexpr int ChunkDocument = 0x15;
constexpr int ChunkText97 = 0x00;
constexpr int ChunkTable97 = 0x01;
constexpr int ChunkBackgroundMark = 0x2C; // a chunk held by the background (master) page

constexpr std::uint32_t MasterId = 0x109;

bool isDummyPage(std::uint32_t id) {
    return id == 0x108 || id == 0x10B || id == 0x10D || id == 0x116 || id == 0x119;
}

// The shape chunks libmspub draws.
bool isShapeChunk(int type) {
    return type == 0x00 || type == ChunkPicture || type == ChunkLine || type == ChunkRectangle ||
           type == ChunkCustomShape || type == ChunkOval || type == ChunkTextFrame ||
           type == ChunkGroup;
}

// The shape chunks of the layout: in 95/97 files also the tables, which libmspub leaves out.
bool isLayoutShape(int type, Version version) {
    return isShapeChunk(type) || (version == Version::Publisher97 && type == ChunkTable97);
}

struct Chunk {
    int type = 0;
    std::uint32_t id = 0;
    std::uint32_t parent = 0;
    std::uint32_t offset = 0;
};

class ShapeReader {
public:
    ShapeReader(const ByteView& b, const std::vector<Chunk>& chunks, Version version,
                double pageWidthEmu, double pageHeightEmu, double coordinateShift)
        : b_(b), chunks_(chunks), version_(version), halfWidth_(pageWidthEmu / 2),
          halfHeight_(pageHeightEmu / 2), shift_(coordinateShift) {
        for (std::size_t i = 0; i < chunks_.size(); ++i) {
            childrenOf_[chunks_[i].parent].push_back(i);
        }
    }

    Shape read(const Chunk& chunk, int depth) {
        if (depth > MaxGroupDepth) {
            throw Damaged{"gruppi annidati troppo in profondità"};
        }
        if (std::find(reading_.begin(), reading_.end(), chunk.id) != reading_.end()) {
            throw Damaged{"riferimenti circolari tra i gruppi"};
        }
        if (++count_ > MaxShapes) {
            throw Damaged{"troppe forme"};
        }
        b_.require(chunk.offset, 0x16, "forma troncata nel flusso Contents");
        Shape s;
        s.storedType = chunk.type;
        s.chunkType = chunk.type;
        s.id = chunk.id;
        const double tenths = b_.u16(chunk.offset + 4);
        s.rotation = std::fmod(360.0 - tenths / 10.0, 360.0);
        const double xs = shifted(b_.s32(chunk.offset + 6));
        const double ys = shifted(b_.s32(chunk.offset + 10));
        const double xe = shifted(b_.s32(chunk.offset + 14));
        const double ye = shifted(b_.s32(chunk.offset + 18));
        s.left = (halfWidth_ + xs) / EmuPerPoint;
        s.top = (halfHeight_ + ys) / EmuPerPoint;
        s.width = (xe - xs) / EmuPerPoint;
        s.height = (ye - ys) / EmuPerPoint;
        classify(s, chunk);
        if (chunk.type == ChunkGroup) {
            reading_.push_back(chunk.id);
            const auto it = childrenOf_.find(chunk.id);
            if (it != childrenOf_.end()) {
                for (const std::size_t child : it->second) {
                    const Chunk& c = chunks_[child];
                    if (&c == &chunk || !isLayoutShape(c.type, version_)) {
                        continue;
                    }
                    s.children.push_back(read(c, depth + 1));
                }
            }
            reading_.pop_back();
        }
        return s;
    }

private:
    double shifted(std::int32_t coordinate) const {
        // Publisher 95/97 measures from a point 25 inches (120 for banners) off the page centre.
        return static_cast<double>(coordinate) - shift_;
    }

    void classify(Shape& s, const Chunk& chunk) const {
        s.autoShapeType = AutoShapeNone;
        switch (chunk.type) {
        case ChunkRectangle:
            s.type = TypeAutoShape;
            s.autoShapeType = AutoShapeRectangle;
            break;
        case ChunkOval:
            s.type = TypeAutoShape;
            s.autoShapeType = AutoShapeOval;
            break;
        case ChunkCustomShape: {
            s.type = TypeAutoShape;
            const int spt = sptOf2000CustomShape(b_.u8(chunk.offset + 0x31));
            s.autoShapeType = spt < 0 ? AutoShapeNotPrimitive : autoShapeTypeOfSpt(spt);
            break;
        }
        case ChunkTextFrame:
            s.type = TypeTextBox;
            s.autoShapeType = AutoShapeRectangle;
            break;
        case ChunkText97:
            if (version_ == Version::Publisher97) {
                s.type = TypeTextBox;
                s.autoShapeType = AutoShapeRectangle;
            } else {
                s.type = TypeAutoShape;
                s.autoShapeType = AutoShapeNotPrimitive;
            }
            break;
        case ChunkPicture:
            s.type = TypePicture;
            s.autoShapeType = AutoShapeRectangle;
            s.pictureIndex = 1;
            break;
        case ChunkLine:
            s.type = TypeLine;
            break;
        case ChunkTable97:
            s.type = TypeTable;
            s.autoShapeType = AutoShapeNotPrimitive;
            break;
        case ChunkGroup:
            s.type = TypeGroup;
            break;
        default:
            break;
        }
    }

    const ByteView& b_;
    const std::vector<Chunk>& chunks_;
    Version version_;
    double halfWidth_;
    double halfHeight_;
    double shift_;
    std::map<std::uint32_t, std::vector<std::size_t>> childrenOf_;
    std::size_t count_ = 0;
    std::vector<std::uint32_t> reading_; // ids of the groups being read, innermost last
};

// The chunk table at the trailer: for each chunk its id, its parent's id and where it starts
// (the chunk's first U16 is its type).
std::vector<Chunk> readChunkTable(const ByteView& b) {
    const std::uint32_t trailer = b.u32(0x16);
    const std::uint16_t count = b.u16(trailer);
    b.require(std::size_t{trailer} + 2, std::size_t{count} * 10,
              "indice dei blocchi oltre la fine del flusso Contents");
    std::vector<Chunk> chunks;
    chunks.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = std::size_t{trailer} + 2 + i * 10;
        Chunk c;
        c.id = b.u16(at + 2);
        c.parent = b.u16(at + 4);
        c.offset = b.u32(at + 6);
        c.type = b.u16(c.offset);
        chunks.push_back(c);
    }
    return chunks;
}

// The document chunk (the last one listed): the page size, and for 95/97 files the origin of
// the shapes' coordinates.
struct DocumentChunk {
    std::uint32_t widthEmu = 0;
    std::uint32_t heightEmu = 0;
    double shift = 0;
};

DocumentChunk readDocument(const ByteView& b, const std::vector<Chunk>& chunks, Version version) {
    const Chunk* document = nullptr;
    for (const Chunk& c : chunks) {
        if (c.type == ChunkDocument) {
            document = &c;
        }
    }
    if (!document) {
        throw Damaged{"manca il blocco del documento"};
    }
    DocumentChunk result;
    result.widthEmu = b.u32(document->offset + 0x14);
    result.heightEmu = b.u32(document->offset + 0x18);
    constexpr std::uint32_t MaxPageEmu = 1'000'000'000;
    if (result.widthEmu == 0 || result.heightEmu == 0 || result.widthEmu > MaxPageEmu ||
        result.heightEmu > MaxPageEmu) {
        throw Damaged{"dimensioni della pagina non valide"};
    }
    if (version == Version::Publisher97) {
        const bool banner = b.u16(document->offset + 0x12) == 0x0007;
        result.shift = (banner ? 120 : 25) * EmuPerInch;
    }
    return result;
}

// A page chunk. Besides the document's pages a file holds special ones: the page of zero-size
// prototype shapes (one of each kind), the background (Publisher's master of these versions,
// holding a 0x2C chunk), the scratch area and empty ones. 98/2000 mark a document page with
// kind 1 (or 2) at +0x14 and number it from 0 at +0x16; 95/97 mark nothing and list the
// document's pages in their order in the chunk table.
struct PageChunk {
    std::uint32_t id = 0;
    int kind = 0;
    int number = 0;
    bool background = false;
    int shapes = 0;         // top-level shape chunks
    int libmspubShapes = 0; // of these, the ones libmspub reads
    int drawnShapes = 0;    // and of those, the ones with a size
};

bool isWalkedPage(const PageChunk& p) {
    return !isDummyPage(p.id) && p.id != MasterId;
}

bool isPrototypePage(const PageChunk& p) {
    return p.libmspubShapes > 0 && p.drawnShapes == 0 && p.kind != 1 && p.kind != 2;
}

bool hasSize(const ByteView& b, const Chunk& c) {
    b.require(c.offset, 0x16, "forma troncata nel flusso Contents");
    return b.s32(c.offset + 6) != b.s32(c.offset + 14) ||
           b.s32(c.offset + 10) != b.s32(c.offset + 18);
}

// The page chunks in chunk-table order, with what they hold.
std::vector<PageChunk> readPageChunks(const ByteView& b, const std::vector<Chunk>& chunks,
                                      Version version) {
    std::vector<PageChunk> pageChunks;
    std::map<std::uint32_t, std::size_t> byId;
    for (const Chunk& c : chunks) {
        if (c.type == ChunkPage && !byId.count(c.id)) {
            b.require(c.offset, 0x18, "pagina troncata nel flusso Contents");
            byId[c.id] = pageChunks.size();
            pageChunks.push_back({c.id, b.u16(c.offset + 0x14), b.u16(c.offset + 0x16)});
        }
    }
    for (const Chunk& c : chunks) {
        const auto it = byId.find(c.parent);
        if (it == byId.end()) {
            continue;
        }
        PageChunk& page = pageChunks[it->second];
        if (c.type == ChunkBackgroundMark) {
            page.background = true;
        } else if (isLayoutShape(c.type, version)) {
            ++page.shapes;
            if (isShapeChunk(c.type)) {
                ++page.libmspubShapes;
                page.drawnShapes += hasSize(b, c) ? 1 : 0;
            }
        }
    }
    return pageChunks;
}

// The pages of the layout: the document's pages in order (98/2000: those marked, by number;
// 95/97: those with shapes, background and prototypes aside), then every other page chunk
// that libmspub draws with content (a background with shapes, a page of charts), so that
// nothing libmspub shows is lost and page 1 stays the document's first page.
std::vector<std::uint32_t> layoutPagesOf(const std::vector<PageChunk>& pageChunks) {
    std::vector<PageChunk> document;
    for (const PageChunk& p : pageChunks) {
        if ((p.kind == 1 || p.kind == 2) && isWalkedPage(p)) {
            document.push_back(p);
        }
    }
    std::stable_sort(document.begin(), document.end(),
                     [](const PageChunk& l, const PageChunk& r) { return l.number < r.number; });
    if (document.empty()) {
        for (const PageChunk& p : pageChunks) {
            if (isWalkedPage(p) && !p.background && p.shapes > 0 && !isPrototypePage(p)) {
                document.push_back(p);
            }
        }
    }
    std::vector<std::uint32_t> ids;
    ids.reserve(pageChunks.size());
    for (const PageChunk& p : document) {
        ids.push_back(p.id);
    }
    for (const PageChunk& p : pageChunks) {
        if (isWalkedPage(p) && p.drawnShapes > 0 &&
            std::find(ids.begin(), ids.end(), p.id) == ids.end()) {
            ids.push_back(p.id);
        }
    }
    return ids;
}

// One page for each page id; returns the pages by chunk id.
std::map<std::uint32_t, RawPage*> addPages(RawLayout& raw, const std::vector<std::uint32_t>& ids) {
    for (const std::uint32_t id : ids) {
        RawPage page;
        page.page.id = id;
        raw.pages.push_back(std::move(page));
    }
    std::map<std::uint32_t, RawPage*> pageById;
    for (RawPage& p : raw.pages) {
        pageById[p.page.id] = &p;
    }
    return pageById;
}

// The top-level shapes of the layout's pages, in chunk order. A shape libmspub leaves out (a
// 95/97 table) has no patch: hiding it changes nothing.
void addShapes(const std::vector<Chunk>& chunks, const std::map<std::uint32_t, RawPage*>& pageById,
               ShapeReader& reader, Version version) {
    for (const Chunk& c : chunks) {
        const auto it = pageById.find(c.parent);
        if (it == pageById.end() || !isLayoutShape(c.type, version)) {
            continue; // a group member, a shape of another page, or no shape
        }
        RawShape shape{reader.read(c, 0), {}};
        if (isShapeChunk(c.type)) {
            shape.hide.push_back({"Contents", c.offset, {0xFF, 0xFF}});
        }
        it->second->shapes.push_back(std::move(shape));
    }
}

// libmspub walks every page chunk that is neither its "dummy" nor its master, by id, and emits
// those with shapes of their own, special pages included (as -1 here when no page of ours).
void addLibmspubOrder(RawLayout& raw, const std::vector<PageChunk>& pageChunks) {
    std::map<std::uint32_t, int> walk;
    for (const PageChunk& p : pageChunks) {
        if (isWalkedPage(p)) {
            walk[p.id] = -1;
        }
    }
    for (std::size_t i = 0; i < raw.pages.size(); ++i) {
        walk[raw.pages[i].page.id] = static_cast<int>(i);
    }
    std::map<std::uint32_t, int> libmspubShapes;
    for (const PageChunk& p : pageChunks) {
        libmspubShapes[p.id] += p.libmspubShapes;
    }
    for (const auto& [id, index] : walk) {
        if (index >= 0 || libmspubShapes[id] > 0) {
            raw.libmspubOrder.push_back(index);
        }
    }
}

// Publisher 1.0/2.0 files share the 95/97 format's marker but place their shapes from another
// origin: read as 95/97 files, most of their shapes land far off the page.
bool looksLikePublisher1Or2(const RawLayout& raw) {
    std::size_t total = 0, off = 0;
    for (const RawPage& page : raw.pages) {
        for (const RawShape& s : page.shapes) {
            const double cx = s.shape.left + s.shape.width / 2;
            const double cy = s.shape.top + s.shape.height / 2;
            ++total;
            if (cx < -raw.pageWidth / 2 || cx > raw.pageWidth * 1.5 || cy < -raw.pageHeight / 2 ||
                cy > raw.pageHeight * 1.5) {
                ++off;
            }
        }
    }
    return total > 0 && off * 2 > total;
}

} // namespace

RawLayout read2000(const std::vector<std::uint8_t>& contentsBytes, Version version) {
    const ByteView b(contentsBytes);
    const std::vector<Chunk> chunks = readChunkTable(b);
    const DocumentChunk document = readDocument(b, chunks, version);

    RawLayout raw;
    raw.version = version;
    raw.pageWidth = document.widthEmu / EmuPerPoint;
    raw.pageHeight = document.heightEmu / EmuPerPoint;
    const std::vector<PageChunk> pageChunks = readPageChunks(b, chunks, version);
    const auto pageById = addPages(raw, layoutPagesOf(pageChunks));
    ShapeReader reader(b, chunks, version, document.widthEmu, document.heightEmu, document.shift);
    addShapes(chunks, pageById, reader, version);
    addLibmspubOrder(raw, pageChunks);
    if (version == Version::Publisher97 && looksLikePublisher1Or2(raw)) {
        throw Unsupported{"file di Publisher 1.0 o 2.0, versione non supportata"};
    }
    return raw;
}

} // namespace lumetra::pub::detail
