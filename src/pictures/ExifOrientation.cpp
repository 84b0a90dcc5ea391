#include "ExifOrientation.h"

#include <QTransform>

namespace lumetra::pictures {

int exifOrientation(QByteArrayView exif) {
    if (exif.startsWith(QByteArrayView("Exif\0\0", 6))) {
        exif = exif.sliced(6);
    }
    const bool little = exif.startsWith("II*");
    if (exif.size() < 8 || (!little && !exif.startsWith("MM\0*"))) {
        return 1;
    }
    const auto number = [&](qsizetype at, int bytes) -> quint32 {
        if (at < 0 || at + bytes > exif.size()) {
            return 0;
        }
        quint32 value = 0;
        for (int i = 0; i < bytes; ++i) {
            const quint32 byte = quint8(exif[at + (little ? bytes - 1 - i : i)]);
            value = value << 8 | byte;
        }
        return value;
    };
    const qsizetype directory = number(4, 4);
    const quint32 entries = number(directory, 2);
    for (quint32 e = 0; e < entries && e < 1000; ++e) {
        const qsizetype entry = directory + 2 + 12 * qsizetype(e);
        if (number(entry, 2) == 0x0112 && number(entry + 2, 2) == 3) {
            const quint32 value = number(entry + 8, 2);
            return value >= 1 && value <= 8 ? int(value) : 1;
        }
    }
    return 1;
}

QImage oriented(QImage image, int orientation) {
    // Mirror first (2, 4, 5, 7), then turn: 5 and 7 are 6 and 8 of the mirrored picture.
    const bool mirror =
        orientation == 2 || orientation == 4 || orientation == 5 || orientation == 7;
    if (orientation == 4) {
        return image.mirrored(false, true);
    }
    if (mirror) {
        image = image.mirrored(true, false);
    }
    switch (orientation) {
    case 3:
        return image.transformed(QTransform().rotate(180));
    case 5:
    case 8:
        return image.transformed(QTransform().rotate(270));
    case 6:
    case 7:
        return image.transformed(QTransform().rotate(90));
    default:
        return image;
    }
}

} // namespace lumetra::pictures
