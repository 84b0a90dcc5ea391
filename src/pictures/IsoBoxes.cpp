#include "IsoBoxes.h"

#include <QtEndian>

namespace lumetra::pictures {

bool boxesComplete(QByteArrayView b) {
    qsizetype at = 0;
    while (at + 8 <= b.size()) {
        quint64 size = qFromBigEndian<quint32>(b.data() + at);
        if (size == 1 && at + 16 <= b.size()) {
            size = qFromBigEndian<quint64>(b.data() + at + 8);
        } else if (size == 0) {
            return true; // the last box, to the end of the file
        }
        if (size < 8 || size > quint64(b.size() - at)) {
            return false;
        }
        at += qsizetype(size);
    }
    return at == b.size();
}

} // namespace lumetra::pictures
