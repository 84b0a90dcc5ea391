#pragma once
// Helpers of the picture format tests: colours read back at probe points, a PDF of a picture for
// the raster/vector check, and sample files made by real tools.

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QSize>
#include <QString>

namespace lumetra::pictures::test {

// The colour at a point given as fractions of the image's width and height (0.25, 0.5).
QColor colourAt(const QImage& image, QPointF fraction);

// The largest difference, over red, green and blue, between two colours.
int colourDistance(QColor a, QColor b);

// `file` drawn into a 200 x 200 pt box on a PDF page at `pdfPath`; the number of raster image
// objects in it, as pdfimages lists them (-1 when pdfimages is not there).
int rasterImagesInPdf(const QString& file, const QString& pdfPath);

// Runs a command-line tool that makes a sample file; false (with the reason in `why`) when the
// tool is not installed or fails, so the caller can skip the case saying so.
bool makeSample(const QString& program, const QStringList& arguments, QString* why);

} // namespace lumetra::pictures::test
