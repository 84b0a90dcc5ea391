#pragma once
// Which files of a folder are images to list: the extension after the last "." (the whole name
// when there is none), in lower case, must occur anywhere in the text of accepted extensions,
// or be one of the phone and web formats read besides them, matched whole.

#include <QString>
#include <QStringList>

namespace lumetra::mainwindow {

inline const QString EstensioniImmagini = QStringLiteral(
    "emf|wmf|jpg|jpeg|jfif|jpe|png|bmp|din|rle|bmz|gif|gfa|emz|wmz|pcz|pcd|pcx|mix|pct|pict|cdr|"
    "cgm|eps|fpx|wpg|tif|tiff");

// HEIF (iPhone photos), AVIF, WebP and JPEG XL: whole extensions only, so that no fragment
// of them ("hei", "web") is taken for a picture.
inline const QStringList EstensioniFotoWeb = {QStringLiteral("heic"), QStringLiteral("heif"),
                                              QStringLiteral("avif"), QStringLiteral("webp"),
                                              QStringLiteral("jxl")};

bool IsImageName(const QString& name);

} // namespace lumetra::mainwindow
