#pragma once
// Which files of a folder are images to list: the extension after the last "." (the whole name
// when there is none), in lower case, must occur anywhere in the text of accepted extensions.

#include <QString>

namespace lumetra::mainwindow {

inline const QString EstensioniImmagini = QStringLiteral(
    "emf|wmf|jpg|jpeg|jfif|jpe|png|bmp|din|rle|bmz|gif|gfa|emz|wmz|pcz|pcd|pcx|mix|pct|pict|cdr|"
    "cgm|eps|fpx|wpg|tif|tiff");

bool IsImageName(const QString& name);

} // namespace lumetra::mainwindow
