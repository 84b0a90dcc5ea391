#pragma once
// Reading a PDF back with poppler-utils: page count, words with their boxes, rendered pages. A
// tool that fails fails the calling test.

#include <QImage>
#include <QString>

#include <vector>

namespace lumetra::composition::test {

struct ParolaPdf {
    QString testo;
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0; // points, from the page's top-left corner
};

// -1 when the file cannot be read (and the calling test fails).
int PagineDelPdf(const QString& pdf);
// Words of page p (from 1), as pdftotext -bbox gives them.
std::vector<ParolaPdf> ParoleDelPdf(const QString& pdf, int pagina);
// The same words' texts alone, in order.
QStringList TestiDelPdf(const QString& pdf, int pagina);
// Page p rendered at `dpi`; a null image when it fails.
QImage PaginaDelPdf(const QString& pdf, int pagina, int dpi);

} // namespace lumetra::composition::test
