#include "Gunzip.h"

#include "PictureError.h"

#include <zlib.h>

#include <algorithm>

namespace lumetra::pictures {

namespace {

// The name of the inner file: .emz .wmz .bmz .pcz lose their "z" and get their letter back.
QString innerName(const QString& name) {
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString ext = dot < 0 ? QString() : name.mid(dot + 1).toLower();
    static const struct {
        const char* packed;
        const char* inner;
    } names[] = {{"emz", "emf"}, {"wmz", "wmf"}, {"bmz", "bmp"}, {"pcz", "pcx"}};
    for (const auto& n : names) {
        if (ext == QLatin1String(n.packed)) {
            return name.left(dot + 1) + QLatin1String(n.inner);
        }
    }
    return name;
}

} // namespace

PictureData gunzip(const PictureData& data) {
    const QByteArrayView in = data.bytes();
    z_stream stream{};
    if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK) {
        refuse(QStringLiteral("impossibile decomprimere il file"));
    }
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
    stream.avail_in = static_cast<uInt>(std::min<qsizetype>(in.size(), UINT32_MAX));
    QByteArray out;
    int result = Z_OK;
    while (result == Z_OK) {
        if (out.size() >= MaxUnpackedBytes) {
            inflateEnd(&stream);
            refuse(QStringLiteral("il file compresso è troppo grande una volta decompresso"));
        }
        const qsizetype before = out.size();
        const qsizetype chunk =
            std::min<qsizetype>(std::max<qsizetype>(before, 1 << 16), MaxUnpackedBytes - before);
        out.resize(before + chunk);
        stream.next_out = reinterpret_cast<Bytef*>(out.data() + before);
        stream.avail_out = static_cast<uInt>(chunk);
        result = inflate(&stream, Z_NO_FLUSH);
        out.resize(before + chunk - stream.avail_out);
        if (result == Z_BUF_ERROR && stream.avail_in == 0) {
            break; // cut short
        }
    }
    inflateEnd(&stream);
    // A picture cut short inside the compressed data would come out cut short with no sign of it
    // in formats that carry no length of their own (PCX).
    if (result == Z_BUF_ERROR) {
        refuse(QStringLiteral("il file compresso è troncato o danneggiato"));
    }
    if (result != Z_STREAM_END || out.isEmpty()) {
        refuse(QStringLiteral("il file compresso è danneggiato"));
    }
    return PictureData::fromBytes(std::move(out), innerName(data.fileName()));
}

} // namespace lumetra::pictures
