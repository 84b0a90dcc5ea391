#pragma once
// File names as the system holds them: bytes, usually UTF-8, but not always (names copied from
// old Windows shares and archives are often Latin-1). A name is carried in a QString without
// losing a byte: valid UTF-8 is decoded as usual, every byte that is not part of valid UTF-8
// becomes the lone code unit U+DC80 + (byte - 0x80), and is written back as that byte. Every
// path the program opens, lists or checks goes through these two functions, never through
// QFile::encodeName, which would turn such a byte into '?'.

#include <QByteArray>
#include <QString>

namespace lumetra::runtime {

// The bytes the system knows the name by.
QByteArray nativeName(const QString& name);
// The name as the program carries it: nativeName(fromNativeName(b)) == b for any bytes b.
QString fromNativeName(const QByteArray& bytes);
// The name for a message: bytes that were not UTF-8 shown as the Latin-1 characters they most
// likely are.
QString shownName(const QString& name);

} // namespace lumetra::runtime
