#include "PictureProbes.h"

#include "PictureImport.h"
#include "TestProcess.h"

#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QStandardPaths>

#include <algorithm>
#include <cstdlib>

namespace lumetra::pictures::test {

QColor colourAt(const QImage& image, QPointF fraction) {
    const int x = std::clamp(static_cast<int>(fraction.x() * image.width()), 0, image.width() - 1);
    const int y =
        std::clamp(static_cast<int>(fraction.y() * image.height()), 0, image.height() - 1);
    return image.pixelColor(x, y);
}

int colourDistance(QColor a, QColor b) {
    return std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()),
                     std::abs(a.blue() - b.blue())});
}

int rasterImagesInPdf(const QString& file, const QString& pdfPath) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdfimages")).isEmpty()) {
        return -1;
    }
    {
        QPdfWriter pdf(pdfPath);
        pdf.setPageSize(QPageSize(QSizeF(300, 300), QPageSize::Point));
        pdf.setResolution(300);
        QPainter painter(&pdf);
        const double dotsPerPoint = 300.0 / 72.0;
        const QRectF box(50 * dotsPerPoint, 50 * dotsPerPoint, 200 * dotsPerPoint,
                         200 * dotsPerPoint);
        loadPicture(file, box.size().toSize())->draw(painter, box);
    }
    const QString list =
        testsupport::runProgram(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdfPath});
    // Two heading lines, then one line per image.
    return std::max<int>(
        0, static_cast<int>(list.split(QLatin1Char('\n'), Qt::SkipEmptyParts).size()) - 2);
}

bool makeSample(const QString& program, const QStringList& arguments, QString* why) {
    if (QStandardPaths::findExecutable(program).isEmpty()) {
        *why = program + QStringLiteral(" is not installed");
        return false;
    }
    const testsupport::ProgramRun run = testsupport::startProgram(program, arguments);
    if (run.exitCode != 0) {
        *why = program + QStringLiteral(" failed: ") + run.errors;
        return false;
    }
    return true;
}

} // namespace lumetra::pictures::test
