#include "Reader2002.h"

#include "ByteView.h"
#include "ContentsBlocks.h"
#include "EscherShapes.h"

#include <QString>

#include <map>
#include <optional>
#include <set>

namespace lumetra::pub::detail {

namespace {

constexpr std::size_t MaxDirectoryEntries = 1'000'000;

// Contents chunk types.
constexpr int ChunkPage = 0x43;
constexpr int ChunkDocument = 0x44;

bool isDummyPage(std::uint32_t seqnum) {
    return seqnum == 0x10D || seqnum == 0x110 || seqnum == 0x113 || seqnum == 0x117;
}

struct PageChunk {
    std::uint32_t seqnum = 0;
    bool isMaster = false;
    QString masterName;
    std::optional<std::uint32_t> appliedMaster;
    bool numbered = false; // carries a page number (block 0x06): a page of the document
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

// The chunk directory entry `entry`: a chunk's type and offset, or no chunk.
ChunkRef readDirectoryEntry(const ByteView& contents, const Block& entry) {
    if (entry.type != 0x88) {
        return {};
    }
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
        return {type, *offset};
    }
    return {};
}

// The chunk directory, indexed by seqnum: the first 0x90 block of the three after the trailer.
std::vector<ChunkRef> readDirectory(const ByteView& contents) {
    const std::uint32_t trailer = contents.u32(0x1A);
    contents.require(trailer, 4, "indice dei blocchi oltre la fine del flusso Contents");
    std::size_t pos = std::size_t{trailer} + 4;
    for (int part = 0; part < 3; ++part) {
        const Block block = readBlock(contents, pos, contents.size());
        pos = block.end;
        if (block.type != 0x90) {
            continue;
        }
        std::vector<ChunkRef> directory;
        forEachSubBlock(contents, block, [&](const Block& entry) {
            if (directory.size() >= MaxDirectoryEntries) {
                throw Damaged{"troppi blocchi nel flusso Contents"};
            }
            directory.push_back(readDirectoryEntry(contents, entry));
        });
        return directory;
    }
    throw Damaged{"manca l'indice dei blocchi"};
}

// The document chunk: the page size and the document's pages in order.
struct DocumentChunk {
    std::uint32_t widthEmu = 0;
    std::uint32_t heightEmu = 0;
    std::vector<std::uint32_t> pageList; // page seqnums
};

DocumentChunk readDocument(const ByteView& contents, const std::vector<ChunkRef>& directory) {
    std::optional<std::uint32_t> documentOffset;
    for (const ChunkRef& ref : directory) {
        if (ref.type == ChunkDocument) {
            documentOffset = ref.offset;
        }
    }
    if (!documentOffset) {
        throw Damaged{"manca il blocco del documento"};
    }
    DocumentChunk document;
    forEachChunkBlock(contents, *documentOffset, [&](const Block& block) {
        if (block.id == 0x12 && block.variable) {
            forEachSubBlock(contents, block, [&](const Block& sub) {
                if (sub.id == 0x01 && !sub.variable) {
                    document.widthEmu = sub.value;
                } else if (sub.id == 0x02 && !sub.variable) {
                    document.heightEmu = sub.value;
                }
            });
        } else if (block.id == 0x02 && block.variable) {
            forEachSubBlock(contents, block, [&](const Block& sub) {
                if (sub.id == 0x00 && !sub.variable) {
                    document.pageList.push_back(sub.value);
                }
            });
        }
    });
    constexpr std::uint32_t MaxPageEmu = 1'000'000'000; // about 1000 inches
    if (document.widthEmu == 0 || document.heightEmu == 0 || document.widthEmu > MaxPageEmu ||
        document.heightEmu > MaxPageEmu) {
        throw Damaged{"dimensioni della pagina non valide"};
    }
    return document;
}

// The page chunks (dummy pages left out) and which shape belongs to which page (the last page
// listing it wins, as in libmspub).
struct PageChunks {
    std::map<std::uint32_t, PageChunk> pages;           // by seqnum
    std::map<std::uint32_t, std::uint32_t> pageOfShape; // shape seqnum -> page seqnum
};

void readPageChunk(const ByteView& contents, std::uint32_t offset, PageChunk& page,
                   std::map<std::uint32_t, std::uint32_t>& pageOfShape) {
    forEachChunkBlock(contents, offset, [&](const Block& block) {
        if (block.id == 0x02 && block.variable) {
            forEachSubBlock(contents, block, [&](const Block& sub) {
                if (sub.type == 0x70) {
                    pageOfShape[sub.value] = page.seqnum;
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
        } else if (block.id == 0x06 && block.type == 0x28) {
            page.numbered =
                contents.u32(block.dataOffset) != 0 || contents.u32(block.dataOffset + 4) != 0;
        }
    });
}

PageChunks readPageChunks(const ByteView& contents, const std::vector<ChunkRef>& directory) {
    PageChunks chunks;
    for (std::uint32_t seqnum = 0; seqnum < directory.size(); ++seqnum) {
        if (directory[seqnum].type != ChunkPage) {
            continue;
        }
        PageChunk page;
        page.seqnum = seqnum;
        readPageChunk(contents, directory[seqnum].offset, page, chunks.pageOfShape);
        if (!isDummyPage(seqnum)) {
            chunks.pages[seqnum] = page;
        }
    }
    return chunks;
}

// Where each page chunk went: its index in RawLayout::pages or RawLayout::masters.
struct PagePlaces {
    std::map<std::uint32_t, int> pageIndex;
    std::map<std::uint32_t, int> masterIndex;
};

void addPage(RawLayout& raw, PagePlaces& places, const PageChunk& chunk) {
    RawPage page;
    page.page.id = chunk.seqnum;
    page.page.isMaster = chunk.isMaster;
    page.page.masterName = chunk.isMaster ? chunk.masterName : QString();
    if (chunk.isMaster) {
        places.masterIndex[chunk.seqnum] = static_cast<int>(raw.masters.size());
        raw.masters.push_back(std::move(page));
    } else {
        places.pageIndex[chunk.seqnum] = static_cast<int>(raw.pages.size());
        raw.pages.push_back(std::move(page));
    }
}

// Whether a non-master entry of the page list is a page of the document. Besides the document's
// pages the list holds special pages (the scratch area among them) that hold no shape, carry
// no page number (block 0x06) or, where the document's pages have masters, no master, and that
// no page refers to. A page without shapes of its own is a page when it is numbered and has a
// master like the others (an empty page the author kept), or when a page uses it as master.
bool isDocumentPage(std::uint32_t seqnum, const std::map<std::uint32_t, PageChunk>& pageChunks,
                    const std::set<std::uint32_t>& pagesWithShapes) {
    const PageChunk& chunk = pageChunks.at(seqnum);
    if (pagesWithShapes.count(seqnum)) {
        return true;
    }
    bool referred = false;
    bool mastersUsed = false;
    for (const auto& [other, page] : pageChunks) {
        referred = referred || page.appliedMaster == seqnum;
        mastersUsed = mastersUsed || page.appliedMaster.has_value();
    }
    return referred || (chunk.numbered && (chunk.appliedMaster || !mastersUsed));
}

// The pages in the document's order (by seqnum when it lists none), then the masters it does
// not list; each page gets the master applied to it.
PagePlaces addPages(RawLayout& raw, const std::map<std::uint32_t, PageChunk>& pageChunks,
                    const std::vector<std::uint32_t>& pageList,
                    const std::set<std::uint32_t>& pagesWithShapes) {
    std::vector<std::uint32_t> order = pageList;
    if (order.empty()) {
        for (const auto& [seqnum, page] : pageChunks) {
            order.push_back(seqnum);
        }
    }
    PagePlaces places;
    for (const std::uint32_t seqnum : order) {
        const auto it = pageChunks.find(seqnum);
        if (it == pageChunks.end() ||
            (!it->second.isMaster && !isDocumentPage(seqnum, pageChunks, pagesWithShapes))) {
            continue;
        }
        if (!places.pageIndex.count(seqnum) && !places.masterIndex.count(seqnum)) {
            addPage(raw, places, it->second);
        }
        if (!it->second.isMaster) {
            raw.libmspubOrder.push_back(places.pageIndex[seqnum]);
        }
    }
    for (const auto& [seqnum, chunk] : pageChunks) {
        if (chunk.isMaster && !places.masterIndex.count(seqnum)) {
            addPage(raw, places, chunk);
        }
    }
    for (RawPage& page : raw.pages) {
        const PageChunk& chunk = pageChunks.at(page.page.id);
        if (chunk.appliedMaster) {
            const auto it = places.masterIndex.find(*chunk.appliedMaster);
            if (it != places.masterIndex.end()) {
                page.page.masterIndex = it->second;
            }
        }
    }
    return places;
}

// The page or master page that the page chunk `seqnum` became, or null.
RawPage* placedPage(RawLayout& raw, const PagePlaces& places, std::uint32_t seqnum) {
    if (const auto it = places.pageIndex.find(seqnum); it != places.pageIndex.end()) {
        return &raw.pages[static_cast<std::size_t>(it->second)];
    }
    if (const auto it = places.masterIndex.find(seqnum); it != places.masterIndex.end()) {
        return &raw.masters[static_cast<std::size_t>(it->second)];
    }
    return nullptr;
}

// The shapes, in drawing order, to the pages listing them. An element drawn twice for one page
// stays one shape, hidden at every place its seqnum is stored.
void addShapes(RawLayout& raw, std::vector<EscherElement> elements, const PageChunks& chunks,
               const PagePlaces& places) {
    std::map<std::pair<RawPage*, std::uint32_t>, std::size_t> placed;
    for (auto& element : elements) {
        const auto owner = chunks.pageOfShape.find(element.seqnum);
        if (owner == chunks.pageOfShape.end()) {
            continue;
        }
        RawPage* page = placedPage(raw, places, owner->second);
        if (!page) {
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
}

} // namespace

RawLayout read2002(const std::vector<std::uint8_t>& contentsBytes,
                   const std::vector<std::uint8_t>& escherBytes) {
    const ByteView contents(contentsBytes);
    const std::vector<ChunkRef> directory = readDirectory(contents);
    const DocumentChunk document = readDocument(contents, directory);
    const PageChunks chunks = readPageChunks(contents, directory);

    RawLayout raw;
    raw.version = Version::Publisher2002;
    raw.pageWidth = document.widthEmu / EmuPerPoint;
    raw.pageHeight = document.heightEmu / EmuPerPoint;
    std::vector<EscherElement> elements =
        readEscherShapes(ByteView(escherBytes), document.widthEmu, document.heightEmu, directory);
    std::set<std::uint32_t> pagesWithShapes;
    for (const EscherElement& element : elements) {
        if (const auto it = chunks.pageOfShape.find(element.seqnum);
            it != chunks.pageOfShape.end()) {
            pagesWithShapes.insert(it->second);
        }
    }
    const PagePlaces places = addPages(raw, chunks.pages, document.pageList, pagesWithShapes);
    addShapes(raw, std::move(elements), chunks, places);
    return raw;
}

} // namespace lumetra::pub::detail
