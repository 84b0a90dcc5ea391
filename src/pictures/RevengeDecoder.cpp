#include "RevengeDecoder.h"

#include "Length.h"

#include "PageRecorder.h"
#include "PictureData.h"
#include "PictureError.h"
#include "PictureFormat.h"
#include "PicturePool.h"
#include "RecordedPicture.h"

#include <libcdr/libcdr.h>
#include <librevenge-stream/librevenge-stream.h>
#include <libwpg/libwpg.h>

#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <limits>

namespace lumetra::pictures {

namespace {

// Whether `Library` knows the stream and drew it into `recorder`.
template <class Library>
bool parsedBy(librevenge::RVNGInputStream& stream, drawing::PageRecorder& recorder) {
    stream.seek(0, librevenge::RVNG_SEEK_SET);
    if (!Library::isSupported(&stream)) {
        return false;
    }
    stream.seek(0, librevenge::RVNG_SEEK_SET);
    return Library::parse(&stream, &recorder);
}

struct Drawing {
    drawing::RecordedPage page;
    QByteArray format;
    QString damage;
};

// The records of a WordPerfect graphics file, walked by their lengths (a type byte, in version
// 2 a class byte before it and an extension length after it): whether they reach the end
// record (0x10 in version 1, 0x02 in version 2) inside the file.
bool wpgComplete(QByteArrayView b) {
    qsizetype at = b.size() >= 16 ? qFromLittleEndian<quint32>(b.data() + 4) : b.size();
    const bool second = b.size() >= 16 && b[10] == 2;
    const auto byte = [&]() -> int { return at < b.size() ? quint8(b[at++]) : -1; };
    const auto word = [&]() -> qint64 {
        const int low = byte(), high = byte();
        return low < 0 || high < 0 ? -1 : low | high << 8;
    };
    // A length: a byte below 0xFF, else a 16-bit word, else (its high bit set) 31 bits.
    const auto length = [&]() -> qint64 {
        const int first = byte();
        if (first < 0xFF) {
            return first;
        }
        const qint64 high = word();
        if (high < 0x8000) {
            return high;
        }
        const qint64 low = word();
        return low < 0 ? -1 : (high & 0x7FFF) << 16 | low;
    };
    while (at < b.size()) {
        if (second && byte() < 0) {
            return false;
        }
        const int type = byte();
        if (type < 0 || (second && length() < 0)) {
            return false;
        }
        const qint64 size = length();
        if (size < 0 || size > b.size() - at) {
            return false;
        }
        if (type == (second ? 0x02 : 0x10)) {
            return true;
        }
        at += size;
    }
    return false;
}

// Whether a CorelDRAW file holds all it says it holds: a RIFF file the length of its chunk, a
// zip package its closing directory.
bool cdrComplete(QByteArrayView b) {
    if (b.startsWith("PK")) {
        return b.last(std::min<qsizetype>(b.size(), 65557)).indexOf("PK\x05\x06") >= 0;
    }
    return b.size() >= 8 && qint64(qFromLittleEndian<quint32>(b.data() + 4)) + 8 <= b.size();
}

[[noreturn]] void damaged(const QByteArray& format) {
    refuse(QStringLiteral("file %1 danneggiato o di una versione che non si sa leggere")
               .arg(QString::fromLatin1(format)));
}

// The first page the file draws, recorded through the library that reads it.
Drawing recorded(const PictureData& data) {
    const bool wpg = detectFormat(data) == PictureFormat::Wpg;
    const QByteArray format = wpg ? "WPG" : "CDR";
    const QByteArrayView bytes = data.bytes();
    if (bytes.size() > std::numeric_limits<unsigned>::max()) {
        refuse(QStringLiteral("file %1 troppo grande").arg(QString::fromLatin1(format)));
    }
    // The stream also serves the zip package of recent CorelDRAW versions.
    librevenge::RVNGStringStream stream(reinterpret_cast<const unsigned char*>(bytes.data()),
                                        unsigned(bytes.size()));
    drawing::PageRecorder recorder(std::make_shared<PicturePool>());
    const bool parsed = wpg ? parsedBy<libwpg::WPGraphics>(stream, recorder)
                            : parsedBy<libcdr::CDRDocument>(stream, recorder) ||
                                  parsedBy<libcdr::CMXDocument>(stream, recorder);
    if (!parsed || recorder.pages().empty()) {
        damaged(format);
    }
    drawing::RecordedPage& page = recorder.pages().front();
    const bool complete = wpg ? wpgComplete(bytes) : cdrComplete(bytes);
    if (!complete && page.items.empty()) {
        refuse(
            QStringLiteral("file %1 troncato: il disegno manca").arg(QString::fromLatin1(format)));
    }
    if (!(page.size.width() > 0) || !(page.size.height() > 0) ||
        !std::isfinite(page.size.width()) || !std::isfinite(page.size.height())) {
        refuse(QStringLiteral("file %1 danneggiato: il disegno non ha dimensioni")
                   .arg(QString::fromLatin1(format)));
    }
    return Drawing{std::move(page), format,
                   complete ? QString()
                            : QStringLiteral("file %1 troncato: il disegno è incompleto")
                                  .arg(QString::fromLatin1(format))};
}

PictureInfo probe(const PictureData& data) {
    const Drawing drawing = recorded(data);
    const QSizeF points = drawing.page.size * runtime::PointsPerInch; // the page is in inches
    PictureInfo info{QSize(std::max(1, int(std::lround(std::min(points.width(), 1e6)))),
                           std::max(1, int(std::lround(std::min(points.height(), 1e6))))),
                     drawing.format, true};
    info.damage = drawing.damage;
    return info;
}

std::shared_ptr<const ImportedPicture> load(const PictureData& data, QSize, Background) {
    Drawing drawing = recorded(data);
    auto picture = std::make_shared<RecordedPicture>(std::move(drawing.page));
    picture->setDamage(drawing.damage);
    return picture;
}

} // namespace

const Decoder revengeDecoder{probe, load};

} // namespace lumetra::pictures
