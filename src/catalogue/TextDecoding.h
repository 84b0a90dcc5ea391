#pragma once
// The text of a CSV file whatever program wrote it: UTF-8 with or without its byte order mark,
// UTF-16 with its mark (Excel's "Unicode text"), and otherwise Windows-1252, the code page of
// Italian Windows, told from UTF-8 by the bytes not being valid UTF-8.

#include <QByteArray>
#include <QString>

namespace lumetra::catalogue {

QString decodeText(const QByteArray& bytes);

} // namespace lumetra::catalogue
