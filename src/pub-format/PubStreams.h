#pragma once
// The streams of a test layout written by PubBuilder: "Contents" (chunk directory, document,
// pages, shape chunks), "Escher/EscherStm" (one drawing per page), "Escher/EscherDelayStm"
// (pictures) and "Quill/QuillSub/CONTENTS" (text).

#include "PubBuilder.h"

#include <QByteArray>

#include <cstdint>
#include <vector>

namespace lumetra::pub {

class PubFileWriter {
public:
    explicit PubFileWriter(const PubBuilder& builder);

    QByteArray contents() const;
    QByteArray escher() const;
    QByteArray escherDelay() const;
    QByteArray quill() const;

private:
    // A shape with everything the streams need, in drawing order.
    struct Shape {
        const PubItem* item = nullptr;
        std::uint32_t seqnum = 0;
        std::uint32_t parent = 0; // page or group seqnum
        int textId = -1;
        int pictureIndex = 0; // 1-based in the picture store
        std::vector<Shape> members;
    };
    struct Page {
        const PubPage* page = nullptr;
        std::uint32_t seqnum = 0;
        std::vector<Shape> shapes;
    };

    std::uint32_t nextSeqnum();
    Shape prepare(const PubItem& item, std::uint32_t parent);
    QByteArray shapeRecord(const Shape& shape, bool topLevel) const;
    void appendChunks(const Shape& shape, std::vector<std::pair<std::uint32_t, QByteArray>>& chunks,
                      std::vector<std::pair<std::uint32_t, int>>& types) const;

    double widthEmu_ = 0;
    double heightEmu_ = 0;
    std::vector<Page> pages_; // file order: masters first
    std::vector<const PubItem*> pictures_;
    std::vector<QString> texts_;
    std::uint32_t lastSeqnum_ = 0x100; // the document
    std::uint32_t spid_ = 0x400;
};

} // namespace lumetra::pub
