#include "FileNames.h"

namespace lumetra::runtime {

namespace {

constexpr char16_t EscapeBase = 0xDC00; // a byte b >= 0x80 that is not UTF-8: U+DC00 + b

bool escaped(char16_t unit) {
    return unit >= EscapeBase + 0x80 && unit <= EscapeBase + 0xFF;
}

// The length of the valid UTF-8 sequence at `at`, or 0 when there is none.
int utf8Length(const QByteArray& bytes, qsizetype at) {
    const auto byte = [&](qsizetype i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(at);
    int length = 0;
    char32_t code = 0;
    if (lead < 0x80) {
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (at + length > bytes.size()) {
        return 0;
    }
    for (int i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) {
            return 0;
        }
        code = code << 6 | (byte(at + i) & 0x3F);
    }
    const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return overlong || surrogate || code > 0x10FFFF ? 0 : length;
}

} // namespace

QByteArray nativeName(const QString& name) {
    QByteArray bytes;
    bytes.reserve(name.size() * 3);
    qsizetype start = 0;
    for (qsizetype i = 0; i <= name.size(); ++i) {
        if (i == name.size() || escaped(name[i].unicode())) {
            bytes += QStringView(name).sliced(start, i - start).toUtf8();
            if (i < name.size()) {
                bytes += static_cast<char>(name[i].unicode() - EscapeBase);
            }
            start = i + 1;
        }
    }
    return bytes;
}

QString fromNativeName(const QByteArray& bytes) {
    QString name;
    name.reserve(bytes.size());
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < bytes.size()) {
        const int length = utf8Length(bytes, i);
        if (length > 0) {
            i += length;
            continue;
        }
        name += QString::fromUtf8(bytes.constData() + start, i - start);
        name += QChar(static_cast<char16_t>(EscapeBase + static_cast<unsigned char>(bytes[i])));
        start = ++i;
    }
    name += QString::fromUtf8(bytes.constData() + start, i - start);
    return name;
}

QString shownName(const QString& name) {
    QString shown = name;
    for (QChar& c : shown) {
        if (escaped(c.unicode())) {
            c = QChar(static_cast<char16_t>(c.unicode() - EscapeBase));
        }
    }
    return shown;
}

} // namespace lumetra::runtime
