#include "RevengeDecoder.h"

#include "Length.h"

#include "PageRecorder.h"
#include "PictureData.h"
#include "PictureError.h"
#include "PictureFormat.h"
#include "RecordedPicture.h"

#include <libcdr/libcdr.h>
#include <librevenge-stream/librevenge-stream.h>
#include <libwpg/libwpg.h>

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
};

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
    drawing::PageRecorder recorder;
    const bool parsed = wpg ? parsedBy<libwpg::WPGraphics>(stream, recorder)
                            : parsedBy<libcdr::CDRDocument>(stream, recorder) ||
                                  parsedBy<libcdr::CMXDocument>(stream, recorder);
    if (!parsed || recorder.pages().empty()) {
        damaged(format);
    }
    drawing::RecordedPage& page = recorder.pages().front();
    if (!(page.size.width() > 0) || !(page.size.height() > 0) ||
        !std::isfinite(page.size.width()) || !std::isfinite(page.size.height())) {
        refuse(QStringLiteral("file %1 danneggiato: il disegno non ha dimensioni")
                   .arg(QString::fromLatin1(format)));
    }
    return Drawing{std::move(page), format};
}

PictureInfo probe(const PictureData& data) {
    const Drawing drawing = recorded(data);
    const QSizeF points = drawing.page.size * runtime::PointsPerInch; // the page is in inches
    return PictureInfo{QSize(std::max(1, int(std::lround(std::min(points.width(), 1e6)))),
                             std::max(1, int(std::lround(std::min(points.height(), 1e6))))),
                       drawing.format, true};
}

std::shared_ptr<const ImportedPicture> load(const PictureData& data, QSize) {
    return std::make_shared<RecordedPicture>(recorded(data).page);
}

} // namespace

const Decoder revengeDecoder{probe, load};

} // namespace lumetra::pictures
