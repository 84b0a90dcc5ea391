#pragma once
// Draws the pages of a Publisher layout as the layout program shows them, through libmspub:
//
//   QString error;
//   auto renderer = lumetra::drawing::LayoutPageDrawer::open(path, &error);
//   renderer->drawPage(painter, 0, targetRect, {2, 3});   // page 1 without Shapes(3), Shapes(4)
//   QImage image = renderer->renderPage(0, 96.0);
//
// Pages are indices in Layout::pages(); hidden shapes are 0-based indices in that page's shapes.
// Each page is read through libmspub once per set of hidden shapes and kept as a display list,
// so drawing again (at any resolution: screen, preview, a 600 dpi printer) costs only the
// painting. Master-page content appears on the pages that use the master. Nothing throws out of
// this class: failures are reported as Italian messages.

#include "DisplayList.h"
#include "Layout.h"
#include "PicturePool.h"

#include <QByteArray>
#include <QImage>
#include <QSizeF>
#include <QString>

#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

class QPainter;

namespace lumetra::drawing {

class LayoutPageDrawer {
public:
    // Reads the layout file `path`. Null (with `error` set) when it is no readable layout.
    static std::unique_ptr<LayoutPageDrawer> open(const QString& path, QString* error = nullptr);
    // A layout file held in memory, whose pages and shapes `layout` describes.
    static std::unique_ptr<LayoutPageDrawer> fromBytes(QByteArray file, const pub::Layout& layout);

    const pub::Layout& layout() const { return layout_; }
    int pageCount() const { return int(layout_.pages().size()); }
    // The page size in points (1/72 inch).
    QSizeF pageSizePoints() const;

    // Paints page `pageIndex` stretched into `target`, without the shapes `hiddenShapes`.
    // False (with lastError() set, nothing painted) for a bad page index or when libmspub
    // cannot read the file; a page libmspub has nothing for paints nothing and succeeds.
    bool drawPage(QPainter& painter, int pageIndex, const QRectF& target,
                  const std::set<int>& hiddenShapes = {});
    // The page on white at `dpi` dots per inch; a null image on failure (see lastError()).
    QImage renderPage(int pageIndex, double dpi, const std::set<int>& hiddenShapes = {});

    // The recorded page (what drawPage paints), or null on failure.
    std::shared_ptr<const RecordedPage> recordedPage(int pageIndex,
                                                     const std::set<int>& hiddenShapes = {});

    QString lastError() const;

    // How many pages libmspub emitted for the unchanged file (-1 before the first drawing);
    // the layout predicts it as Layout::drawnPages().size().
    int emittedPageCount() const;

private:
    LayoutPageDrawer(QByteArray file, pub::Layout layout);

    using Key = std::pair<int, std::vector<int>>;
    std::shared_ptr<const RecordedPage> record(int pageIndex, const std::vector<int>& hidden);
    // The master content of a page whose own shapes libmspub will not draw.
    std::shared_ptr<const RecordedPage> recordMasterOnly(int pageIndex);
    std::shared_ptr<const RecordedPage> masterOnlyThrough(int pageIndex, int master);
    // libmspub's pages for the file with `patches` applied; empty when it draws nothing.
    std::vector<RecordedPage> parse(const std::vector<pub::StreamPatch>& patches);
    const std::vector<std::uint8_t>& escherStream();
    RecordedPage blankPage() const;
    void fail(const QString& message);

    QByteArray file_;
    std::shared_ptr<pictures::PicturePool> pictures_ = std::make_shared<pictures::PicturePool>();
    pub::Layout layout_;
    mutable std::recursive_mutex mutex_;
    std::map<Key, std::shared_ptr<const RecordedPage>> cache_;
    std::map<int, std::shared_ptr<const RecordedPage>> masterOnly_; // by master index
    bool plainParsed_ = false;
    int emittedPages_ = -1;
    bool unreadable_ = false;
    bool escherRead_ = false;
    std::vector<std::uint8_t> escher_;
    QString error_;
};

} // namespace lumetra::drawing
