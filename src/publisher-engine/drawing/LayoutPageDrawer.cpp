#include "LayoutPageDrawer.h"

#include "FileNames.h"
#include "Length.h"

#include "AnchorCollapse.h"
#include "PageRecorder.h"
#include "PatchedInputStream.h"
#include "RecordedPagePainter.h"
#include "TextChains.h"

#include <libmspub/libmspub.h>
#include <librevenge-stream/librevenge-stream.h>

#include <QFile>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace lumetra::drawing {

namespace {

constexpr std::size_t MaxCachedHiddenSets = 256;
constexpr double MaxImageSide = 30000.0;

QString unreadableMessage() {
    return QStringLiteral("Impossibile disegnare il layout: il file è danneggiato o di una "
                          "versione non supportata.");
}

} // namespace

LayoutPageDrawer::LayoutPageDrawer(QByteArray file, pub::Layout layout)
    : file_(std::move(file)), layout_(std::move(layout)) {}

std::unique_ptr<LayoutPageDrawer> LayoutPageDrawer::open(const QString& path, QString* error) {
    try {
        QByteArray bytes = pub::readLayoutFile(path);
        const pub::Layout layout =
            pub::Layout::readBytes(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                   static_cast<std::size_t>(bytes.size()));
        return fromBytes(std::move(bytes), layout);
    } catch (const runtime::Error& e) {
        if (error) {
            *error = e.Description();
        }
    } catch (...) {
        if (error) {
            *error = QStringLiteral("Impossibile leggere il layout '%1'.")
                         .arg(runtime::shownName(path.section(QLatin1Char('/'), -1)));
        }
    }
    return nullptr;
}

std::unique_ptr<LayoutPageDrawer> LayoutPageDrawer::fromBytes(QByteArray file,
                                                              const pub::Layout& layout) {
    return std::unique_ptr<LayoutPageDrawer>(new LayoutPageDrawer(std::move(file), layout));
}

QSizeF LayoutPageDrawer::pageSizePoints() const {
    return QSizeF(layout_.pageWidth(), layout_.pageHeight());
}

QString LayoutPageDrawer::lastError() const {
    std::lock_guard lock(mutex_);
    return error_;
}

void LayoutPageDrawer::fail(const QString& message) {
    error_ = message;
}

int LayoutPageDrawer::emittedPageCount() const {
    std::lock_guard lock(mutex_);
    return emittedPages_;
}

RecordedPage LayoutPageDrawer::blankPage() const {
    RecordedPage page;
    page.size = pageSizePoints() / runtime::PointsPerInch;
    return page;
}

std::vector<RecordedPage> LayoutPageDrawer::parse(const std::vector<pub::StreamPatch>& patches) {
    try {
        auto inner = std::make_unique<librevenge::RVNGStringStream>(
            reinterpret_cast<const unsigned char*>(file_.constData()), unsigned(file_.size()));
        PatchedInputStream input(std::move(inner), patches);
        if (!libmspub::MSPUBDocument::isSupported(&input)) {
            return {};
        }
        PageRecorder recorder(pictures_);
        // parse() reports failure for files it still drew in full; the pages obtained decide.
        libmspub::MSPUBDocument::parse(&input, &recorder);
        std::vector<RecordedPage> pages = std::move(recorder.pages());
        for (RecordedPage& page : pages) {
            linkTextFrames(page);
        }
        return pages;
    } catch (...) {
        return {};
    }
}

const std::vector<std::uint8_t>& LayoutPageDrawer::escherStream() {
    if (!escherRead_) {
        escherRead_ = true;
        try {
            librevenge::RVNGStringStream input(
                reinterpret_cast<const unsigned char*>(file_.constData()), unsigned(file_.size()));
            escher_ = readWholeStream(input, EscherStream);
        } catch (...) {
            escher_.clear();
        }
    }
    return escher_;
}

