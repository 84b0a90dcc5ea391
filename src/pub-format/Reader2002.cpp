#include "Reader2002.h"

#include "ByteView.h"
#include "ContentsBlocks.h"
#include "EscherShapes.h"

#include <QString>

#include <map>
#include <optional>

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
    std::map<std::pair<RawPage*, std::uint32_t>, std::size_t> placed;
    for (auto& element : readEscherShapes(escher, widthEmu, heightEmu, directory)) {
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
