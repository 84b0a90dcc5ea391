#pragma once
// Stored shape types and the object model's shape numbers.

namespace lumetra::pub::detail {

// OfficeArt shape types (MSOSPT) that the reader tells apart.
inline constexpr int SptNotPrimitive = 0;
inline constexpr int SptRectangle = 1;
inline constexpr int SptRoundRectangle = 2;
inline constexpr int SptEllipse = 3;
inline constexpr int SptLine = 20;
inline constexpr int SptStraightConnector = 32;
inline constexpr int SptPictureFrame = 75;
inline constexpr int SptTextPlainText = 136;
inline constexpr int SptTextCanDown = 175;
inline constexpr int SptHostControl = 201; // Publisher stores its tables with this type
inline constexpr int SptTextBox = 202;

// The object model's AutoShapeType for an OfficeArt shape type; AutoShapeNotPrimitive for types
// without an auto shape of their own.
int autoShapeTypeOfSpt(int spt);

// The OfficeArt shape type of a 98/2000 custom shape kind (byte 0x31 of its chunk), or -1.
int sptOf2000CustomShape(int kind);

} // namespace lumetra::pub::detail
