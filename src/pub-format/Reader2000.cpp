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

constexpr std::uint32_t MasterId = 0x109;

bool isDummyPage(std::uint32_t id) {
    return id == 0x108 || id == 0x10B || id == 0x10D || id == 0x116 || id == 0x119;
}

bool isShapeChunk(int type) {
    return type == 0x00 || type == ChunkPicture || type == ChunkLine || type == ChunkRectangle ||
           type == ChunkCustomShape || type == ChunkOval || type == ChunkTextFrame ||
           type == ChunkGroup;
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
                    if (&c == &chunk || !isShapeChunk(c.type)) {
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

// A page chunk. Besides the document's pages a file holds special ones (the prototype shapes,
// the scratch area, the background); a document page is marked with kind 1 (or 2) at +0x14 and
// numbered from 0 at +0x16.
struct PageChunk {
    std::uint32_t id;
    int kind;
    int number;
    std::size_t order;
};

bool isWalkedPage(const PageChunk& p) {
    return !isDummyPage(p.id) && p.id != MasterId;
}

std::vector<PageChunk> readPageChunks(const ByteView& b, const std::vector<Chunk>& chunks) {
    std::vector<PageChunk> pageChunks;
    for (std::size_t i = 0; i < chunks.size(); ++i) {
        const Chunk& c = chunks[i];
        if (c.type != ChunkPage) {
            continue;
        }
        b.require(c.offset, 0x18, "pagina troncata nel flusso Contents");
        pageChunks.push_back({c.id, b.u16(c.offset + 0x14), b.u16(c.offset + 0x16), i});
    }
    return pageChunks;
}

// The document's pages by their number: those marked as document pages or, when none is,
// every page chunk but the dummy ones and the master.
std::vector<PageChunk> documentPagesOf(const std::vector<PageChunk>& pageChunks) {
    std::vector<PageChunk> documentPages;
    for (const PageChunk& p : pageChunks) {
        if ((p.kind == 1 || p.kind == 2) && isWalkedPage(p)) {
            documentPages.push_back(p);
        }
    }
    if (documentPages.empty()) {
        for (const PageChunk& p : pageChunks) {
            if (isWalkedPage(p)) {
                documentPages.push_back(p);
            }
        }
    }
    std::stable_sort(
        documentPages.begin(), documentPages.end(),
        [](const PageChunk& left, const PageChunk& right) { return left.number < right.number; });
    return documentPages;
}

// One page for each document page chunk (a chunk listed twice gives one page); returns the
// pages by chunk id.
std::map<std::uint32_t, RawPage*> addPages(RawLayout& raw,
                                           const std::vector<PageChunk>& documentPages) {
    std::map<std::uint32_t, RawPage*> pageById;
    for (const PageChunk& p : documentPages) {
        if (pageById.count(p.id)) {
            continue;
        }
        RawPage page;
        page.page.id = p.id;
        raw.pages.push_back(std::move(page));
        pageById[p.id] = nullptr;
    }
    for (RawPage& p : raw.pages) {
        pageById[p.page.id] = &p;
    }
    return pageById;
}

// The top-level shapes of the document's pages, in chunk order; returns how many shape chunks
// each chunk id has as parent (special pages and groups included).
std::map<std::uint32_t, int> addShapes(const std::vector<Chunk>& chunks,
                                       const std::map<std::uint32_t, RawPage*>& pageById,
                                       ShapeReader& reader) {
    std::map<std::uint32_t, int> shapesOfPage;
    for (const Chunk& c : chunks) {
        if (!isShapeChunk(c.type)) {
            continue;
        }
        ++shapesOfPage[c.parent];
        const auto it = pageById.find(c.parent);
        if (it == pageById.end()) {
            continue; // a group member, or a shape of a special page
        }
        RawShape shape{reader.read(c, 0), {{"Contents", c.offset, {0xFF, 0xFF}}}};
        it->second->shapes.push_back(std::move(shape));
    }
    return shapesOfPage;
}

// libmspub walks every page chunk that is neither its "dummy" nor its master, by id, and emits
// those with shapes of their own, special pages included (as -1 here).
void addLibmspubOrder(RawLayout& raw, const std::vector<PageChunk>& pageChunks,
                      const std::map<std::uint32_t, int>& shapesOfPage) {
    std::map<std::uint32_t, int> walk;
    for (const PageChunk& p : pageChunks) {
        if (isWalkedPage(p)) {
            walk[p.id] = -1;
        }
    }
    for (std::size_t i = 0; i < raw.pages.size(); ++i) {
        walk[raw.pages[i].page.id] = static_cast<int>(i);
    }
    for (const auto& [id, index] : walk) {
        const auto shapes = shapesOfPage.find(id);
        if (index >= 0 || (shapes != shapesOfPage.end() && shapes->second > 0)) {
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
    const std::vector<PageChunk> pageChunks = readPageChunks(b, chunks);
    const auto pageById = addPages(raw, documentPagesOf(pageChunks));
    ShapeReader reader(b, chunks, version, document.widthEmu, document.heightEmu, document.shift);
    const auto shapesOfPage = addShapes(chunks, pageById, reader);
    addLibmspubOrder(raw, pageChunks, shapesOfPage);
    if (version == Version::Publisher97 && looksLikePublisher1Or2(raw)) {
        throw Unsupported{"file di Publisher 1.0 o 2.0, versione non supportata"};
    }
    return raw;
}

} // namespace lumetra::pub::detail