std::shared_ptr<const RecordedPage> LayoutPageDrawer::recordMasterOnly(int pageIndex) {
    const auto& pages = layout_.pages();
    const int master = pages[std::size_t(pageIndex)].masterIndex;
    if (layout_.version() != pub::Version::Publisher2002 || master < 0) {
        return std::make_shared<const RecordedPage>(blankPage());
    }
    // Pages without shapes of their own all show the same: their master.
    const bool ownShapes = layout_.drawnPosition(pageIndex) >= 0;
    if (!ownShapes) {
        if (auto it = masterOnly_.find(master); it != masterOnly_.end()) {
            return it->second;
        }
    }
    auto page = masterOnlyThrough(pageIndex, master);
    if (!ownShapes) {
        masterOnly_[master] = page;
    }
    return page;
}

std::shared_ptr<const RecordedPage> LayoutPageDrawer::masterOnlyThrough(int pageIndex, int master) {
    const auto& pages = layout_.pages();
    // libmspub draws a master only inside a page of its own shapes. Take this page (or another
    // one with the same master), hide all its shapes but one, and empty that one's box.
    std::vector<int> candidates{pageIndex};
    for (int q = 0; q < int(pages.size()); ++q) {
        if (q != pageIndex && pages[std::size_t(q)].masterIndex == master) {
            candidates.push_back(q);
        }
    }
    const std::vector<std::uint8_t>& escher = escherStream();
    for (const int q : candidates) {
        if (layout_.drawnPosition(q) < 0) {
            continue;
        }
        const int shapeCount = int(pages[std::size_t(q)].shapes.size());
        for (int keep = 0; keep < shapeCount; ++keep) {
            std::vector<std::uint64_t> offsets;
            for (const pub::StreamPatch& p : layout_.hidePatches(q, {keep})) {
                if (p.stream == EscherStream) {
                    offsets.push_back(p.offset);
                }
            }
            std::vector<pub::StreamPatch> collapse = collapseAnchors(escher, offsets);
            if (collapse.empty()) {
                continue;
            }
            std::vector<int> others;
            for (int i = 0; i < shapeCount; ++i) {
                if (i != keep) {
                    others.push_back(i);
                }
            }
            const int position = layout_.drawnPosition(q, {pub::HiddenShapes{q, others}});
            if (position < 0) {
                continue;
            }
            std::vector<pub::StreamPatch> patches = layout_.hidePatches(q, others);
            patches.insert(patches.end(), collapse.begin(), collapse.end());
            std::vector<RecordedPage> drawn = parse(patches);
            if (std::size_t(position) < drawn.size()) {
                return std::make_shared<const RecordedPage>(
                    std::move(drawn[std::size_t(position)]));
            }
        }
    }
    return std::make_shared<const RecordedPage>(blankPage());
}

std::shared_ptr<const RecordedPage> LayoutPageDrawer::record(int pageIndex,
                                                             const std::vector<int>& hidden) {
    const Key key{pageIndex, hidden};
    if (auto it = cache_.find(key); it != cache_.end()) {
        return it->second;
    }

    if (!plainParsed_) {
        plainParsed_ = true;
        std::vector<RecordedPage> pages = parse({});
        emittedPages_ = int(pages.size());
        const std::vector<int> drawn = layout_.drawnPages();
        if (pages.empty() && !drawn.empty()) {
            unreadable_ = true;
        }
        for (std::size_t i = 0; i < drawn.size() && i < pages.size(); ++i) {
            if (drawn[i] >= 0) {
                cache_[Key{drawn[i], {}}] =
                    std::make_shared<const RecordedPage>(std::move(pages[i]));
            }
        }
        if (auto it = cache_.find(key); it != cache_.end()) {
            return it->second;
        }
    }
    if (unreadable_) {
        fail(unreadableMessage());
        return nullptr;
    }

    std::shared_ptr<const RecordedPage> page;
    const int position = layout_.drawnPosition(pageIndex, {pub::HiddenShapes{pageIndex, hidden}});
    if (position < 0) {
        page = recordMasterOnly(pageIndex);
    } else {
        std::vector<RecordedPage> pages = parse(layout_.hidePatches(pageIndex, hidden));
        if (std::size_t(position) < pages.size()) {
            page = std::make_shared<const RecordedPage>(std::move(pages[std::size_t(position)]));
        } else {
            page = std::make_shared<const RecordedPage>(blankPage());
        }
    }
    if (cache_.size() >= MaxCachedHiddenSets) {
        std::erase_if(cache_, [](const auto& entry) { return !entry.first.second.empty(); });
    }
    cache_[key] = page;
    return page;
}

