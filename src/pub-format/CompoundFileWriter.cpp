#include "CompoundFileWriter.h"

#include <QStringList>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <vector>

namespace lumetra::pub {

namespace {

constexpr std::uint32_t SectorSize = 512;
constexpr std::uint32_t MiniSectorSize = 64;
constexpr std::uint32_t MiniCutoff = 4096;
constexpr std::uint32_t EndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t FatSector = 0xFFFFFFFD;
constexpr std::uint32_t FreeSector = 0xFFFFFFFF;
constexpr std::uint32_t NoStream = 0xFFFFFFFF;

void putU16(QByteArray& out, std::size_t at, std::uint16_t v) {
    out[qsizetype(at)] = char(v & 0xFF);
    out[qsizetype(at) + 1] = char(v >> 8);
}
void putU32(QByteArray& out, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        out[qsizetype(at) + i] = char((v >> (8 * i)) & 0xFF);
    }
}

struct Node {
    QString name;
    int type = 1; // 1 storage, 2 stream, 5 root
    QByteArray data;
    std::vector<std::unique_ptr<Node>> children;
    std::uint32_t index = 0;
    std::uint32_t left = NoStream, right = NoStream, child = NoStream;
    std::uint32_t start = EndOfChain;
    std::uint32_t size = 0;
};

// Sibling order of the format: shorter names first, then by upper-case code units.
bool nameLess(const QString& a, const QString& b) {
    if (a.size() != b.size()) {
        return a.size() < b.size();
    }
    return a.toUpper() < b.toUpper();
}

Node* childNamed(Node& parent, const QString& name, int type) {
    for (auto& c : parent.children) {
        if (c->name == name) {
            return c.get();
        }
    }
    parent.children.push_back(std::make_unique<Node>());
    Node* node = parent.children.back().get();
    node->name = name;
    node->type = type;
    return node;
}

// Balanced binary tree of a storage's children; returns the root's index.
std::uint32_t linkSiblings(std::vector<Node*>& sorted, int from, int to) {
    if (from > to) {
        return NoStream;
    }
    const int mid = (from + to) / 2;
    Node* node = sorted[std::size_t(mid)];
    node->left = linkSiblings(sorted, from, mid - 1);
    node->right = linkSiblings(sorted, mid + 1, to);
    return node->index;
}

void number(Node& node, std::vector<Node*>& all) {
    node.index = std::uint32_t(all.size());
    all.push_back(&node);
    for (auto& c : node.children) {
        number(*c, all);
    }
}

void link(Node& node) {
    std::vector<Node*> sorted;
    for (auto& c : node.children) {
        sorted.push_back(c.get());
    }
    std::sort(sorted.begin(), sorted.end(),
              [](const Node* a, const Node* b) { return nameLess(a->name, b->name); });
    node.child = linkSiblings(sorted, 0, int(sorted.size()) - 1);
    for (auto& c : node.children) {
        link(*c);
    }
}

std::uint32_t sectorsFor(std::size_t bytes, std::uint32_t sector) {
    return std::uint32_t((bytes + sector - 1) / sector);
}

} // namespace

void CompoundFileWriter::addStream(const QString& path, QByteArray bytes) {
    streams_[path] = std::move(bytes);
}

