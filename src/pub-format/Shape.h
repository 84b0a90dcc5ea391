#pragma once
// One shape of a layout page as the publishing application's object model reports it.

#include "PublisherApi.h"

#include <cstdint>
#include <vector>

namespace lumetra::pub {

// Shape::type values: the object model's shape types.
inline constexpr int TypeAutoShape = Publisher::msoAutoShape;
inline constexpr int TypeFreeform = Publisher::msoFreeform;
inline constexpr int TypeGroup = Publisher::msoGroup;
inline constexpr int TypeLine = Publisher::msoLine;
inline constexpr int TypePicture = Publisher::msoPicture;
inline constexpr int TypeTextEffect = Publisher::msoTextEffect;
inline constexpr int TypeTextBox = Publisher::msoTextBox;
inline constexpr int TypeTable = Publisher::msoTable;

// Shape::autoShapeType values used by the reader's callers; the rest follow the object model's
// auto-shape numbering. Shapes that are no auto shape have AutoShapeNone.
inline constexpr int AutoShapeNone = Publisher::msoShapeMixed;
inline constexpr int AutoShapeRectangle = Publisher::msoShapeRectangle;
inline constexpr int AutoShapeRoundedRectangle = Publisher::msoShapeRoundedRectangle;
inline constexpr int AutoShapeOval = Publisher::msoShapeOval;
inline constexpr int AutoShapeNotPrimitive = Publisher::msoShapeNotPrimitive;

struct Shape {
    int type = TypeAutoShape;
    int autoShapeType = AutoShapeNone;

    // Position and size in points, from the page's top-left corner, of the unrotated shape:
    // for a shape turned by about 90 or 270 degrees Width and Height are those before the turn,
    // around the same centre.
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    double rotation = 0; // degrees, clockwise, as stored (may be negative)
    bool flipH = false;
    bool flipV = false;

    // Where the shape comes from in the file. 2002+: storedType is the OfficeArt shape type,
    // chunkType the Contents chunk type (0x01 shape, 0x30 group, 0x10 table, ...), id the seqnum.
    // 98/2000 and 95/97: storedType and chunkType are both the chunk's type marker, id the chunk
    // id.
    int storedType = 0;
    int chunkType = 0;
    std::uint32_t id = 0;
    // Picture property (2002+: 1-based index in the picture store; 98/2000: 1 for a picture chunk).
    std::uint32_t pictureIndex = 0;
    bool hasPicture() const { return pictureIndex != 0; }

    // A group's members, in drawing order, with positions on the page (same rules as above).
    std::vector<Shape> children;

    // The picture-slot rule: an auto shape that is a rectangle. Only top-level shapes can be slots:
    // shapes inside groups are reported with the type they would have, but are never in
    // a page's collection.
    bool isPictureSlot() const {
        return type == TypeAutoShape && autoShapeType == AutoShapeRectangle;
    }
};

} // namespace lumetra::pub