std::shared_ptr<const RecordedPage>
LayoutPageDrawer::recordedPage(int pageIndex, const std::set<int>& hiddenShapes) {
    std::lock_guard lock(mutex_);
    if (pageIndex < 0 || pageIndex >= pageCount()) {
        fail(QStringLiteral("La pagina %1 non esiste.").arg(pageIndex + 1));
        return nullptr;
    }
    const int shapeCount = int(layout_.pages()[std::size_t(pageIndex)].shapes.size());
    std::vector<int> hidden;
    for (const int i : hiddenShapes) {
        if (i >= 0 && i < shapeCount) {
            hidden.push_back(i);
        }
    }
    try {
        return record(pageIndex, hidden);
    } catch (...) {
        fail(QStringLiteral("Errore imprevisto nel disegno della pagina %1.").arg(pageIndex + 1));
        return nullptr;
    }
}

bool LayoutPageDrawer::drawPage(QPainter& painter, int pageIndex, const QRectF& target,
                                const std::set<int>& hiddenShapes) {
    const std::shared_ptr<const RecordedPage> page = recordedPage(pageIndex, hiddenShapes);
    if (!page) {
        return false;
    }
    // The layout's own page size frames the page, whatever libmspub reported.
    const QSizeF inches = pageSizePoints() / runtime::PointsPerInch;
    try {
        if (inches.isEmpty() || page->size == inches) {
            paintRecordedPage(painter, *page, target);
        } else {
            const double sx = target.width() / inches.width();
            const double sy = target.height() / inches.height();
            const QRectF full(target.topLeft(),
                              QSizeF(page->size.width() * sx, page->size.height() * sy));
            painter.save();
            painter.setClipRect(target, Qt::IntersectClip);
            paintRecordedPage(painter, *page, full);
            painter.restore();
        }
    } catch (...) {
        std::lock_guard lock(mutex_);
        fail(QStringLiteral("Errore imprevisto nel disegno della pagina %1.").arg(pageIndex + 1));
        return false;
    }
    return true;
}

QImage LayoutPageDrawer::renderPage(int pageIndex, double dpi, const std::set<int>& hiddenShapes) {
    const QSizeF points = pageSizePoints();
    const double w = std::ceil(points.width() / runtime::PointsPerInch * dpi);
    const double h = std::ceil(points.height() / runtime::PointsPerInch * dpi);
    if (!(dpi > 0) || !(w >= 1 && h >= 1 && w <= MaxImageSide && h <= MaxImageSide)) {
        std::lock_guard lock(mutex_);
        fail(QStringLiteral("Risoluzione non valida: %1 punti per pollice.").arg(dpi));
        return {};
    }
    QImage image(int(w), int(h), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        std::lock_guard lock(mutex_);
        fail(
            QStringLiteral("Memoria insufficiente per disegnare la pagina %1.").arg(pageIndex + 1));
        return {};
    }
    const int dotsPerMeter = int(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    QPainter painter(&image);
    const bool ok = drawPage(painter, pageIndex,
                             QRectF(0, 0, points.width() / runtime::PointsPerInch * dpi,
                                    points.height() / runtime::PointsPerInch * dpi),
                             hiddenShapes);
    painter.end();
    return ok ? image : QImage();
}

} // namespace lumetra::drawing
