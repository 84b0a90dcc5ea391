#include "AnchorCollapse.h"

#include <optional>
#include <utility>

namespace lumetra::drawing {

namespace {

constexpr std::uint16_t SpContainer = 0xF004;
constexpr std::uint16_t ChildAnchor = 0xF00F;
constexpr std::uint16_t ClientAnchor = 0xF010;
constexpr int MaxDepth = 32;

struct Record {
    std::uint16_t verInstance = 0;
    std::uint16_t type = 0;
    std::size_t body = 0; // offset of the payload
    std::size_t end = 0;  // offset after the payload
    bool container() const { return (verInstance & 0x0F) == 0x0F; }
};

std::uint32_t u32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
           std::uint32_t(b[at + 3]) << 24;
}
std::uint16_t u16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return std::uint16_t(b[at] | b[at + 1] << 8);
}

std::optional<Record> recordAt(const std::vector<std::uint8_t>& b, std::size_t at,
                               std::size_t end) {
    if (at + 8 > end || end > b.size()) {
        return std::nullopt;
    }
    Record r;
    r.verInstance = u16(b, at);
    r.type = u16(b, at + 2);
    const std::uint64_t length = u32(b, at + 4);
    r.body = at + 8;
    if (r.type < 0xF000 || r.type > 0xF1FF || r.body + length > end) {
        return std::nullopt;
    }
    r.end = r.body + std::size_t(length);
    return r;
}

// The innermost shape container in [begin, end) that holds `target`.
std::optional<Record> shapeHolding(const std::vector<std::uint8_t>& b, std::size_t begin,
                                   std::size_t end, std::uint64_t target, int depth,
                                   bool topLevel) {
    if (depth > MaxDepth) {
        return std::nullopt;
    }
    std::size_t at = begin;
    while (at + 8 <= end) {
        const auto r = recordAt(b, at, end);
        if (!r) {
            // Between the top-level containers of the stream lie 4 bytes of no record.
            if (!topLevel) {
                return std::nullopt;
            }
            at += 4;
            continue;
        }
        if (target >= r->body && target < r->end && r->container()) {
            if (auto inner = shapeHolding(b, r->body, r->end, target, depth + 1, false)) {
                return inner;
            }
            if (r->type == SpContainer) {
                return r;
            }
            return std::nullopt;
        }
        at = r->end;
    }
    return std::nullopt;
}

void collapse(const std::vector<std::uint8_t>& b, const Record& shape,
              std::vector<pub::StreamPatch>& out) {
    std::size_t at = shape.body;
    while (auto r = recordAt(b, at, shape.end)) {
        if (r->type == ChildAnchor && r->end - r->body >= 16) {
            out.push_back({EscherStream, r->body, std::vector<std::uint8_t>(16, 0)});
        } else if (r->type == ClientAnchor && r->end - r->body >= 4) {
            // A copy of the length, then (U16 id, S32 value) pairs; ids 0x2001-0x2004 are the
            // corners.
            for (std::size_t p = r->body + 4; p + 6 <= r->end; p += 6) {
                const std::uint16_t id = u16(b, p);
                if (id >= 0x2001 && id <= 0x2004) {
                    out.push_back({EscherStream, p + 2, std::vector<std::uint8_t>(4, 0)});
                }
            }
        }
        at = r->end;
    }
}

} // namespace

std::vector<pub::StreamPatch> collapseAnchors(const std::vector<std::uint8_t>& escher,
                                              const std::vector<std::uint64_t>& offsets) {
    std::vector<pub::StreamPatch> out;
    for (const std::uint64_t offset : offsets) {
        if (auto shape = shapeHolding(escher, 0, escher.size(), offset, 0, true)) {
            collapse(escher, *shape, out);
        }
    }
    return out;
}

} // namespace lumetra::drawing
