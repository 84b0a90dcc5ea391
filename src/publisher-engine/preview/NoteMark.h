#pragma once
// A place of a page the check before printing has a note about, as the preview window marks it
// on screen (never on paper or in a PDF).

#include <QRectF>

namespace lumetra::preview {

struct NoteMark {
    int page = 0;   // from 1
    QRectF box;     // points on that page
    int number = 0; // as the note is numbered in the list beside the pages
};

} // namespace lumetra::preview
