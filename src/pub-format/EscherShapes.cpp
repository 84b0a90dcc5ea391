#include "EscherShapes.h"

#include "PubFormat.h"
#include "RawLayout.h"
#include "ShapeTypes.h"

#include <cmath>
#include <optional>

namespace lumetra::pub::detail {

namespace {

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

    std::vector<EscherElement> walk() {
        std::size_t pos = 0;
        while (pos < b_.size() && b_.size() - pos >= 8) {
            const Record r = readRecord(b_, pos, b_.size());
            if (r.type == RecDgContainer) {
                forEachChild(b_, r, [&](const Record& child) {
                    if (child.type == RecSpgrContainer) {
                        walkRoot(child);
                    }
                });
            }
            pos = r.end + ((r.type == RecDgContainer || r.type == RecDggContainer) ? 4 : 0);
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
            if (r.type == RecSpContainer) {
                countShape();
                const SpInfo info = readSp(b_, r);
                if ((info.flags & FlagGroup) || !info.seqnum) {
                    return; // the page's patriarch, or a shape libmspub ignores
                }
                elements_.push_back(
                    {*info.seqnum, makeShape(info, none, false), info.seqnumOffsets});
            } else if (r.type == RecSpgrContainer) {
                EscherElement group;
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
            if (r.type == RecSpContainer) {
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
            } else if (r.type == RecSpgrContainer) {
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
    std::vector<EscherElement> elements_;
    std::size_t shapeCount_ = 0;
};

} // namespace

std::vector<EscherElement> readEscherShapes(const ByteView& escher, double pageWidthEmu,
                                            double pageHeightEmu,
                                            const std::vector<ChunkRef>& directory) {
    return EscherWalker(escher, pageWidthEmu, pageHeightEmu, directory).walk();
}

} // namespace lumetra::pub::detail
