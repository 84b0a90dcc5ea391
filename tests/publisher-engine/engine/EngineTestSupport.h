#pragma once
// Shared set-up of the engine tests: an A4 layout in memory whose page 1 holds slot rectangles,
// an engine over it writing PDFs into a temporary folder, and page rendering.

#include "EngineApplication.h"
#include "EngineDocument.h"
#include "MemoryLayout.h"
#include "PublisherApi.h"

#include <QImage>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>

namespace lumetra::engine::test {

// Page 1: an oval (no slot), then two rectangles, in that collection order; page 2: one
// rectangle. Shapes are drawn filled: oval blue, rectangles red and green, page 2's grey.
std::shared_ptr<MemoryLayout> twoPageLayout();

struct EngineFixture {
    // `layout` opened; printing goes to `pdfFile`, or (`toPdf` false) to the default printer.
    explicit EngineFixture(bool toPdf = true,
                           std::shared_ptr<MemoryLayout> layout = twoPageLayout());
    QString path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    QString layoutFile; // an existing (empty) file standing for the layout
    QString pdfFile;
    std::shared_ptr<MemoryLayout> layout;
    std::shared_ptr<EngineApplication> app;
    std::shared_ptr<EngineDocument> document;
};

// Page `index` (0-based) of `document` at `dpi`, through the one painting routine.
QImage renderPage(const EngineDocument& document, int index, double dpi,
                  QStringList* unreadable = nullptr);

// The number of the Publisher::Error `action` throws (0: none), its description (never empty)
// in `description`.
int errorNumber(const std::function<void()>& action, QString* description = nullptr);

// The pixels of `area` within `tolerance` of `colour` in red, green and blue each.
int countPixels(const QImage& image, const QRect& area, QColor colour, int tolerance = 40);

} // namespace lumetra::engine::test