QByteArray CompoundFileWriter::build() const {
    Node root;
    root.name = QStringLiteral("Root Entry");
    root.type = 5;
    for (const auto& [path, bytes] : streams_) {
        const QStringList parts = path.split(QLatin1Char('/'));
        Node* at = &root;
        for (qsizetype i = 0; i < parts.size(); ++i) {
            const bool last = i == parts.size() - 1;
            at = childNamed(*at, parts[i], last ? 2 : 1);
        }
        at->data = bytes;
        at->size = std::uint32_t(bytes.size());
    }
    std::vector<Node*> all;
    number(root, all);
    link(root);

    // Regular sectors: big streams, then the mini stream, the mini FAT, the directory, the FAT.
    std::vector<std::uint32_t> fat;
    QByteArray body;
    auto appendChain = [&](const QByteArray& data) -> std::uint32_t {
        if (data.isEmpty()) {
            return EndOfChain;
        }
        const std::uint32_t first = std::uint32_t(fat.size());
        const std::uint32_t count = sectorsFor(std::size_t(data.size()), SectorSize);
        for (std::uint32_t i = 0; i < count; ++i) {
            fat.push_back(i + 1 < count ? first + i + 1 : EndOfChain);
        }
        QByteArray padded = data;
        padded.append(QByteArray(qsizetype(count * SectorSize) - data.size(), '\0'));
        body.append(padded);
        return first;
    };

    QByteArray mini;
    std::vector<std::uint32_t> miniFat;
    for (Node* node : all) {
        if (node->type != 2) {
            continue;
        }
        if (node->size >= MiniCutoff) {
            node->start = appendChain(node->data);
        } else if (node->size > 0) {
            const std::uint32_t first = std::uint32_t(miniFat.size());
            const std::uint32_t count = sectorsFor(node->size, MiniSectorSize);
            for (std::uint32_t i = 0; i < count; ++i) {
                miniFat.push_back(i + 1 < count ? first + i + 1 : EndOfChain);
            }
            mini.append(node->data);
            mini.append(QByteArray(qsizetype(count * MiniSectorSize) - node->data.size(), '\0'));
            node->start = first;
        } else {
            node->start = EndOfChain;
        }
    }
    root.start = appendChain(mini);
    root.size = std::uint32_t(mini.size());

    QByteArray miniFatBytes(qsizetype(miniFat.size() * 4), '\0');
    for (std::size_t i = 0; i < miniFat.size(); ++i) {
        putU32(miniFatBytes, i * 4, miniFat[i]);
    }
    const std::uint32_t miniFatStart = appendChain(miniFatBytes);
    const std::uint32_t miniFatSectors = sectorsFor(std::size_t(miniFatBytes.size()), SectorSize);

    QByteArray directory(qsizetype(all.size() * 128), '\0');
    for (Node* node : all) {
        const std::size_t at = std::size_t{node->index} * 128;
        const QString name = node->name.left(31);
        for (qsizetype i = 0; i < name.size(); ++i) {
            putU16(directory, at + std::size_t(i) * 2, name[i].unicode());
        }
        putU16(directory, at + 64, std::uint16_t((name.size() + 1) * 2));
        directory[qsizetype(at) + 66] = char(node->type);
        directory[qsizetype(at) + 67] = 1; // black
        putU32(directory, at + 68, node->left);
        putU32(directory, at + 72, node->right);
        putU32(directory, at + 76, node->child);
        putU32(directory, at + 116, node->type == 1 ? 0 : node->start);
        putU32(directory, at + 120, node->type == 1 ? 0 : node->size);
    }
    // Unused directory slots of the last sector are empty entries.
    const std::uint32_t dirSectors = sectorsFor(std::size_t(directory.size()), SectorSize);
    directory.append(QByteArray(qsizetype(dirSectors * SectorSize) - directory.size(), '\0'));
    for (std::size_t at = all.size() * 128; at < std::size_t(directory.size()); at += 128) {
        putU32(directory, at + 68, NoStream);
        putU32(directory, at + 72, NoStream);
        putU32(directory, at + 76, NoStream);
    }
    const std::uint32_t dirStart = appendChain(directory);

    // The FAT covers every sector, its own included.
    std::uint32_t fatSectors = 1;
    while (std::size_t{fatSectors} * (SectorSize / 4) < fat.size() + fatSectors) {
        ++fatSectors;
    }
    if (fatSectors > 109) {
        throw std::length_error("compound file too large (more than 109 FAT sectors)");
    }
    const std::uint32_t fatStart = std::uint32_t(fat.size());
    for (std::uint32_t i = 0; i < fatSectors; ++i) {
        fat.push_back(FatSector);
    }
    QByteArray fatBytes(qsizetype(fatSectors * SectorSize), '\xFF');
    for (std::size_t i = 0; i < fat.size(); ++i) {
        putU32(fatBytes, i * 4, fat[i]);
    }
    body.append(fatBytes);

    QByteArray header(SectorSize, '\0');
    const unsigned char signature[] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    for (int i = 0; i < 8; ++i) {
        header[i] = char(signature[i]);
    }
    putU16(header, 0x18, 0x003E);
    putU16(header, 0x1A, 0x0003);
    putU16(header, 0x1C, 0xFFFE);
    putU16(header, 0x1E, 9);
    putU16(header, 0x20, 6);
    putU32(header, 0x2C, fatSectors);
    putU32(header, 0x30, dirStart);
    putU32(header, 0x38, MiniCutoff);
    putU32(header, 0x3C, miniFatSectors ? miniFatStart : EndOfChain);
    putU32(header, 0x40, miniFatSectors);
    putU32(header, 0x44, EndOfChain);
    putU32(header, 0x48, 0);
    for (std::uint32_t i = 0; i < 109; ++i) {
        putU32(header, 0x4C + i * 4, i < fatSectors ? fatStart + i : FreeSector);
    }
    return header + body;
}

} // namespace lumetra::pub
