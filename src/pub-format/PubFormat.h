#pragma once
// The facts of the Publisher file format that its reader and its writer share: units, the chunk
// types of the contents stream, the OfficeArt records and shape flags of the Escher streams, and
// how a turned shape stores its box. One place, so that what is written is what is read.

#include <cmath>
#include <cstdint>

namespace lumetra::pub {

// Positions and sizes are stored in EMU.
inline constexpr double EmuPerPoint = 12700.0;
inline constexpr double EmuPerInch = 914400.0;

// Chunk types of the contents stream.
inline constexpr int ChunkShape = 0x01;
inline constexpr int ChunkTable = 0x10;
inline constexpr int ChunkGroup = 0x30;
inline constexpr int ChunkPage = 0x43;
inline constexpr int ChunkDocument = 0x44;

// OfficeArt record types.
inline constexpr int RecDggContainer = 0xF000;
inline constexpr int RecBStoreContainer = 0xF001;
inline constexpr int RecDgContainer = 0xF002;
inline constexpr int RecSpgrContainer = 0xF003;
inline constexpr int RecSpContainer = 0xF004;
inline constexpr int RecDgg = 0xF006;
inline constexpr int RecBse = 0xF007;
inline constexpr int RecDg = 0xF008;
inline constexpr int RecFspgr = 0xF009;
inline constexpr int RecFsp = 0xF00A;
inline constexpr int RecFopt = 0xF00B;
inline constexpr int RecChildAnchor = 0xF00F;
inline constexpr int RecClientAnchor = 0xF010;
inline constexpr int RecClientData = 0xF011;
inline constexpr int RecBlipPng = 0xF01E;

// Shape flags of the Fsp record.
inline constexpr std::uint32_t FlagGroup = 0x1;
inline constexpr std::uint32_t FlagChild = 0x2;
inline constexpr std::uint32_t FlagFlipH = 0x40;
inline constexpr std::uint32_t FlagFlipV = 0x80;
inline constexpr std::uint32_t FlagHaveAnchor = 0x200;
inline constexpr std::uint32_t FlagHaveShapeType = 0x800;

// A shape turned by about a quarter (45 to 135 degrees, or 225 to 315, either way) stores the
// box it has once turned; its own box is that one turned back about the same centre.
inline bool isTurnedQuarter(double rotation) {
    double r = std::fmod(rotation, 360.0);
    if (r < 0) {
        r += 360.0;
    }
    return (r >= 45 && r < 135) || (r >= 225 && r < 315);
}

} // namespace lumetra::pub
