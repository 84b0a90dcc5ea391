#pragma once
// Which kind of picture a file holds, told from its content. The name only helps where a
// format has no signature of its own (PICT) or where one container serves several formats.

#include <QByteArray>
#include <QSize>

namespace lumetra::pictures {

class PictureData;

enum class PictureFormat {
    Unknown,
    Jpeg,
    Png,
    Bmp,
    Gif,
    Tiff,
    Eps,  // PostScript, also with a DOS binary header and a TIFF or WMF preview
    Wmf,  // Windows metafile, with or without the placeable header
    Emf,  // enhanced metafile (EMF+ records inside it included)
    Cdr,  // CorelDRAW
    Wpg,  // WordPerfect graphics
    Gzip, // a gzip'd picture (.bmz, .emz, .wmz, .pcz)
    Pcx,
    Pict,
    Pcd,      // Kodak Photo CD
    UtahRle,  // Utah raster toolkit run-length
    Cgm,      // computer graphics metafile: no library here
    Compound, // a compound document: FlashPix (.fpx) or Picture It (.mix), no library here
    Svg,      // an SVG drawing (the barcodes this program makes)
    Heif,     // HEIF, HEVC-coded (phone photos: .heic, .heif)
    Avif,     // HEIF, AV1-coded
    WebP,
    Jxl, // JPEG XL, a bare codestream or in its container
};

PictureFormat detectFormat(const PictureData& data);

// The frame a PICT file declares, in its own pixels (width and height); an empty size when the
// file is no PICT or the frame is empty.
QSize pictFrameSize(const PictureData& data);

// Whether a PICT file ends with the end-of-picture opcode, as a complete one does (zero bytes
// of padding may follow it).
bool pictComplete(const PictureData& data);

// The format's short name for messages ("TIFF", "CGM").
QByteArray formatName(PictureFormat format, const PictureData& data);

} // namespace lumetra::pictures
