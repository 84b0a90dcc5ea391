#pragma once
// The page and shape lists of a Publisher layout (*.pub), read straight from its streams.
//
//   const auto layout = lumetra::pub::Layout::readFile(path);   // throws runtime::Error
//   layout.pageWidth(); layout.pages()[0].shapes[2].left; layout.pictureSlots();
//
// Supported: Publisher 2002 to 2019 (one format), 98/2000, 95/97. Refused with a runtime::Error:
// anything that is not a layout, Publisher 1.0/2.0 files, damaged files, layouts without pages or
// without any shape. Reading never crashes, hangs or allocates without bound on bad input.
//
// Drawing goes through libmspub (see drawing/). libmspub's calls carry no shape identity, so the
// layout tells the drawer how to hide shapes from libmspub (hidePatches) and which of its pages
// libmspub emits, in what order (drawnPages).

#include "Error.h"
#include "ErrorNumbers.h"
#include "Shape.h"
#include "StreamPatch.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace librevenge {
class RVNGInputStream;
}

namespace lumetra::pub {

namespace detail {
struct LayoutAccess;
}

enum class Version {
    Publisher2002, // 2002 up to 2019
    Publisher2000, // 98 and 2000
    Publisher97,   // 95 and 97
};

// "2002-2019", "98/2000", "95/97".
QString versionName(Version version);

struct Page {
    std::uint32_t id = 0; // 2002+: the page's seqnum; older files: the page chunk's id
    bool isMaster = false;
    QString masterName;   // a master page's own name (2002+), empty otherwise
    int masterIndex = -1; // index in Layout::masters() of the master applied to this page, or -1
    // Top-level shapes in collection order: shapes[0] is the object model's Shapes(1), the back
    // of the drawing order. Groups are one entry each (their members in Shape::children).
    std::vector<Shape> shapes;
};

// Shapes to treat as hidden when working out what libmspub will emit.
struct HiddenShapes {
    int pageIndex = 0;             // index in Layout::pages()
    std::vector<int> shapeIndices; // indices in that page's shapes (0-based)
};

// Largest layout file read: the whole file is held in memory while the document is open.
inline constexpr qint64 MaxLayoutFileSize = qint64{256} << 20;

// The bytes of a layout file, checked as layouts are: throws runtime::Error (53 missing, 70
// access refused, 75 a folder or special file, 321 empty, unreadable or larger than
// MaxLayoutFileSize). The file is read once; the reader and the drawer share the bytes.
QByteArray readLayoutFile(const QString& path);

class Layout {
public:
    // Opens and reads a file. Throws runtime::Error (70 when access is refused).
    static Layout readFile(const QString& path);
    // Reads an already opened compound file. Throws runtime::Error.
    static Layout readStream(librevenge::RVNGInputStream& input);
    // Reads a compound file held in memory. Throws runtime::Error.
    static Layout readBytes(const std::uint8_t* data, std::size_t size);

    Version version() const { return version_; }
    QString versionName() const { return lumetra::pub::versionName(version_); }

    // Page size in points (one size for the whole document).
    double pageWidth() const { return pageWidth_; }
    double pageHeight() const { return pageHeight_; }

    // The document's pages in document order, master pages left out. Pages without shapes of
    // their own are pages too. Never empty: a layout without pages is refused.
    const std::vector<Page>& pages() const { return pages_; }
    // Master pages, in the order the file lists them (2002+; empty for 98/2000 and 95/97).
    const std::vector<Page>& masters() const { return masters_; }

    // Index in pages() of the object model's page 1 (the first non-master page): always 0.
    int firstPageIndex() const { return 0; }

    // Positions (counted from 1, in collection order) of the picture slots of a page: its
    // top-level auto shapes that are rectangles. Without argument: page 1, the template page.
    std::vector<int> pictureSlots(int pageIndex = 0) const;

    // Stream patches that make libmspub skip the given shapes (0-based indices in
    // pages()[pageIndex].shapes; a group goes with all its members). Apply them all to copies of
    // the streams. 2002+: the shape's ClientData seqnum in "Escher/EscherStm" becomes 0xFFFFFFFF.
    // 98/2000, 95/97: the type marker of the shape's chunk in "Contents" becomes 0xFFFF.
    // Invalid indices are ignored.
    std::vector<StreamPatch> hidePatches(int pageIndex, const std::vector<int>& shapeIndices) const;
    // The same for the shapes of a master page.
    std::vector<StreamPatch> hideMasterPatches(int masterIndex,
                                               const std::vector<int>& shapeIndices) const;

    // The pages libmspub emits (one startPage each), in its order, as indices in pages().
    // libmspub skips pages without shapes of their own (master shapes do not count) and the
    // "dummy" pages of each format; shapes listed in `hidden` count as absent, and so do the
    // shapes libmspub does not read (95/97 tables: hidePatches gives none for them). In 2002+ files
    // the order is the document's page order. In 98/2000 and 95/97 files libmspub orders pages
    // by chunk id and also emits special pages of the file that are no document pages (the page
    // of prototype shapes, the scratch area): those appear as -1 and are to be skipped.
    std::vector<int> drawnPages(const std::vector<HiddenShapes>& hidden = {}) const;

    // Position of a page among drawnPages(hidden), or -1 when libmspub will not emit it.
    int drawnPosition(int pageIndex, const std::vector<HiddenShapes>& hidden = {}) const;

private:
    friend struct detail::LayoutAccess;
    Layout() = default;

    Version version_ = Version::Publisher2002;
    double pageWidth_ = 0;
    double pageHeight_ = 0;
    std::vector<Page> pages_;
    std::vector<Page> masters_;
    // Per page and per master: for each top-level shape, the patches that hide it from libmspub
    // (every shape listed here is one libmspub draws as the page's own).
    std::vector<std::vector<std::vector<StreamPatch>>> pageLinks_;
    std::vector<std::vector<std::vector<StreamPatch>>> masterLinks_;
    std::vector<int> libmspubOrder_; // page indices in the order libmspub walks its pages
};

} // namespace lumetra::pub
