#include "TextDecoding.h"

#include <QStringDecoder>

#include <array>

namespace lumetra::catalogue {
namespace {

// Windows-1252 from 0x80 to 0x9F; the five bytes it leaves undefined keep their own value, as
// Windows itself converts them.
constexpr std::array<char16_t, 32> Windows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString decodeWindows1252(const QByteArray& bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        text[i] = (byte >= 0x80 && byte <= 0x9F) ? QChar(Windows1252High[byte - 0x80])
                                                 : QChar(static_cast<char16_t>(byte));
    }
    return text;
}

QString decodeWith(QStringConverter::Encoding encoding, QByteArrayView bytes) {
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    return decoder.decode(bytes);
}

} // namespace

QString decodeText(const QByteArray& bytes) {
    const QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF")) {
        return decodeWith(QStringConverter::Utf8, view.sliced(3));
    }
    if (view.startsWith("\xFF\xFE")) {
        return decodeWith(QStringConverter::Utf16LE, view.sliced(2));
    }
    if (view.startsWith("\xFE\xFF")) {
        return decodeWith(QStringConverter::Utf16BE, view.sliced(2));
    }
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(view);
    if (!utf8.hasError()) {
        return text;
    }
    return decodeWindows1252(bytes);
}

} // namespace lumetra::catalogue
